#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// An allocator whose vectors grow without zero-filling the new elements: the
// index is written straight into the room it reserves, and memory that is
// never written is never touched.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <class U>
    UninitializedAllocator(const UninitializedAllocator<U>&) noexcept
    {
    }
    template <class U>
    void construct(U* place) noexcept
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Arguments>
    void construct(U* place, Arguments&&... arguments)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
    }
};
using MarkerOffsets = std::vector<std::uint32_t, UninitializedAllocator<std::uint32_t>>;

// An index over one decoded article text, built once at load time, that
// answers the two questions the look-ups ask of the text (where is the first
// record marker followed by a given pattern, where is the next bar) without
// scanning the text. The answers are exactly those of a plain scan, for any
// text, well-formed or not.
//
// The record markers are split, in file order, into a few runs, each sorted by
// the text that follows its markers (compared up to SortedUnits code units,
// in the code order turned round to start at the bar, so that "bank|" comes
// before "banker|" as a dictionary files them). A dictionary's file order is
// nearly sorted, so nearly every marker lands in the first run; the few filed
// out of order (capitalised words, accented letters, repeated headwords) fill
// the next ones. Markers that fit no run are kept in file order and scanned.
// Within a sorted run the first marker followed by a pattern is found by a
// binary search; since a run is also in file order, it is that run's earliest.
//
// Bars are found with one bit per block of code units that says whether the
// block holds a bar.
struct DictionaryIndex {
    std::u16string_view Text;
    bool Indexed = false;  // false: too large for 32-bit offsets; the searches scan Text

    MarkerOffsets SortedMarkers;               // the runs one after the other; a marker's offset is its line feed
    std::vector<std::uint32_t> RunEnds;        // end of each run in SortedMarkers
    std::vector<std::uint32_t> UnsortedMarkers;  // markers of no run, in file order
    std::vector<std::uint64_t> UnsortedKeys;     // the first units after each of them, packed (see the .cpp)
    std::vector<std::uint64_t> BarBlocks;        // bit b: block b holds a bar

    std::size_t MarkerCount() const { return SortedMarkers.size() + UnsortedMarkers.size(); }
    std::size_t MemoryBytes() const;  // what the index adds to the text
};

inline constexpr std::size_t SortedUnits = 32;
inline constexpr std::size_t MaximumRuns = 8;
inline constexpr std::size_t BarBlockUnits = 256;

// An index over a text that is decoded already.
DictionaryIndex BuildDictionaryIndex(std::u16string_view text);

// Decodes a stored article file in place, exactly as DecodeArticleBytes does,
// and indexes the decoded text in the same pass. The buffer is that of
// ArticleBufferSize(byteSize); the indexed text is ArticleTextView's.
DictionaryIndex DecodeAndIndexArticleBytes(unsigned char* bytes, std::uint32_t byteSize);

// The offset of the first record marker (its line feed) that is directly
// followed by pattern, as text.find(u"\n|" + pattern) would find it, or npos.
std::size_t FindMarkerFollowedBy(const DictionaryIndex& index, std::u16string_view pattern);

// The first bar at or after from, as text.find(u'|', from) would find it, or npos.
std::size_t FindBar(const DictionaryIndex& index, std::size_t from);
