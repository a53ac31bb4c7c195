#pragma once
#include <string_view>

// The captured word: only U+0020 is removed, at the end and then at the start;
// tabs, line breaks and other white space stay where they are.
std::u16string_view TrimBlanks(std::u16string_view text);
