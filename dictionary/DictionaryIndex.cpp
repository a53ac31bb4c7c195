#include "dictionary/DictionaryIndex.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr char16_t LineFeed = u'\n';
constexpr char16_t Bar = u'|';
constexpr std::size_t npos = std::u16string_view::npos;
constexpr std::size_t MarkerSize = 2;
constexpr std::size_t BlocksPerWord = 64;
constexpr std::uint32_t None = std::numeric_limits<std::uint32_t>::max();

// ---- the order of the runs

// The code order turned round so that the bar comes first: the bar, the
// units above it, then those below it. It is still a plain lexicographic
// order, so the markers followed by one pattern stand together in a sorted
// run, and it files a word before its longer forms ("bank|" before
// "banker|") and an accented word before the plain one it is filed with
// ("città" before "cittadina"), as a dictionary does. One subtraction.
inline std::uint32_t Rank(char16_t unit)
{
    return static_cast<std::uint16_t>(unit - Bar);
}

// The ranks of the first four units from start, the first in the high bits;
// units beyond the text count as 0. Unequal keys order two suffixes as a full
// comparison would; equal ones decide nothing.
std::uint64_t KeyAt(const char16_t* text, std::size_t size, std::size_t start)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        key <<= 16;
        if (start + i < size) {
            key |= Rank(text[start + i]);
        }
    }
    return key;
}

// Compares the text at a with the text at b, up to limit units; a text that
// ends first is the smaller.
inline int CompareSuffixes(const char16_t* text, std::size_t size, std::size_t a, std::size_t b, std::size_t limit)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // Eight units at a time while both texts have them: most pairs of
    // neighbouring headwords differ within the first eight.
    for (; i + 8 <= limit && a + i + 8 <= size && b + i + 8 <= size; i += 8) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + a + i));
        __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + b + i));
        unsigned equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(x, y)));
        if (equal != 0xFFFF) {
            std::size_t first = i + static_cast<std::size_t>(__builtin_ctz(~equal)) / 2;
            return static_cast<int>(Rank(text[a + first]) > Rank(text[b + first])) * 2 - 1;
        }
    }
#endif
    for (; i < limit; ++i) {
        bool aEnds = a + i >= size;
        bool bEnds = b + i >= size;
        if (aEnds || bEnds) {
            return aEnds == bEnds ? 0 : aEnds ? -1 : 1;
        }
        std::uint32_t ra = Rank(text[a + i]);
        std::uint32_t rb = Rank(text[b + i]);
        if (ra != rb) {
            return ra < rb ? -1 : 1;
        }
    }
    return 0;
}

// Compares the first m units of the text at start with the first m of pattern.
int ComparePrefix(std::u16string_view text, std::size_t start, std::u16string_view pattern, std::size_t m)
{
    for (std::size_t i = 0; i < m; ++i) {
        if (start + i >= text.size()) {
            return -1;
        }
        std::uint32_t rt = Rank(text[start + i]);
        std::uint32_t rp = Rank(pattern[i]);
        if (rt != rp) {
            return rt < rp ? -1 : 1;
        }
    }
    return 0;
}

bool FollowedBy(std::u16string_view text, std::size_t start, std::u16string_view pattern)
{
    return start <= text.size() && text.substr(start).starts_with(pattern);
}

#if defined(__SSE2__)
// The ranks of sixteen units from start, biased so that a signed comparison
// orders them.
struct Ranks {
    __m128i Low;
    __m128i High;
};

// The ranks, biased by half the range so that a signed comparison orders them.
inline __m128i RanksOf(__m128i units)
{
    return _mm_add_epi16(units, _mm_set1_epi16(static_cast<short>(0x8000 - Bar)));
}

inline Ranks RanksAt(const char16_t* text, std::size_t start)
{
    return {RanksOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + start))),
            RanksOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + start + 8)))};
}

// Whether a comes strictly before b within their first sixteen units; false
// also when those are equal and more units would have to decide.
inline bool Below(const Ranks& a, const Ranks& b)
{
    std::uint32_t equal = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi16(a.Low, b.Low))) |
                          static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi16(a.High, b.High))) << 16;
    std::uint32_t less = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi16(a.Low, b.Low))) |
                         static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi16(a.High, b.High))) << 16;
    std::uint32_t differ = ~equal;
    return differ != 0 && (less >> __builtin_ctz(differ) & 1) != 0;
}
#endif

// The first run, built right behind the pass while the text it compares is
// still in the cache: the markers in file order as long as each one's text
// comes after the last one's, which in a dictionary is nearly always, at one
// comparison in registers. A marker below the run's last one either dips
// (a capitalised word among lowercase ones: the markers after it go on above
// the run's last one) and is set aside, or it ends a spike (markers above
// their neighbours, like "città" filed before "cittadina", or a file that
// opens with a few entries filed elsewhere: the markers after it stay below
// the spike too), and then the spike is taken out of the run instead. The
// run is compacted in place in the marker list.
class FirstRun {
public:
    FirstRun(const char16_t* text, std::size_t size) : text_(text), size_(size) {}

    // Takes in the markers of the list whose sorted units lie before end.
    void Extend(std::uint32_t* markers, std::size_t count, std::size_t end)
    {
        while (ready_ < count && markers[ready_] + MarkerSize + SortedUnits <= end) {
            ++ready_;
        }
        Take(markers, false);
    }

    // Takes in the rest and returns the run's length; the other markers go
    // to setAside, in file order.
    std::size_t Finish(std::uint32_t* markers, std::size_t count, std::vector<std::uint32_t>& setAside)
    {
        ready_ = count;
        Take(markers, true);
        std::sort(setAside_.begin(), setAside_.end());
        setAside = std::move(setAside_);
        return length_;
    }

private:
    static constexpr std::size_t LongestSpike = 64;    // markers looked ahead for at a descent
    static constexpr std::size_t SearchedBack = 4096;  // markers of the run searched back

    bool InOrder(std::uint32_t before, std::uint32_t after) const
    {
        return CompareSuffixes(text_, size_, before + MarkerSize, after + MarkerSize, SortedUnits) <= 0;
    }

    void Take(std::uint32_t* markers, bool all)
    {
        while (done_ < ready_) {
#if defined(__SSE2__)
            // The common case in registers: the first sixteen units of each
            // marker's text against those of the run's last one.
            std::size_t done = done_;
            std::size_t length = length_;
            Ranks tailRanks = tailRanks_;
            for (; tailRanksValid_ && done < ready_; ++done) {
                std::uint32_t marker = markers[done];
                if (marker + MarkerSize + 16 > size_) {
                    break;
                }
                Ranks ranks = RanksAt(text_, marker + MarkerSize);
                if (!Below(tailRanks, ranks)) {
                    break;
                }
                markers[length++] = marker;  // never ahead of the marker taken in: compacted in place
                tailRanks = ranks;
            }
            done_ = done;
            length_ = length;
            tailRanks_ = tailRanks;
            if (done_ == ready_) {
                return;
            }
#endif
            // Everything else, one marker at a time.
            if (!Add(markers, done_, all)) {
                return;  // the markers it looks ahead to are not there yet
            }
            ++done_;
        }
    }

    bool Add(std::uint32_t* markers, std::size_t i, bool all)
    {
        const std::uint32_t marker = markers[i];
        if (length_ == 0 || InOrder(markers[length_ - 1], marker)) {
            markers[length_++] = marker;
        } else {
            // The spike: the run's last markers that come after this one.
            const std::uint32_t tail = markers[length_ - 1];
            std::size_t lowest = length_ > SearchedBack ? length_ - SearchedBack : 0;
            std::size_t keep = static_cast<std::size_t>(
                std::partition_point(markers + lowest, markers + length_,
                                     [&](std::uint32_t m) { return InOrder(m, marker); }) -
                markers);
            std::size_t spike = length_ - keep;
            bool takeSpikeOut = false;
            if (spike <= LongestSpike && (keep > lowest || lowest == 0)) {
                if (!all && i + spike >= ready_) {
                    return false;
                }
                // It is a spike when as many markers as it holds, this one
                // included, stay below its top.
                std::size_t low = 1;
                while (low < spike && i + low < ready_ && !InOrder(tail, markers[i + low])) {
                    ++low;
                }
                takeSpikeOut = low >= spike;
            }
            if (takeSpikeOut) {
                setAside_.insert(setAside_.end(), markers + keep, markers + length_);
                length_ = keep;
                markers[length_++] = marker;
            } else {
                setAside_.push_back(marker);
            }
        }
#if defined(__SSE2__)
        std::uint32_t last = markers[length_ - 1];
        tailRanksValid_ = last + MarkerSize + 16 <= size_;
        if (tailRanksValid_) {
            tailRanks_ = RanksAt(text_, last + MarkerSize);
        }
#endif
        return true;
    }

    const char16_t* text_;
    std::size_t size_;
    std::size_t ready_ = 0;  // markers whose text is there to compare
    std::size_t done_ = 0;
    std::size_t length_ = 0;
    std::vector<std::uint32_t> setAside_;
#if defined(__SSE2__)
    Ranks tailRanks_ = {};
    bool tailRanksValid_ = false;
#endif
};

// A marker with the ranks of the first units after it: most comparisons of
// markers far apart in the text are decided without reading it.
struct KeyedMarker {
    std::uint64_t Key;
    std::uint32_t Marker;
};

std::vector<KeyedMarker> WithKeys(const char16_t* text, std::size_t size, const std::uint32_t* markers,
                                  std::size_t count)
{
    std::vector<KeyedMarker> keyed(count);
    for (std::size_t i = 0; i < count; ++i) {
        keyed[i] = {KeyAt(text, size, markers[i] + MarkerSize), markers[i]};
    }
    return keyed;
}

// The longest sorted subsequence of the markers (patience sorting): written
// to run, its length returned; the markers keeps the others, in file order.
std::size_t LongestRun(const char16_t* text, std::size_t size, std::vector<KeyedMarker>& markers,
                       std::uint32_t* run)
{
    auto inOrder = [&](const KeyedMarker& before, const KeyedMarker& after) {
        if (before.Key != after.Key) {
            return before.Key < after.Key;
        }
        return CompareSuffixes(text, size, before.Marker + MarkerSize, after.Marker + MarkerSize, SortedUnits) <= 0;
    };
    const std::size_t count = markers.size();
    // tails[k]: the marker (by its place in the list) that ends the sorted
    // subsequences of length k + 1 with the smallest text.
    std::vector<std::uint32_t> tails;
    std::vector<std::uint32_t> previous(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto replaced = tails.empty() || inOrder(markers[tails.back()], markers[i])
                            ? tails.end()
                            : std::partition_point(tails.begin(), tails.end(), [&](std::uint32_t tail) {
                                  return inOrder(markers[tail], markers[i]);
                              });
        previous[i] = replaced == tails.begin() ? None : *(replaced - 1);
        if (replaced == tails.end()) {
            tails.push_back(static_cast<std::uint32_t>(i));
        } else {
            *replaced = static_cast<std::uint32_t>(i);
        }
    }
    std::vector<bool> inRun(count, false);
    for (std::uint32_t i = tails.empty() ? None : tails.back(); i != None; i = previous[i]) {
        inRun[i] = true;
    }
    std::size_t length = 0;
    std::size_t others = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (inRun[i]) {
            run[length++] = markers[i].Marker;
        } else {
            markers[others++] = markers[i];
        }
    }
    markers.resize(others);
    return length;
}

// ---- the one pass over the text: decoding, markers, bar blocks, first run

// Marker offsets as the pass finds them, in file order, written straight into
// the index's own list (whose size serves as the room reserved). The pass
// writes up to two offsets beyond the count without looking (see below).
class MarkerList {
public:
    MarkerList(MarkerOffsets& store, std::size_t room) : store_(store) { store_.resize(room); }
    // Room for every marker a block can hold, and the two blind writes.
    void Reserve(std::size_t more)
    {
        if (count_ + more > store_.size()) {
            store_.resize(std::max(store_.size() * 2, count_ + more));
        }
    }
    std::uint32_t* Data() { return store_.data(); }
    std::size_t& Count() { return count_; }

private:
    MarkerOffsets& store_;
    std::size_t count_ = 0;
};

struct ScanResult {
    std::size_t FirstZero = npos;  // only looked for while decoding
};

// Reads (and, when decoding, writes back) the code unit at u.
template <bool Decode>
inline char16_t UnitAt(unsigned char* bytes, const char16_t* text, std::size_t u)
{
    if constexpr (Decode) {
        unsigned char low = static_cast<unsigned char>(bytes[2 * u] - 2);
        unsigned char high = static_cast<unsigned char>(bytes[2 * u + 1] - 2);
        bytes[2 * u] = low;
        bytes[2 * u + 1] = high;
        return static_cast<char16_t>(low | high << 8);
    } else {
        (void)bytes;
        return text[u];
    }
}

inline void MarkBarBlock(std::vector<std::uint64_t>& blocks, std::size_t u)
{
    std::size_t block = u / BarBlockUnits;
    blocks[block / BlocksPerWord] |= std::uint64_t{1} << (block % BlocksPerWord);
}

// The units from u to end, one at a time: the tail of the pass, and the whole
// pass where there is no SSE2.
template <bool Decode>
void ScanUnits(unsigned char* bytes, const char16_t* text, std::size_t u, std::size_t end, bool& lineFeedBefore,
               MarkerList& markers, std::vector<std::uint64_t>& barBlocks, ScanResult& result)
{
    for (; u < end; ++u) {
        if (u % BarBlockUnits == 0) {
            markers.Reserve(BarBlockUnits / 2 + 3);
        }
        char16_t unit = UnitAt<Decode>(bytes, text, u);
        if (unit == Bar) {
            MarkBarBlock(barBlocks, u);
            if (lineFeedBefore) {
                markers.Data()[markers.Count()++] = static_cast<std::uint32_t>(u - 1);
            }
        }
        if (Decode && unit == 0 && result.FirstZero == npos) {
            result.FirstZero = u;
        }
        lineFeedBefore = unit == LineFeed;
    }
}

#if defined(__SSE2__)

// 32 units in four vectors: decoded in place when decoding, and the bit masks
// of their line feeds and bars; zero units are gathered into zeros.
template <bool Decode>
inline void ScanVectors(unsigned char* bytes, const char16_t* text, std::size_t u, std::uint32_t& lineFeeds,
                        std::uint32_t& bars, __m128i& zeros)
{
    __m128i v0, v1, v2, v3;
    if constexpr (Decode) {
        const __m128i two = _mm_set1_epi8(2);
        unsigned char* p = bytes + 2 * u;
        v0 = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), two);
        v1 = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)), two);
        v2 = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32)), two);
        v3 = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 48)), two);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), v1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), v2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 48), v3);
        const __m128i zero = _mm_setzero_si128();
        zeros = _mm_or_si128(zeros, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v0, zero), _mm_cmpeq_epi16(v1, zero)),
                                                 _mm_or_si128(_mm_cmpeq_epi16(v2, zero), _mm_cmpeq_epi16(v3, zero))));
    } else {
        (void)bytes;
        (void)zeros;
        const char16_t* p = text + u;
        v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
        v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        v3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 24));
    }
    // Packing two vectors of 16-bit results gives one byte per unit, in order.
    const __m128i lineFeed = _mm_set1_epi16(static_cast<short>(LineFeed));
    const __m128i bar = _mm_set1_epi16(static_cast<short>(Bar));
    auto mask = [](__m128i a, __m128i b, __m128i c, __m128i d, __m128i unit) {
        std::uint32_t low = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, unit), _mm_cmpeq_epi16(b, unit))));
        std::uint32_t high = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(c, unit), _mm_cmpeq_epi16(d, unit))));
        return low | high << 16;
    };
    lineFeeds = mask(v0, v1, v2, v3, lineFeed);
    bars = mask(v0, v1, v2, v3, bar);
}

#endif

// Decodes (when decoding) and finds the markers and the bar blocks, block by
// block, feeding the first run right behind: its comparisons read text that
// the pass has just touched.
template <bool Decode>
ScanResult ScanText(unsigned char* bytes, const char16_t* text, std::size_t units, MarkerList& markers,
                    std::vector<std::uint64_t>& barBlocks, FirstRun& firstRun)
{
    ScanResult result;
    barBlocks.assign(units / (BarBlockUnits * BlocksPerWord) + 1, 0);
    std::size_t u = 0;
    bool lineFeedBefore = false;
#if defined(__SSE2__)
    std::uint32_t carry = 0;
    for (; u + BarBlockUnits <= units; u += BarBlockUnits) {
        markers.Reserve(BarBlockUnits / 2 + 3);
        std::uint32_t* out = markers.Data();
        std::size_t count = markers.Count();
        std::uint32_t anyBar = 0;
        __m128i zeros = _mm_setzero_si128();
        for (std::size_t v = u; v < u + BarBlockUnits; v += 32) {
            std::uint32_t lineFeeds;
            std::uint32_t bars;
            ScanVectors<Decode>(bytes, text, v, lineFeeds, bars, zeros);
            // Bit i: a bar at v + i right after a line feed, so a marker at v + i - 1.
            std::uint32_t found = (lineFeeds << 1 | carry) & bars;
            carry = lineFeeds >> 31;
            anyBar |= bars;
            // Records are longer than 16 units, so a group of 32 rarely holds
            // more than two markers: write two without branching, loop for more.
            std::uint32_t second = found & (found - 1);
            out[count] = static_cast<std::uint32_t>(v - 1 + __builtin_ctz(found | 0x80000000u));
            count += found != 0;
            out[count] = static_cast<std::uint32_t>(v - 1 + __builtin_ctz(second | 0x80000000u));
            count += second != 0;
            for (std::uint32_t more = second & (second - 1); __builtin_expect(more != 0, 0); more &= more - 1) {
                out[count++] = static_cast<std::uint32_t>(v - 1 + __builtin_ctz(more));
            }
        }
        markers.Count() = count;
        if (anyBar != 0) {
            MarkBarBlock(barBlocks, u);
        }
        if (Decode && result.FirstZero == npos && _mm_movemask_epi8(zeros) != 0) {
            for (std::size_t z = u; z < u + BarBlockUnits; ++z) {
                if (bytes[2 * z] == 0 && bytes[2 * z + 1] == 0) {
                    result.FirstZero = z;
                    break;
                }
            }
        }
        if (result.FirstZero == npos) {
            firstRun.Extend(out, count, u + BarBlockUnits);
        }
    }
    lineFeedBefore = carry != 0;
#endif
    ScanUnits<Decode>(bytes, text, u, units, lineFeedBefore, markers, barBlocks, result);
    return result;
}

// ---- the runs

// Splits the markers (file order) into sorted runs: the first in place (its
// markers taken in by firstRun already, or not yet), the markers set aside
// from it into the next runs as they fit, the rest unsorted.
void BuildRuns(DictionaryIndex& index, MarkerList& markers, FirstRun& firstRun)
{
    const char16_t* text = index.Text.data();
    const std::size_t size = index.Text.size();
    std::vector<std::uint32_t> setAside;
    std::size_t firstRunLength = firstRun.Finish(markers.Data(), markers.Count(), setAside);
    std::vector<KeyedMarker> rest;
    if (setAside.size() > markers.Count() / 16) {
        // Too many odd ones out for the quick run: the longest sorted
        // subsequence of the whole list instead.
        std::vector<std::uint32_t> all(markers.Count());
        std::merge(markers.Data(), markers.Data() + firstRunLength, setAside.begin(), setAside.end(), all.begin());
        rest = WithKeys(text, size, all.data(), all.size());
        firstRunLength = LongestRun(text, size, rest, markers.Data());
    } else {
        rest = WithKeys(text, size, setAside.data(), setAside.size());
    }

    // Each later run is the longest sorted subsequence of what is left: the
    // capitalised words make one, the words filed by their accents another.
    std::vector<std::vector<std::uint32_t>> laterRuns;
    while (!rest.empty() && laterRuns.size() + 1 < MaximumRuns) {
        std::vector<std::uint32_t> run(rest.size());
        run.resize(LongestRun(text, size, rest, run.data()));
        laterRuns.push_back(std::move(run));
    }
    for (const KeyedMarker& marker : rest) {
        index.UnsortedMarkers.push_back(marker.Marker);
        index.UnsortedKeys.push_back(marker.Key);
    }

    // The later runs go right after the first, in the same list.
    std::size_t sorted = firstRunLength;
    if (firstRunLength > 0) {
        index.RunEnds.push_back(static_cast<std::uint32_t>(firstRunLength));
    }
    for (const auto& run : laterRuns) {
        std::copy(run.begin(), run.end(), markers.Data() + sorted);
        sorted += run.size();
        index.RunEnds.push_back(static_cast<std::uint32_t>(sorted));
    }
    index.SortedMarkers.resize(sorted);
    index.UnsortedMarkers.shrink_to_fit();
    index.UnsortedKeys.shrink_to_fit();
}

template <bool Decode>
DictionaryIndex Build(unsigned char* bytes, const char16_t* text, std::size_t units)
{
    DictionaryIndex index;
    index.Indexed = true;
    if constexpr (Decode) {
        text = reinterpret_cast<const char16_t*>(bytes);
    }
    // Room for a record every 48 units, more than a dictionary needs; the
    // list grows if a text has more.
    MarkerList markers(index.SortedMarkers, units / 48 + BarBlockUnits);
    FirstRun firstRun(text, units);
    ScanResult scan = ScanText<Decode>(bytes, text, units, markers, index.BarBlocks, firstRun);
    const std::size_t size = std::min(scan.FirstZero, units);
    index.Text = std::u16string_view(text, size);
    // Markers beyond the first zero unit are not part of the text.
    while (markers.Count() > 0 && markers.Data()[markers.Count() - 1] + 1 >= size) {
        --markers.Count();
    }
    if (size < units) {
        // The run so far compared texts as if they went on past the zero: start over.
        FirstRun again(text, size);
        BuildRuns(index, markers, again);
    } else {
        BuildRuns(index, markers, firstRun);
    }
    return index;
}

}  // namespace

std::size_t DictionaryIndex::MemoryBytes() const
{
    return SortedMarkers.capacity() * sizeof(std::uint32_t) + RunEnds.capacity() * sizeof(std::uint32_t) +
           UnsortedMarkers.capacity() * sizeof(std::uint32_t) + UnsortedKeys.capacity() * sizeof(std::uint64_t) +
           BarBlocks.capacity() * sizeof(std::uint64_t);
}

DictionaryIndex BuildDictionaryIndex(std::u16string_view text)
{
    if (text.size() >= std::numeric_limits<std::uint32_t>::max() - MarkerSize) {
        DictionaryIndex plain;
        plain.Text = text;
        return plain;
    }
    return Build<false>(nullptr, text.data(), text.size());
}

DictionaryIndex DecodeAndIndexArticleBytes(unsigned char* bytes, std::uint32_t byteSize)
{
    if (bytes == nullptr) {
        DictionaryIndex empty;
        empty.Indexed = true;
        return empty;
    }
    DictionaryIndex index = Build<true>(bytes, nullptr, byteSize / 2);
    // A trailing half code unit is cleared, so the text ends with a whole zero unit.
    if (byteSize % 2 != 0) {
        bytes[byteSize - 1] = 0;
    }
    return index;
}

std::size_t FindMarkerFollowedBy(const DictionaryIndex& index, std::u16string_view pattern)
{
    const std::u16string_view text = index.Text;
    if (!index.Indexed) {
        std::u16string wanted(u"\n|");
        wanted += pattern;
        return text.find(wanted);
    }
    const std::size_t m = std::min(pattern.size(), SortedUnits);
    std::size_t best = npos;
    std::uint32_t runStart = 0;
    for (std::uint32_t runEnd : index.RunEnds) {
        const std::uint32_t* first = index.SortedMarkers.data() + runStart;
        const std::uint32_t* last = index.SortedMarkers.data() + runEnd;
        runStart = runEnd;
        const std::uint32_t* found = std::partition_point(first, last, [&](std::uint32_t marker) {
            return ComparePrefix(text, marker + MarkerSize, pattern, m) < 0;
        });
        // Markers agreeing on the sorted units stand together, in file order;
        // only a pattern longer than those needs more than the first of them.
        for (; found != last && *found < best; ++found) {
            if (ComparePrefix(text, *found + MarkerSize, pattern, m) != 0) {
                break;
            }
            if (pattern.size() <= SortedUnits || FollowedBy(text, *found + MarkerSize, pattern)) {
                best = *found;
                break;
            }
        }
    }
    if (!index.UnsortedMarkers.empty()) {
        std::size_t keyUnits = std::min<std::size_t>(pattern.size(), 4);
        std::uint64_t mask = keyUnits == 0 ? 0 : ~std::uint64_t{0} << (16 * (4 - keyUnits));
        std::uint64_t key = KeyAt(pattern.data(), pattern.size(), 0) & mask;
        for (std::size_t i = 0; i < index.UnsortedMarkers.size() && index.UnsortedMarkers[i] < best; ++i) {
            if ((index.UnsortedKeys[i] & mask) == key &&
                FollowedBy(text, index.UnsortedMarkers[i] + MarkerSize, pattern)) {
                best = index.UnsortedMarkers[i];
                break;
            }
        }
    }
    return best;
}

std::size_t FindBar(const DictionaryIndex& index, std::size_t from)
{
    const std::u16string_view text = index.Text;
    if (!index.Indexed) {
        return text.find(Bar, from);
    }
    if (from >= text.size()) {
        return npos;
    }
    auto scanBlock = [&](std::size_t start) {
        std::size_t end = std::min(text.size(), (start / BarBlockUnits + 1) * BarBlockUnits);
        for (std::size_t i = start; i < end; ++i) {
            if (text[i] == Bar) {
                return i;
            }
        }
        return npos;
    };
    std::size_t found = scanBlock(from);
    if (found != npos) {
        return found;
    }
    // The next block that holds a bar; any bar it holds lies after from.
    std::size_t block = from / BarBlockUnits + 1;
    std::size_t word = block / BlocksPerWord;
    if (word >= index.BarBlocks.size()) {
        return npos;
    }
    std::uint64_t bits = index.BarBlocks[word] & (~std::uint64_t{0} << (block % BlocksPerWord));
    while (bits == 0) {
        if (++word == index.BarBlocks.size()) {
            return npos;
        }
        bits = index.BarBlocks[word];
    }
    std::size_t next = word * BlocksPerWord + static_cast<std::size_t>(__builtin_ctzll(bits));
    if (next * BarBlockUnits >= text.size()) {
        return npos;
    }
    return scanBlock(next * BarBlockUnits);
}
