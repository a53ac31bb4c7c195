#include "app/CaptureText.h"

std::u16string_view TrimBlanks(std::u16string_view text)
{
    std::size_t last = text.find_last_not_of(u' ');
    if (last == std::u16string_view::npos) {
        return {};
    }
    text = text.substr(0, last + 1);
    return text.substr(text.find_first_not_of(u' '));
}
