#include "dictionary/ArticleCoding.h"

#include <cstring>

std::size_t ArticleBufferSize(std::uint32_t byteSize)
{
    std::size_t whole = (static_cast<std::size_t>(byteSize) + 1) / 2 * 2;
    return whole + sizeof(char16_t);
}

void DecodeArticleBytes(unsigned char* bytes, std::uint32_t byteSize)
{
    for (std::uint32_t i = 0; i < byteSize; ++i) {
        bytes[i] = static_cast<unsigned char>(bytes[i] - 2);
    }
    if (byteSize % 2 != 0) {
        bytes[byteSize - 1] = 0;
    }
}

void EncodeArticleBytes(unsigned char* bytes, std::size_t byteSize)
{
    for (std::size_t i = 0; i < byteSize; ++i) {
        bytes[i] = static_cast<unsigned char>(bytes[i] + 2);
    }
}

std::u16string_view ArticleTextView(const unsigned char* bytes, std::uint32_t byteSize)
{
    if (bytes == nullptr) {
        return {};
    }
    // The buffer was allocated as raw memory for UTF-16 text and is suitably
    // aligned; reading it as char16_t is how the text is meant to be used.
    std::u16string_view units(reinterpret_cast<const char16_t*>(bytes), byteSize / 2);
    return units.substr(0, units.find(u'\0'));
}
