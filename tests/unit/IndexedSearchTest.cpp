// The indexed look-ups against the plain reference: for crafted malformed
// texts, random texts over a few units and a synthetic dictionary, every
// word gives the same list items, the same article (the same record, not only
// the same text) and the same failure row.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/ArticleCoding.h"
#include "dictionary/DictionaryIndex.h"
#include "dictionary/HeadwordSearch.h"
#include "tests/benchmark/SyntheticDictionary.h"
#include "tests/unit/ReferenceSearch.h"

namespace {

std::string Printable(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text.substr(0, 80)) {
        if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            out += "\\r";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\u" + std::to_string(static_cast<unsigned>(c));
        }
    }
    return text.size() > 80 ? out + "... (" + std::to_string(text.size()) + " units)" : out;
}


// Checks one word through an index against the reference over the same text.
void ExpectSameResults(std::u16string_view text, const DictionaryIndex& index, std::u16string_view word)
{
    HeadwordListMatch expectedList = reference::SearchHeadwordList(text, word);
    HeadwordListMatch list = SearchHeadwordList(index, word);
    ASSERT_EQ(static_cast<int>(list.Outcome), static_cast<int>(expectedList.Outcome))
        << "list outcome for \"" << Printable(word) << "\" in \"" << Printable(text) << "\"";
    ASSERT_EQ(reference::Places(index.Text, list.Headwords), reference::Places(text, expectedList.Headwords))
        << "listed headwords for \"" << Printable(word) << "\" in \"" << Printable(text) << "\"";

    ArticleMatch expectedArticle = reference::SearchArticle(text, word);
    ArticleMatch article = SearchArticle(index, word);
    ASSERT_EQ(static_cast<int>(article.Outcome), static_cast<int>(expectedArticle.Outcome))
        << "article outcome for \"" << Printable(word) << "\" in \"" << Printable(text) << "\"";
    if (expectedArticle.Outcome == ArticleOutcome::Found) {
        ASSERT_EQ(reference::Places(index.Text, {article.Article}), reference::Places(text, {expectedArticle.Article}))
            << "article for \"" << Printable(word) << "\" in \"" << Printable(text) << "\"";
    }
}

// Words worth asking of a text: every prefix of what follows each marker (so
// every headword, its beginnings and what runs on into the article), those
// with one unit changed or one added, and a few that fit nothing.
std::vector<std::u16string> WordsFor(std::u16string_view text, std::size_t longest)
{
    std::vector<std::u16string> words = {u"", u"|", u"||", u"\n", u"\n|", u"zz", std::u16string(600, u'a')};
    for (std::size_t marker = text.find(u"\n|"); marker != std::u16string_view::npos;
         marker = text.find(u"\n|", marker + 1)) {
        std::u16string_view after = text.substr(marker + 2, longest);
        for (std::size_t length = 1; length <= after.size(); ++length) {
            std::u16string word(after.substr(0, length));
            words.push_back(word);
            word.back() = static_cast<char16_t>(word.back() + 1);
            words.push_back(word);
            word.back() = static_cast<char16_t>(word.back() - 2);
            words.push_back(word);
        }
        words.push_back(std::u16string(after) + u"~");
    }
    return words;
}

void ExpectSameResultsForAllWords(std::u16string_view text, std::size_t longest = 12)
{
    DictionaryIndex index = BuildDictionaryIndex(text);
    ASSERT_TRUE(index.Indexed);
    for (const std::u16string& word : WordsFor(text, longest)) {
        ExpectSameResults(text, index, word);
    }
}

// "\n|" + headword + "|" + article for each pair, then a closing "\n|".
std::u16string Records(const std::vector<std::pair<std::u16string, std::u16string>>& records)
{
    std::u16string text = u"\uFEFFtitle";
    for (const auto& [headword, article] : records) {
        text += u"\n|" + headword + u"|" + article;
    }
    return text + u"\n|";
}

struct CraftedText {
    const char* Name;
    std::u16string Text;
};

std::vector<CraftedText> CraftedTexts()
{
    std::u16string longCommon(40, u'k');
    std::vector<CraftedText> texts = {
        {"well-formed", Records({{u"ab", u"AB"}, {u"abacus", u"ABACUS"}, {u"abandon", u"X"}, {u"b", u"B"}})},
        {"repeated headwords", Records({{u"bank", u"first"}, {u"bank", u"second"}, {u"bank", u"a"},
                                        {u"banker", u"B"}, {u"bank", u"late"}})},
        {"line feeds without bars", u"\n|a|x\nb\n\nc|d\n|b|y\n\n\n|c|z\n|"},
        {"bars without line feeds", u"|a|b|\n|a|x|y||\r|b|\n|c|"},
        {"ends inside a headword", u"\n|ab|AB\n|abc"},
        {"ends right after a marker", u"\n|ab|AB\n|"},
        {"ends inside an article", u"\n|ab|AB\n|abc|ABC"},
        {"empty headwords", u"\n||empty\n||again\n|a|A\n||"},
        {"headwords with no bar at all", u"\n|a\n|b\n|c"},
        {"only markers", u"\n|\n|\n|\n|\n|"},
        {"no marker", u"ab|cd|ef"},
        {"empty", u""},
        {"marker first", u"\n|a|A\n|b|B\n|"},
        {"descending", Records({{u"z", u"Z"}, {u"y", u"Y"}, {u"x", u"X"}, {u"w", u"W"}, {u"v", u"V"},
                                {u"u", u"U"}, {u"t", u"T"}, {u"s", u"S"}, {u"r", u"R"}, {u"q", u"Q"},
                                {u"p", u"P"}, {u"o", u"O"}})},
        {"long common beginnings", Records({{longCommon + u"b", u"1"}, {longCommon + u"a", u"2"},
                                            {longCommon, u"3"}, {longCommon + u"a", u"4"},
                                            {longCommon + u"c|x", u"5"}})},
        {"capitals and accents", Records({{u"apparel", u"1"}, {u"Apple", u"2"}, {u"apply", u"3"},
                                          {u"città", u"4"}, {u"cittadina", u"5"}, {u"più", u"6"},
                                          {u"piuma", u"7"}})},
        {"carriage returns", u"\r\n|a|A\r\n|ab|AB\r\n|b|B\r\n|"},
    };
    // More than 25 records, so that full lists occur too.
    std::vector<std::pair<std::u16string, std::u16string>> many;
    for (int i = 0; i < 40; ++i) {
        std::u16string headword = u"w";
        headword += static_cast<char16_t>(u'a' + i % 26);
        headword += static_cast<char16_t>(u'a' + i / 26);
        many.emplace_back(headword, u"article");
    }
    texts.push_back({"forty records", Records(many)});
    many.back().first = u"Z";
    texts.push_back({"forty records, the last out of order", Records(many) + u"trailing text"});
    return texts;
}

TEST(IndexedSearchTest, CraftedTextsGiveTheReferenceResults)
{
    for (const CraftedText& crafted : CraftedTexts()) {
        SCOPED_TRACE(crafted.Name);
        ExpectSameResultsForAllWords(crafted.Text, 50);
    }
}

// Records placed so that markers, bars and zero units fall on every position
// of the pass's 32-unit groups and 256-unit blocks, including the last unit
// before a boundary and the first after it.
TEST(IndexedSearchTest, MarkersOnGroupAndBlockBoundariesAreFound)
{
    for (std::size_t offset = 0; offset < 40; ++offset) {
        std::u16string text(offset, u'.');
        for (std::size_t record = 0; record < 70; ++record) {
            text += u"\n|h";
            text += static_cast<char16_t>(u'a' + record % 26);
            text += u"|";
            text += std::u16string(record % 7 == 0 ? 250 : record % 5, u'x');
        }
        text += u"\n|";
        SCOPED_TRACE(offset);
        ExpectSameResultsForAllWords(text, 4);
    }
}

// A long stretch without bars: the next bar lies many blocks ahead, or nowhere.
TEST(IndexedSearchTest, BarsFarAheadAreFound)
{
    std::u16string text = u"\n|a";
    text += std::u16string(5000, u'x');
    text += u"|A";
    text += std::u16string(70000, u'y');
    text += u"\n|b|B";
    text += std::u16string(3000, u'z');
    ExpectSameResultsForAllWords(text, 3);
    DictionaryIndex index = BuildDictionaryIndex(text);
    for (std::size_t from = 0; from <= text.size() + 2; from += from < 6000 || from > 74000 ? 1 : 97) {
        ASSERT_EQ(FindBar(index, from), reference::NextBar(text, from)) << "from " << from;
    }
}

// Random texts over a handful of units: markers everywhere, repeated and
// empty headwords, descents of every kind.
TEST(IndexedSearchTest, RandomTextsGiveTheReferenceResults)
{
    constexpr char16_t Units[] = {u'\n', u'|', u'a', u'b', u'\r', u'a', u'|', u'\n'};
    std::uint64_t state = 12345;
    auto next = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>(state >> 33);
    };
    for (int round = 0; round < 300; ++round) {
        std::u16string text(next() % 700, u'a');
        for (char16_t& unit : text) {
            unit = Units[next() % std::size(Units)];
        }
        DictionaryIndex index = BuildDictionaryIndex(text);
        for (int w = 0; w < 30; ++w) {
            std::u16string word;
            if (w % 2 == 0 && !text.empty()) {
                std::size_t start = next() % text.size();
                word = text.substr(start, next() % 12);
            } else {
                word.resize(next() % 8);
                for (char16_t& unit : word) {
                    unit = Units[next() % std::size(Units)];
                }
            }
            ASSERT_NO_FATAL_FAILURE(ExpectSameResults(text, index, word)) << "round " << round;
        }
    }
}

TEST(IndexedSearchTest, SyntheticDictionaryGivesTheReferenceResults)
{
    std::u16string text = SyntheticArticleText(200'000, 7);
    ASSERT_EQ(text.size(), 100'000u);
    DictionaryIndex index = BuildDictionaryIndex(text);
    std::vector<std::u16string_view> headwords = HeadwordsOf(text);
    ASSERT_GT(headwords.size(), 1000u);
    // Nearly every marker of a dictionary's file order lands in a sorted run.
    EXPECT_LT(index.UnsortedMarkers.size(), headwords.size() / 100);
    EXPECT_LE(index.MemoryBytes(), text.size() * 2 / 10);
    for (std::size_t i = 0; i < headwords.size(); i += 7) {
        std::u16string word(headwords[i]);
        ExpectSameResults(text, index, word);
        ExpectSameResults(text, index, word.substr(0, word.size() / 2));
        ExpectSameResults(text, index, word + u"q");
        ExpectSameResults(text, index, word + u"|");
    }
}

// A dictionary's odd ones out, wherever they stand, leave nearly all of its
// markers in the first sorted run: a binary search then finds nearly every
// word, whatever comes first in the file.
TEST(IndexedSearchTest, OddOnesOutLeaveTheFirstRunWhole)
{
    auto word = [](int i) {
        std::u16string w = u"w";  // "w" and four letters, in order
        for (int place = 26 * 26 * 26; place > 0; place /= 26) {
            w += static_cast<char16_t>(u'a' + i / place % 26);
        }
        return w;
    };
    struct Layout {
        const char* Name;
        int OddOnes;
        std::u16string (*Odd)(int i, const std::u16string& sorted);
        int Every;  // an odd one after every so many sorted words; 0: all of them first
    };
    const Layout layouts[] = {
        {"a file opening with 40 words filed elsewhere", 40, [](int i, const std::u16string&) {
             return u"\u00E0" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u"x";
         }, 0},
        {"capitalised words among lowercase ones", 60, [](int, const std::u16string& w) {
             return u"W" + w.substr(1);
         }, 50},
        {"two capitalised words in a row", 60, [](int i, const std::u16string& w) {
             return (i % 2 == 0 ? u"V" : u"W") + w.substr(1);
         }, 25},
        {"accented words filed before their plain forms", 60, [](int, const std::u16string& w) {
             return w + u"\u00E0";
         }, 50},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.Name);
        std::vector<std::pair<std::u16string, std::u16string>> records;
        int odd = 0;
        for (int i = 0; i < 3000; ++i) {
            bool oddHere = layout.Every == 0 ? i < layout.OddOnes : i % layout.Every == layout.Every - 1;
            if (oddHere && odd < layout.OddOnes) {
                records.emplace_back(layout.Odd(odd++, word(i)), u"odd");
                if (layout.Every == 0) {
                    continue;
                }
            }
            records.emplace_back(word(i), u"article");
        }
        std::u16string text = Records(records);
        DictionaryIndex index = BuildDictionaryIndex(text);
        ASSERT_FALSE(index.RunEnds.empty());
        EXPECT_GE(index.RunEnds[0], index.MarkerCount() - 3 * static_cast<std::size_t>(layout.OddOnes));
        EXPECT_LE(index.UnsortedMarkers.size(), 2u);
        for (std::size_t i = 0; i < records.size(); i += 37) {
            ExpectSameResults(text, index, records[i].first);
            ExpectSameResults(text, index, records[i].first.substr(0, 2));
        }
    }
}

// Decoding and indexing in one pass gives the bytes DecodeArticleBytes gives
// and the view ArticleTextView gives, for any size and with zero units inside.
TEST(IndexedSearchTest, DecodingWhileIndexingMatchesPlainDecoding)
{
    std::u16string text = SyntheticArticleText(20'000, 3);
    text[3000] = u'\0';  // the look-ups see the text up to here
    text[6001] = u'\0';
    std::string stored = StoredArticleBytes(text);
    for (std::uint32_t size : {0u, 1u, 2u, 3u, 511u, 512u, 513u, 5999u, 6000u, 6001u, 6002u, 12003u, 20000u}) {
        SCOPED_TRACE(size);
        std::vector<unsigned char> plain(ArticleBufferSize(size), 0);
        std::copy(stored.begin(), stored.begin() + size, plain.begin());
        std::vector<unsigned char> indexed = plain;
        DecodeArticleBytes(plain.data(), size);
        DictionaryIndex index = DecodeAndIndexArticleBytes(indexed.data(), size);
        EXPECT_EQ(indexed, plain);
        std::u16string_view view = ArticleTextView(plain.data(), size);
        ASSERT_EQ(index.Text.size(), view.size());
        EXPECT_EQ(static_cast<const void*>(index.Text.data()), static_cast<const void*>(indexed.data()));
        DictionaryIndex rebuilt = BuildDictionaryIndex(view);
        EXPECT_EQ(index.SortedMarkers, rebuilt.SortedMarkers);
        EXPECT_EQ(index.RunEnds, rebuilt.RunEnds);
        EXPECT_EQ(index.UnsortedMarkers, rebuilt.UnsortedMarkers);
        for (std::u16string_view word : HeadwordsOf(view)) {
            ExpectSameResults(view, index, word);
        }
    }
}

TEST(IndexedSearchTest, MissingBufferGivesAnEmptyIndex)
{
    DictionaryIndex index = DecodeAndIndexArticleBytes(nullptr, 10);
    EXPECT_TRUE(index.Text.empty());
    EXPECT_EQ(SearchHeadwordList(index, u"a").Outcome, HeadwordListOutcome::NoHeadwordBegins);
    EXPECT_EQ(SearchArticle(index, u"").Outcome, ArticleOutcome::NoExactHeadword);
}

}  // namespace
