#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// Stored article files carry every byte of their UTF-16LE text shifted by 2
// (mod 256), with no header; decoding is one pass in place.

// Bytes to allocate for a file of byteSize bytes: the file itself, rounded up
// to a whole code unit, and one zero code unit that ends the text.
std::size_t ArticleBufferSize(std::uint32_t byteSize);

// Undoes the shift of the byteSize file bytes. A trailing half code unit of an
// odd-sized file is cleared, so the text ends with a whole zero code unit.
void DecodeArticleBytes(unsigned char* bytes, std::uint32_t byteSize);

// Applies the shift: the inverse of DecodeArticleBytes for whole files.
void EncodeArticleBytes(unsigned char* bytes, std::size_t byteSize);

// The decoded text as the look-ups see it: the whole code units of the file
// up to the first zero code unit.
std::u16string_view ArticleTextView(const unsigned char* bytes, std::uint32_t byteSize);
