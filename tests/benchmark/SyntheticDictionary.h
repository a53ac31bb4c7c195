#pragma once
// Deterministic article texts of any size for the look-up benchmark and the
// speed tests: records like the real dictionaries' (headwords of 3 to 15
// letters, nested forms such as "abandon" and "abandonment", a few repeated
// headwords, a few capitalised ones and Italian accented letters, all filed
// case- and accent-insensitively; articles with a pronunciation and CR LF
// line breaks). No windows.h: built for the native benchmark and the Windows
// tests alike.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The sizes of the two full article files, and ten times the larger one.
inline constexpr std::size_t EnglishItalianByteSize = 9'061'600;
inline constexpr std::size_t ItalianEnglishByteSize = 3'584'098;
inline constexpr std::size_t LargeDictionaryByteSize = 10 * EnglishItalianByteSize;

// The plain (decoded) text: a byte-order mark and a title line, the records
// "\r\n|headword|article", a closing "\r\n|", exactly byteSize bytes (an odd
// size is rounded down to whole code units). The same seed gives the same text.
std::u16string SyntheticArticleText(std::size_t byteSize, std::uint64_t seed);

// The same records in the opposite order: a text no dictionary files, for
// what an index does with one.
std::u16string ReversedRecords(std::u16string_view text);

// The headwords of a text in file order, each as often as it is filed.
std::vector<std::u16string_view> HeadwordsOf(std::u16string_view text);

// Stored form of a plain text, as an article file holds it.
std::string StoredArticleBytes(std::u16string_view plainText);
