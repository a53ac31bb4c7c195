#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/ArticleCoding.h"
#include "dictionary/HeadwordSearch.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A file as the program holds it: its bytes in a zero-filled block of
// exactly ArticleBufferSize bytes, so that the sanitizer sees any access
// beyond the block.
Bytes LoadedBlock(const Bytes& file)
{
    Bytes block(ArticleBufferSize(static_cast<std::uint32_t>(file.size())), 0);
    std::copy(file.begin(), file.end(), block.begin());
    return block;
}

Bytes StoredBytesOf(std::u16string_view plain)
{
    Bytes bytes;
    for (char16_t unit : plain) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    EncodeArticleBytes(bytes.data(), bytes.size());
    return bytes;
}

struct DecodeCase {
    const char* Name;
    Bytes Stored;
    Bytes Decoded;
};

class DecodeArticleBytesTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeArticleBytesTest, ShiftsEveryByteBackAndLeavesTheEndZero)
{
    const DecodeCase& c = GetParam();
    Bytes block = LoadedBlock(c.Stored);
    auto size = static_cast<std::uint32_t>(c.Stored.size());
    DecodeArticleBytes(block.data(), size);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + size), c.Decoded);
    // Whatever follows the file's bytes stays zero: the text ends with a whole zero code unit.
    std::size_t end = (size + 1) / 2 * 2;
    ASSERT_GE(block.size(), end + 2);
    EXPECT_EQ(Bytes(block.begin() + end, block.end()), Bytes(block.size() - end, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeArticleBytesTest,
    testing::Values(DecodeCase{"LowBytesWrapAround", {0x00, 0x01, 0x02, 0x03}, {0xFE, 0xFF, 0x00, 0x01}},
                    DecodeCase{"StartOfRecordForA",
                               {0x0C, 0x02, 0x7E, 0x02, 0x63, 0x02, 0x7E, 0x02},
                               {0x0A, 0x00, 0x7C, 0x00, 0x61, 0x00, 0x7C, 0x00}},
                    DecodeCase{"HighBytes", {0xFF, 0xFE, 0x80, 0x81}, {0xFD, 0xFC, 0x7E, 0x7F}},
                    DecodeCase{"Empty", {}, {}},
                    // The trailing half code unit of an odd-sized file is dropped.
                    DecodeCase{"OddSizeDropsTrailingHalfUnit", {0x0C, 0x02, 0x7E}, {0x0A, 0x00, 0x00}},
                    DecodeCase{"SingleByte", {0x63}, {0x00}}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.Name); });

TEST(EncodeArticleBytesTest, DecodingUndoesEncodingForEveryByteValue)
{
    Bytes plain(256);
    for (int i = 0; i < 256; ++i) {
        plain[i] = static_cast<unsigned char>(i);
    }
    Bytes stored = plain;
    EncodeArticleBytes(stored.data(), stored.size());
    EXPECT_EQ(stored[0], 0x02);
    EXPECT_EQ(stored[0xFE], 0x00);
    EXPECT_EQ(stored[0xFF], 0x01);
    Bytes block = LoadedBlock(stored);
    DecodeArticleBytes(block.data(), static_cast<std::uint32_t>(stored.size()));
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 256), plain);
}

struct BufferSizeCase {
    std::uint32_t FileSize;
    std::size_t BufferSize;
};

class ArticleBufferSizeTest : public testing::TestWithParam<BufferSizeCase> {};

TEST_P(ArticleBufferSizeTest, HoldsTheFileRoundedToWholeUnitsAndOneZeroUnit)
{
    EXPECT_EQ(ArticleBufferSize(GetParam().FileSize), GetParam().BufferSize);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArticleBufferSizeTest,
                         testing::Values(BufferSizeCase{0, 2}, BufferSizeCase{1, 4}, BufferSizeCase{2, 4},
                                         BufferSizeCase{3, 6}, BufferSizeCase{8, 10},
                                         BufferSizeCase{0xFFFFFFFFu, std::size_t{0x100000000} + 2}));

struct TextViewCase {
    const char* Name;
    Bytes File;  // the decoded file bytes
    std::u16string Text;
};

class ArticleTextViewTest : public testing::TestWithParam<TextViewCase> {};

TEST_P(ArticleTextViewTest, EndsAtTheFileOrItsFirstZeroUnit)
{
    const TextViewCase& c = GetParam();
    Bytes block = LoadedBlock(c.File);
    EXPECT_EQ(std::u16string(ArticleTextView(block.data(), static_cast<std::uint32_t>(c.File.size()))), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArticleTextViewTest,
    testing::Values(TextViewCase{"WholeFile", {0x0A, 0x00, 0x7C, 0x00, 0x61, 0x00, 0x7C, 0x00}, u"\n|a|"},
                    TextViewCase{"StopsAtFirstZeroUnit", {0x61, 0x00, 0x00, 0x00, 0x62, 0x00}, u"a"},
                    TextViewCase{"ZeroLowByteIsNoZeroUnit", {0x00, 0x01, 0x61, 0x00}, u"\u0100a"},
                    TextViewCase{"OddSizeHasWholeUnitsOnly", {0x61, 0x00, 0x7C}, u"a"},
                    TextViewCase{"Empty", {}, u""}),
    [](const testing::TestParamInfo<TextViewCase>& info) { return std::string(info.param.Name); });

TEST(ArticleTextViewTest, NoBlockIsNoText)
{
    EXPECT_TRUE(ArticleTextView(nullptr, 0).empty());
    EXPECT_TRUE(ArticleTextView(nullptr, 8).empty());
}

// From stored file to look-up: the decoded text ends where the file ends.
TEST(ArticleFilePipelineTest, StoredFileIsSearchedUpToItsLastByte)
{
    Bytes stored = StoredBytesOf(u"\uFEFF\n|a|one\n|b|two\n|");
    Bytes block = LoadedBlock(stored);
    auto size = static_cast<std::uint32_t>(stored.size());
    DecodeArticleBytes(block.data(), size);
    std::u16string_view text = ArticleTextView(block.data(), size);
    EXPECT_EQ(text, u"\uFEFF\n|a|one\n|b|two\n|");
    ArticleMatch match = SearchArticle(text, u"b");
    EXPECT_EQ(match.Outcome, ArticleOutcome::Found);
    EXPECT_EQ(match.Article, u"two\n");
}

// The low byte of a bar left over at the end of an odd-sized file must not
// become a bar that closes the last article.
TEST(ArticleFilePipelineTest, TrailingHalfUnitNeverClosesAnArticle)
{
    Bytes stored = StoredBytesOf(u"\n|a|one");
    stored.push_back(static_cast<unsigned char>(u'|' + 2));
    Bytes block = LoadedBlock(stored);
    auto size = static_cast<std::uint32_t>(stored.size());
    DecodeArticleBytes(block.data(), size);
    std::u16string_view text = ArticleTextView(block.data(), size);
    EXPECT_EQ(text, u"\n|a|one");
    EXPECT_EQ(SearchArticle(text, u"a").Outcome, ArticleOutcome::NoClosingBar);
}

}  // namespace
