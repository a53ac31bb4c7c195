#pragma once
// The look-ups written as plainly as possible: nested loops over the text,
// step by step as the headword list and the article are defined, with no
// library search and no index. The oracle of the differential tests and the
// baseline of the benchmark.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/HeadwordSearch.h"

namespace reference {

constexpr std::size_t npos = std::u16string_view::npos;

// The first position where pattern occurs in text, from the start.
inline std::size_t FirstOccurrence(std::u16string_view text, std::u16string_view pattern)
{
    if (pattern.size() > text.size()) {
        return npos;
    }
    for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        std::size_t j = 0;
        while (j < pattern.size() && text[i + j] == pattern[j]) {
            ++j;
        }
        if (j == pattern.size()) {
            return i;
        }
    }
    return npos;
}

inline std::size_t NextBar(std::u16string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == u'|') {
            return i;
        }
    }
    return npos;
}

inline HeadwordListMatch SearchHeadwordList(std::u16string_view text, std::u16string_view word)
{
    HeadwordListMatch result;
    std::u16string pattern = u"\n|";
    pattern += word;
    std::size_t match = FirstOccurrence(text, pattern);
    if (match == npos) {
        result.Outcome = HeadwordListOutcome::NoHeadwordBegins;
        return result;
    }
    std::size_t start = match + 2;
    while (true) {
        std::size_t bar = NextBar(text, start);
        if (bar == npos) {
            result.Headwords.clear();
            result.Outcome = HeadwordListOutcome::ScanRanOffEnd;
            return result;
        }
        std::size_t next = NextBar(text, bar + 1);
        if (next == npos) {
            result.Headwords.clear();
            result.Outcome = HeadwordListOutcome::ScanRanOffEnd;
            return result;
        }
        result.Headwords.push_back(text.substr(start, bar - start));
        if (result.Headwords.size() == HeadwordListLimit) {
            result.Outcome = HeadwordListOutcome::Listed;
            return result;
        }
        start = next + 1;
    }
}

inline ArticleMatch SearchArticle(std::u16string_view text, std::u16string_view word)
{
    ArticleMatch result;
    std::u16string pattern = u"\n|";
    pattern += word;
    pattern += u'|';
    std::size_t match = FirstOccurrence(text, pattern);
    if (match == npos) {
        result.Outcome = ArticleOutcome::NoExactHeadword;
        return result;
    }
    std::size_t first = NextBar(text, match + 2);
    std::size_t second = NextBar(text, first + 1);
    if (second == npos) {
        result.Outcome = ArticleOutcome::NoClosingBar;
        return result;
    }
    result.Outcome = ArticleOutcome::Found;
    result.Article = text.substr(first + 1, second - first - 1);
    return result;
}

// Offsets into the searched text, so that results over two copies of one
// text compare as the same records.
inline std::vector<std::pair<std::size_t, std::size_t>> Places(std::u16string_view text,
                                                               const std::vector<std::u16string_view>& views)
{
    std::vector<std::pair<std::size_t, std::size_t>> places;
    for (std::u16string_view view : views) {
        places.emplace_back(static_cast<std::size_t>(view.data() - text.data()), view.size());
    }
    return places;
}

}  // namespace reference
