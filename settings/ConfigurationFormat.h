#pragma once
#include <map>
#include <string>
#include <string_view>

// Configuration.dat: single-byte text (ISO 8859-1), one "key=value" a line,
// CR LF written, LF or CR LF read. Keys are exact: case-sensitive, untrimmed.
using Settings = std::map<std::u16string, std::u16string>;

inline constexpr std::u16string_view LoadOnStartKey = u"LoadOnStart";
inline constexpr std::u16string_view AlwaysOnTopKey = u"AlwaysOnTop";
inline constexpr std::u16string_view DefaultLanguageIdKey = u"DefaultLanguageId";

// Lines longer than this (without the line end) end the reading.
inline constexpr std::size_t ConfigurationLineLimit = 1023;

// On when the value's first four characters are exactly "true".
bool IsTrueSetting(std::u16string_view value);

// A decimal integer: leading white space skipped, an optional sign, digits up
// to the first other character; no digits read as 0. Saturates at int's range.
int ReadDecimalSetting(std::u16string_view value);

// Adds the entries of the file's bytes; a key already present keeps its value,
// so of two lines with the same key the first counts. A line without "=" adds
// nothing. The reading stops at the first line over the limit.
void ParseConfiguration(std::string_view bytes, Settings& settings);

// The three lines the program writes, from the settings or their defaults.
std::string FormatConfiguration(const Settings& settings);

// The stored setting of a key, if there is one.
const std::u16string* FindSetting(const Settings& settings, std::u16string_view key);
