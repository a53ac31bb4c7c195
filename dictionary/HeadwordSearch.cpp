#include "dictionary/HeadwordSearch.h"

#include <string>

namespace {

std::u16string PrefixPattern(std::u16string_view word)
{
    std::u16string pattern(RecordMarker);
    pattern += word;
    return pattern;
}

}  // namespace

HeadwordListMatch SearchHeadwordList(std::u16string_view text, std::u16string_view word)
{
    HeadwordListMatch result;
    std::size_t match = text.find(PrefixPattern(word));
    if (match == std::u16string_view::npos) {
        result.Outcome = HeadwordListOutcome::NoHeadwordBegins;
        return result;
    }
    // Only the first headword is compared with the word; the rest are simply
    // the records that follow it in the file.
    std::size_t start = match + RecordMarker.size();
    while (true) {
        std::size_t closingBar = text.find(RecordBar, start);
        std::size_t nextBar = closingBar == std::u16string_view::npos
                                  ? std::u16string_view::npos
                                  : text.find(RecordBar, closingBar + 1);
        if (nextBar == std::u16string_view::npos) {
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

ArticleMatch SearchArticle(std::u16string_view text, std::u16string_view word)
{
    ArticleMatch result;
    std::u16string pattern = PrefixPattern(word);
    pattern += RecordBar;
    std::size_t match = text.find(pattern);
    if (match == std::u16string_view::npos) {
        result.Outcome = ArticleOutcome::NoExactHeadword;
        return result;
    }
    // For a word without bars the first bar is the one closing the headword;
    // a word with bars ends its "article" at its own second bar.
    std::size_t firstBar = text.find(RecordBar, match + RecordMarker.size());
    std::size_t secondBar = text.find(RecordBar, firstBar + 1);
    if (secondBar == std::u16string_view::npos) {
        result.Outcome = ArticleOutcome::NoClosingBar;
        return result;
    }
    result.Outcome = ArticleOutcome::Found;
    result.Article = text.substr(firstBar + 1, secondBar - firstBar - 1);
    return result;
}
