#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/HeadwordSearch.h"

namespace {

using Headwords = std::vector<std::u16string>;

// "\n|headword|article" for each record, then a closing "\n|": each article
// is then shown followed by the line feed of the next marker.
std::u16string RecordsText(const std::vector<std::pair<std::u16string, std::u16string>>& records)
{
    std::u16string text = u"title line";
    for (const auto& [headword, article] : records) {
        text += u"\n|" + headword + u"|" + article;
    }
    return text + u"\n|";
}

std::u16string Numbered(const char16_t* prefix, int n)
{
    std::u16string text(prefix);
    text += static_cast<char16_t>(u'0' + n / 10);
    text += static_cast<char16_t>(u'0' + n % 10);
    return text;
}

// ab, abacus, abandon, b, then the headwords r00 ... r29 with the articles R00 ... R29.
const std::u16string& BrowsingText()
{
    static const std::u16string text = [] {
        std::vector<std::pair<std::u16string, std::u16string>> records = {
            {u"ab", u"AB"}, {u"abacus", u"ABACUS"}, {u"abandon", u"ABANDON"}, {u"b", u"B"}};
        for (int i = 0; i < 30; ++i) {
            records.emplace_back(Numbered(u"r", i), Numbered(u"R", i));
        }
        return RecordsText(records);
    }();
    return text;
}

Headwords BrowsingHeadwords(std::size_t first, std::size_t count)
{
    Headwords all = {u"ab", u"abacus", u"abandon", u"b"};
    for (int i = 0; i < 30; ++i) {
        all.push_back(Numbered(u"r", i));
    }
    return Headwords(all.begin() + first, all.begin() + first + count);
}

Headwords AsStrings(const std::vector<std::u16string_view>& views)
{
    return Headwords(views.begin(), views.end());
}

// Three records, each followed by the next marker: LF|x|X1 LF|y|Y1 LF|z|Z1 LF|
constexpr std::u16string_view ShortText = u"\n|x|X1\n|y|Y1\n|z|Z1\n|";
// The same without its final marker.
constexpr std::u16string_view UnclosedText = u"\n|x|X1\n|y|Y1\n|z|Z1";

struct ListCase {
    const char* Name;
    std::u16string_view Text;
    std::u16string Word;
    HeadwordListOutcome Outcome;
    Headwords Listed;
};

class SearchHeadwordListTest : public testing::TestWithParam<ListCase> {};

TEST_P(SearchHeadwordListTest, ListsConsecutiveRecordsFromTheFirstMatch)
{
    const ListCase& c = GetParam();
    HeadwordListMatch match = SearchHeadwordList(c.Text, c.Word);
    EXPECT_EQ(match.Outcome, c.Outcome);
    EXPECT_EQ(AsStrings(match.Headwords), c.Listed);
}

std::u16string RecordsOf(int count)
{
    std::vector<std::pair<std::u16string, std::u16string>> records;
    for (int i = 0; i < count; ++i) {
        records.emplace_back(Numbered(u"w", i), u"article");
    }
    return RecordsText(records);
}

const std::u16string TwentyFiveRecords = RecordsOf(25);
const std::u16string TwentyFourRecords = RecordsOf(24);

Headwords NumberedHeadwords(int count)
{
    Headwords headwords;
    for (int i = 0; i < count; ++i) {
        headwords.push_back(Numbered(u"w", i));
    }
    return headwords;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchHeadwordListTest,
    testing::Values(
        ListCase{"WholeHeadword", BrowsingText(), u"ab", HeadwordListOutcome::Listed, BrowsingHeadwords(0, 25)},
        ListCase{"PrefixOfLaterHeadword", BrowsingText(), u"aba", HeadwordListOutcome::Listed,
                 BrowsingHeadwords(1, 25)},
        ListCase{"LaterRecordsNeedNotMatch", BrowsingText(), u"b", HeadwordListOutcome::Listed,
                 BrowsingHeadwords(3, 25)},
        ListCase{"CaseSensitive", BrowsingText(), u"Ab", HeadwordListOutcome::NoHeadwordBegins, {}},
        ListCase{"NoTrimming", BrowsingText(), u" ab", HeadwordListOutcome::NoHeadwordBegins, {}},
        ListCase{"TrailingBlankNotTrimmed", BrowsingText(), u"ab ", HeadwordListOutcome::NoHeadwordBegins, {}},
        ListCase{"TextBeforeFirstMarkerNeverMatches", BrowsingText(), u"title",
                 HeadwordListOutcome::NoHeadwordBegins, {}},
        ListCase{"EmptyWordListsFromTheStart", BrowsingText(), u"", HeadwordListOutcome::Listed,
                 BrowsingHeadwords(0, 25)},
        ListCase{"NearTheEndRunsOffTheText", BrowsingText(), u"r20", HeadwordListOutcome::ScanRanOffEnd, {}},
        ListCase{"ShortTextRunsOffTheEnd", ShortText, u"y", HeadwordListOutcome::ScanRanOffEnd, {}},
        ListCase{"UnclosedLastRecord", UnclosedText, u"z", HeadwordListOutcome::ScanRanOffEnd, {}},
        ListCase{"ExactlyTheLimit", TwentyFiveRecords, u"w00", HeadwordListOutcome::Listed,
                 NumberedHeadwords(25)},
        ListCase{"OneShortOfTheLimit", TwentyFourRecords, u"w00", HeadwordListOutcome::ScanRanOffEnd, {}},
        ListCase{"WordWithBarStartsAtItsRecord", ShortText, u"x|X", HeadwordListOutcome::ScanRanOffEnd, {}},
        ListCase{"WordWithBarLists", BrowsingText(), u"abandon|ABAN", HeadwordListOutcome::Listed,
                 BrowsingHeadwords(2, 25)}),
    [](const testing::TestParamInfo<ListCase>& info) { return std::string(info.param.Name); });

struct ArticleCase {
    const char* Name;
    std::u16string_view Text;
    std::u16string Word;
    ArticleOutcome Outcome;
    std::u16string Article;
};

class SearchArticleTest : public testing::TestWithParam<ArticleCase> {};

TEST_P(SearchArticleTest, ShowsTheTextBetweenTheTwoBars)
{
    const ArticleCase& c = GetParam();
    ArticleMatch match = SearchArticle(c.Text, c.Word);
    EXPECT_EQ(match.Outcome, c.Outcome);
    EXPECT_EQ(std::u16string(match.Article), c.Article);
}

constexpr std::u16string_view CarriageReturnText = u"\r\n|casa|house\r\nhome\r\n|cane|dog\r\n|";
// A record with an empty body, as a malformed file may have.
constexpr std::u16string_view BarredText = u"\n|a|b|c\n|d|e\n|";

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchArticleTest,
    testing::Values(
        ArticleCase{"ExactHeadword", BrowsingText(), u"ab", ArticleOutcome::Found, u"AB\n"},
        ArticleCase{"LaterRecord", BrowsingText(), u"abandon", ArticleOutcome::Found, u"ABANDON\n"},
        ArticleCase{"LastRecordBeforeClosingMarker", BrowsingText(), u"r29", ArticleOutcome::Found, u"R29\n"},
        ArticleCase{"PrefixIsNoHeadword", BrowsingText(), u"aba", ArticleOutcome::NoExactHeadword, u""},
        ArticleCase{"CaseSensitive", BrowsingText(), u"Ab", ArticleOutcome::NoExactHeadword, u""},
        ArticleCase{"NoTrimming", BrowsingText(), u" ab", ArticleOutcome::NoExactHeadword, u""},
        ArticleCase{"EmptyWordWithoutEmptyHeadword", BrowsingText(), u"", ArticleOutcome::NoExactHeadword, u""},
        ArticleCase{"EmptyHeadword", u"\n|a|A\n||empty\n|", u"", ArticleOutcome::Found, u"empty\n"},
        ArticleCase{"EndsWithNextMarkersLineFeed", ShortText, u"y", ArticleOutcome::Found, u"Y1\n"},
        ArticleCase{"LastRecordClosedByFinalMarker", ShortText, u"z", ArticleOutcome::Found, u"Z1\n"},
        ArticleCase{"UnclosedLastRecord", UnclosedText, u"z", ArticleOutcome::NoClosingBar, u""},
        ArticleCase{"UnclosedTextEarlierRecord", UnclosedText, u"y", ArticleOutcome::Found, u"Y1\n"},
        ArticleCase{"CarriageReturnKeptWithLineBreaks", CarriageReturnText, u"casa", ArticleOutcome::Found,
                    u"house\r\nhome\r\n"},
        ArticleCase{"WordWithBarEndsAtItsSecondBar", BarredText, u"a|b", ArticleOutcome::Found, u"b"},
        ArticleCase{"WordWithBarAndLineFeed", ShortText, u"x|X1\n", ArticleOutcome::Found, u"X1\n"},
        ArticleCase{"WordWithBarNotInText", ShortText, u"x|Y", ArticleOutcome::NoExactHeadword, u""}),
    [](const testing::TestParamInfo<ArticleCase>& info) { return std::string(info.param.Name); });

// Headwords that share their first 600 units: only the whole word tells them apart.
TEST(SearchLongWordTest, WordsLongerThanAnyPatternBufferAreSearchedWhole)
{
    std::u16string common(600, u'l');
    std::u16string first = common + u"a";
    std::u16string second = common + u"b";
    std::u16string text = RecordsText({{first, u"first"}, {second, u"second"}});

    ArticleMatch article = SearchArticle(text, second);
    EXPECT_EQ(article.Outcome, ArticleOutcome::Found);
    EXPECT_EQ(std::u16string(article.Article), u"second\n");

    EXPECT_EQ(SearchArticle(text, common).Outcome, ArticleOutcome::NoExactHeadword);
    EXPECT_EQ(SearchArticle(text, common + u"c").Outcome, ArticleOutcome::NoExactHeadword);
    EXPECT_EQ(SearchHeadwordList(text, common + u"c").Outcome, HeadwordListOutcome::NoHeadwordBegins);
}

// Records far beyond the sizes of the old fixed buffers come back whole.
TEST(SearchLongRecordTest, LongHeadwordsAndArticlesComeBackWhole)
{
    std::u16string headword(2000, u'h');
    std::u16string article(60000, u'x');
    std::vector<std::pair<std::u16string, std::u16string>> records = {{headword, article}};
    for (int i = 0; i < 30; ++i) {
        records.emplace_back(Numbered(u"r", i), u"R");
    }
    std::u16string text = RecordsText(records);

    HeadwordListMatch list = SearchHeadwordList(text, u"hh");
    ASSERT_EQ(list.Outcome, HeadwordListOutcome::Listed);
    ASSERT_EQ(list.Headwords.size(), HeadwordListLimit);
    EXPECT_EQ(list.Headwords[0], headword);

    ArticleMatch match = SearchArticle(text, headword);
    ASSERT_EQ(match.Outcome, ArticleOutcome::Found);
    EXPECT_EQ(match.Article.size(), article.size() + 1);
    EXPECT_EQ(match.Article, article + u"\n");
}

}  // namespace
