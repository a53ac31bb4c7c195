#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

#include "dictionary/DictionaryIndex.h"

// The look-ups in a decoded article text. A record is a line feed and a bar
// (the record marker), the headword, a bar and the article body; records are
// in the order the user browses them. Matching is a plain first-occurrence
// search of code units: case-sensitive, nothing trimmed or normalised.

inline constexpr char16_t RecordBar = u'|';
inline constexpr std::u16string_view RecordMarker = u"\n|";
inline constexpr std::size_t HeadwordListLimit = 25;

enum class HeadwordListOutcome {
    Listed,            // up to HeadwordListLimit headwords, from the first one that begins with the word
    NoHeadwordBegins,  // no record starts with the word: list and article emptied
    ScanRanOffEnd,     // the walk met the end of the text before the limit: list and article emptied
};

struct HeadwordListMatch {
    HeadwordListOutcome Outcome = HeadwordListOutcome::NoHeadwordBegins;
    std::vector<std::u16string_view> Headwords;  // only for Listed
};

enum class ArticleOutcome {
    Found,            // Article holds the text between the two bars
    NoExactHeadword,  // no record's headword equals the word: article emptied, list kept
    NoClosingBar,     // no bar follows the article: list and article emptied
};

struct ArticleMatch {
    ArticleOutcome Outcome = ArticleOutcome::NoExactHeadword;
    std::u16string_view Article;
};

HeadwordListMatch SearchHeadwordList(std::u16string_view text, std::u16string_view word);
ArticleMatch SearchArticle(std::u16string_view text, std::u16string_view word);

// The same look-ups through an index of the text (BuildDictionaryIndex or
// DecodeAndIndexArticleBytes): the same results, without scanning the text.
HeadwordListMatch SearchHeadwordList(const DictionaryIndex& index, std::u16string_view word);
ArticleMatch SearchArticle(const DictionaryIndex& index, std::u16string_view word);
