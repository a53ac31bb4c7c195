#include "dictionary/HeadwordSearch.h"

#include <string>

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

// The two look-ups, written once over the two questions they ask of the text:
// where the first record marker followed by a pattern is, and where the next
// bar is. The plain search asks the text itself, the indexed one its index;
// both give the same answers, so the results are the same.
template <class FindMarker, class FindBar>
HeadwordListMatch ListHeadwords(std::u16string_view text, std::u16string_view word, FindMarker findMarker,
                                FindBar findBar)
{
    HeadwordListMatch result;
    std::size_t match = findMarker(word);
    if (match == npos) {
        result.Outcome = HeadwordListOutcome::NoHeadwordBegins;
        return result;
    }
    // Only the first headword is compared with the word; the rest are simply
    // the records that follow it in the file.
    std::size_t start = match + RecordMarker.size();
    while (true) {
        std::size_t closingBar = findBar(start);
        std::size_t nextBar = closingBar == npos ? npos : findBar(closingBar + 1);
        if (nextBar == npos) {
            result.Headwords.clear();
            result.Outcome = HeadwordListOutcome::ScanRanOffEnd;
            return result;
        }
        result.Headwords.push_back(text.substr(start, closingBar - start));
        if (result.Headwords.size() == HeadwordListLimit) {
            result.Outcome = HeadwordListOutcome::Listed;
            return result;
        }
        start = nextBar + 1;
    }
}

template <class FindMarker, class FindBar>
ArticleMatch FindArticle(std::u16string_view text, std::u16string_view word, FindMarker findMarker,
                         FindBar findBar)
{
    ArticleMatch result;
    std::u16string pattern(word);
    pattern += RecordBar;
    std::size_t match = findMarker(pattern);
    if (match == npos) {
        result.Outcome = ArticleOutcome::NoExactHeadword;
        return result;
    }
    // For a word without bars the first bar is the one closing the headword;
    // a word with bars ends its "article" at its own second bar.
    std::size_t firstBar = findBar(match + RecordMarker.size());
    std::size_t secondBar = findBar(firstBar + 1);
    if (secondBar == npos) {
        result.Outcome = ArticleOutcome::NoClosingBar;
        return result;
    }
    result.Outcome = ArticleOutcome::Found;
    result.Article = text.substr(firstBar + 1, secondBar - firstBar - 1);
    return result;
}

auto PlainMarkerFinder(std::u16string_view text)
{
    return [text](std::u16string_view pattern) {
        std::u16string wanted(RecordMarker);
        wanted += pattern;
        return text.find(wanted);
    };
}

auto PlainBarFinder(std::u16string_view text)
{
    return [text](std::size_t from) { return text.find(RecordBar, from); };
}

auto IndexedMarkerFinder(const DictionaryIndex& index)
{
    return [&index](std::u16string_view pattern) { return FindMarkerFollowedBy(index, pattern); };
}

auto IndexedBarFinder(const DictionaryIndex& index)
{
    return [&index](std::size_t from) { return FindBar(index, from); };
}

}  // namespace

HeadwordListMatch SearchHeadwordList(std::u16string_view text, std::u16string_view word)
{
    return ListHeadwords(text, word, PlainMarkerFinder(text), PlainBarFinder(text));
}

ArticleMatch SearchArticle(std::u16string_view text, std::u16string_view word)
{
    return FindArticle(text, word, PlainMarkerFinder(text), PlainBarFinder(text));
}

HeadwordListMatch SearchHeadwordList(const DictionaryIndex& index, std::u16string_view word)
{
    return ListHeadwords(index.Text, word, IndexedMarkerFinder(index), IndexedBarFinder(index));
}

ArticleMatch SearchArticle(const DictionaryIndex& index, std::u16string_view word)
{
    return FindArticle(index.Text, word, IndexedMarkerFinder(index), IndexedBarFinder(index));
}
