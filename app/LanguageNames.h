#pragma once
#include <string>
#include <string_view>

// The two languages of the product; file names, tab captions, the Run value's
// name and the version label are all built from them. Direction 0 translates
// from SourceLanguageName.
inline constexpr std::u16string_view SourceLanguageName = u"English";
inline constexpr std::u16string_view TargetLanguageName = u"Italian";

// 0: English to Italian, 1: Italian to English. It is also the tab index.
using TranslationDirection = int;
inline constexpr int DirectionCount = 2;

// The language a direction translates from, and the one it translates to.
std::u16string_view FromLanguageName(TranslationDirection direction);
std::u16string_view ToLanguageName(TranslationDirection direction);

// "English Italian" for direction 0, "Italian English" for direction 1.
std::u16string DirectionCaption(TranslationDirection direction);
