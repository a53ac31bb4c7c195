#include "tests/benchmark/SyntheticDictionary.h"

#include <algorithm>
#include <unordered_set>

namespace {

// splitmix64: small, fast and the same on every compiler.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool Chance(unsigned perMille) { return Below(1000) < perMille; }

private:
    std::uint64_t state_;
};

constexpr std::u16string_view Onsets[] = {u"b", u"c", u"d", u"f", u"g", u"l", u"m", u"n", u"p", u"r", u"s",
                                          u"t", u"v", u"z", u"ch", u"gn", u"sc", u"st", u"tr", u"pr", u"br",
                                          u"gr", u"sp", u"qu", u"h", u"w", u"k", u"j", u"y", u"x"};
constexpr std::u16string_view Vowels[] = {u"a", u"e", u"i", u"o", u"u", u"ia", u"io", u"ea", u"ou"};
constexpr std::u16string_view Codas[] = {u"", u"", u"", u"n", u"r", u"s", u"l", u"t", u"m", u"nd", u"st"};
constexpr std::u16string_view Suffixes[] = {u"s", u"ed", u"ing", u"er", u"ment", u"ness", u"ly", u"are",
                                            u"ione", u"mente", u"tà", u"ino", u"etto"};
constexpr char16_t Accented[] = {u'à', u'è', u'é', u'ì', u'ò', u'ù'};

template <std::size_t N>
std::u16string_view Pick(Random& random, const std::u16string_view (&choices)[N])
{
    return choices[random.Below(N)];
}

// Mostly 5 to 10 letters, as in the sample dictionaries, within 3 to 15.
std::size_t WordLength(Random& random)
{
    std::size_t length = 3 + random.Below(5) + random.Below(5) + random.Below(4);
    return std::min<std::size_t>(length, 15);
}

std::u16string Word(Random& random, std::size_t length)
{
    std::u16string word;
    while (word.size() < length) {
        // About one word in six begins with a vowel, as in both languages.
        if (!word.empty() || !random.Chance(170)) {
            word += Pick(random, Onsets);
        }
        word += Pick(random, Vowels);
        if (random.Chance(300)) {
            word += Pick(random, Codas);
        }
    }
    word.resize(length);
    if (random.Chance(40)) {
        word.back() = Accented[random.Below(std::size(Accented))];
    } else if (random.Chance(10)) {
        word[random.Below(word.size())] = Accented[random.Below(std::size(Accented))];
    }
    return word;
}

char16_t Folded(char16_t c)
{
    switch (c) {
    case u'à': return u'a';
    case u'è': case u'é': return u'e';
    case u'ì': return u'i';
    case u'ò': return u'o';
    case u'ù': return u'u';
    default: return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
}

// How a dictionary files its words: case and accents ignored, then the
// code units themselves to make the order total.
std::u16string FilingKey(const std::u16string& headword)
{
    std::u16string key;
    key.reserve(headword.size() * 2 + 1);
    for (char16_t c : headword) {
        key += Folded(c);
    }
    key += u'\0';
    key += headword;
    return key;
}

std::u16string Article(Random& random, const std::u16string& headword)
{
    std::u16string article = headword + u" /";
    for (char16_t c : headword) {
        article += c == u'c' ? u'k' : Folded(c);
    }
    article += u"/";
    std::size_t lines = 1 + random.Below(4);
    for (std::size_t line = 0; line < lines; ++line) {
        article += u"\r\n";
        std::size_t words = 1 + random.Below(4);
        for (std::size_t w = 0; w < words; ++w) {
            if (w > 0) {
                article += u", ";
            }
            article += Word(random, 3 + random.Below(8));
        }
    }
    return article;
}

struct Record {
    std::u16string Key;
    std::u16string Headword;
    std::u16string Article;
};

}  // namespace

std::u16string SyntheticArticleText(std::size_t byteSize, std::uint64_t seed)
{
    Random random(seed);
    const std::u16string opening = u"\uFEFFVerbola synthetic dictionary\r\n";
    const std::u16string closing = u"\r\n|";
    const std::size_t units = byteSize / 2;
    // Room for the opening, the closing and the largest record still to come.
    const std::size_t recordRoom = units > opening.size() + closing.size() + 400
                                       ? units - opening.size() - closing.size() - 400
                                       : 0;

    std::vector<Record> records;
    std::unordered_set<std::u16string> seen;
    std::size_t filled = 0;
    auto add = [&](std::u16string headword) {
        std::u16string article = Article(random, headword);
        filled += 3 + headword.size() + article.size();
        records.push_back({FilingKey(headword), std::move(headword), std::move(article)});
    };
    while (filled < recordRoom) {
        std::u16string headword = Word(random, WordLength(random));
        if (random.Chance(10)) {
            headword[0] = static_cast<char16_t>(headword[0] - u'a' + u'A');
        } else if (random.Chance(8)) {
            headword += u' ';
            headword += Word(random, 2 + random.Below(5));
        }
        if (!seen.insert(headword).second) {
            continue;
        }
        add(headword);
        if (random.Chance(4)) {
            add(headword);  // filed twice, with two articles
        }
        // Nested forms: "abandon" files "abandoned", "abandonment" right after it.
        for (std::size_t form = 0; form < 2 && random.Chance(250); ++form) {
            std::u16string derived = headword + std::u16string(Pick(random, Suffixes));
            if (derived.size() <= 15 && seen.insert(derived).second) {
                add(derived);
            }
        }
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const Record& a, const Record& b) { return a.Key < b.Key; });

    std::u16string text;
    text.reserve(units);
    text += opening;
    for (const Record& record : records) {
        if (text.size() + 3 + record.Headword.size() + record.Article.size() + closing.size() > units) {
            break;
        }
        text += u"\r\n|";
        text += record.Headword;
        text += u'|';
        text += record.Article;
    }
    // The last article takes up the rest, so that the size is exact.
    if (text.size() + closing.size() < units) {
        text.append(units - closing.size() - text.size(), u' ');
    }
    text += closing;
    text.resize(units, u' ');
    return text;
}

std::u16string ReversedRecords(std::u16string_view text)
{
    std::vector<std::size_t> markers;
    for (std::size_t marker = text.find(u"\n|"); marker != std::u16string_view::npos;
         marker = text.find(u"\n|", marker + 1)) {
        markers.push_back(marker);
    }
    if (markers.size() < 3) {
        return std::u16string(text);
    }
    // Each record from its marker to the next one; the closing marker stays last.
    std::u16string reversed(text.substr(0, markers.front()));
    for (std::size_t i = markers.size() - 1; i-- > 0;) {
        reversed += text.substr(markers[i], markers[i + 1] - markers[i]);
    }
    reversed += text.substr(markers.back());
    return reversed;
}

std::vector<std::u16string_view> HeadwordsOf(std::u16string_view text)
{
    std::vector<std::u16string_view> headwords;
    for (std::size_t marker = text.find(u"\n|"); marker != std::u16string_view::npos;
         marker = text.find(u"\n|", marker + 1)) {
        std::size_t start = marker + 2;
        std::size_t bar = text.find(u'|', start);
        if (bar == std::u16string_view::npos) {
            break;
        }
        headwords.push_back(text.substr(start, bar - start));
    }
    return headwords;
}

std::string StoredArticleBytes(std::u16string_view plainText)
{
    std::string bytes;
    bytes.reserve(plainText.size() * 2);
    for (char16_t unit : plainText) {
        bytes += static_cast<char>((unit & 0xFF) + 2);
        bytes += static_cast<char>((unit >> 8) + 2);
    }
    return bytes;
}
