#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/ConfigurationFormat.h"

namespace {

using namespace std::string_literals;

// ---- IsTrueSetting

struct TrueCase {
    std::u16string_view Value;
    bool On;
};

class IsTrueSettingTest : public testing::TestWithParam<TrueCase> {};

TEST_P(IsTrueSettingTest, OnlyAnExactLowerCaseTrueAtTheStartCounts)
{
    EXPECT_EQ(IsTrueSetting(GetParam().Value), GetParam().On);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsTrueSettingTest,
                         testing::Values(TrueCase{u"true", true}, TrueCase{u"true x", true},
                                         TrueCase{u"truex", true}, TrueCase{u"true=x", true},
                                         TrueCase{u"true\r", true}, TrueCase{u"True", false},
                                         TrueCase{u"TRUE", false}, TrueCase{u"tRUE", false},
                                         TrueCase{u"tru", false}, TrueCase{u"", false},
                                         TrueCase{u" true", false}, TrueCase{u"\ttrue", false},
                                         TrueCase{u"false", false}, TrueCase{u"1", false},
                                         TrueCase{u"yes", false}));

// ---- the decimal reading of "DefaultLanguageId"

struct DecimalCase {
    std::u16string_view Value;
    int Number;
};

class ReadDecimalSettingTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(ReadDecimalSettingTest, ReadsBlanksSignAndLeadingDigits)
{
    EXPECT_EQ(ReadDecimalSetting(GetParam().Value), GetParam().Number);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadDecimalSettingTest,
                         testing::Values(DecimalCase{u"0", 0}, DecimalCase{u"1", 1}, DecimalCase{u" 1", 1},
                                         DecimalCase{u"\t 1", 1}, DecimalCase{u"+1", 1}, DecimalCase{u"-1", -1},
                                         DecimalCase{u"01", 1}, DecimalCase{u"1x", 1}, DecimalCase{u"1 2", 1},
                                         DecimalCase{u"1\r", 1}, DecimalCase{u"12", 12}, DecimalCase{u"x1", 0},
                                         DecimalCase{u"", 0}, DecimalCase{u" ", 0}, DecimalCase{u"+", 0},
                                         DecimalCase{u"-", 0}, DecimalCase{u"- 1", 0}, DecimalCase{u"+-1", 0},
                                         DecimalCase{u"\u0661", 0},  // an Arabic-Indic one is no digit
                                         DecimalCase{u"2147483647", INT_MAX},
                                         DecimalCase{u"-2147483648", INT_MIN},
                                         DecimalCase{u"99999999999999999999", INT_MAX},
                                         DecimalCase{u"-99999999999999999999", INT_MIN}));

// ---- reading

Settings Parsed(std::string_view bytes)
{
    Settings settings;
    ParseConfiguration(bytes, settings);
    return settings;
}

TEST(ParseConfigurationTest, ReadsCrLfAndLfFilesTheSame)
{
    Settings expected = {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}};
    EXPECT_EQ(Parsed("LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n"), expected);
    EXPECT_EQ(Parsed("LoadOnStart=true\nAlwaysOnTop=false\nDefaultLanguageId=1\n"), expected);
    // The last line may lack its line end.
    EXPECT_EQ(Parsed("LoadOnStart=true\r\nAlwaysOnTop=false\nDefaultLanguageId=1"), expected);
}

TEST(ParseConfigurationTest, KeepsACarriageReturnThatIsNoLineEnd)
{
    Settings settings = Parsed("A=x\rB=y\r\nC=z\r\r\nD=w\r");
    EXPECT_EQ(settings, (Settings{{u"A", u"x\rB=y"}, {u"C", u"z\r"}, {u"D", u"w\r"}}));
}

TEST(ParseConfigurationTest, AnEmptyFileGivesNoSettings)
{
    EXPECT_TRUE(Parsed("").empty());
    EXPECT_TRUE(Parsed("\r\n\n\r\n").empty());
}

std::string LineOfLength(std::size_t length, std::string_view key = "Long")
{
    std::string line(key);
    line += '=';
    line.append(length - line.size(), 'v');
    return line;
}

TEST(ParseConfigurationTest, ReadsALineOf1023CharactersWhole)
{
    for (std::string_view end : {"\r\n", "\n", ""}) {
        std::string line = LineOfLength(1023);
        std::string bytes = "AlwaysOnTop=true\r\n" + line + std::string(end);
        if (!end.empty()) {
            bytes += "DefaultLanguageId=1\r\n";
        }
        Settings settings = Parsed(bytes);
        ASSERT_NE(FindSetting(settings, u"Long"), nullptr) << "line end " << end.size();
        EXPECT_EQ(FindSetting(settings, u"Long")->size(), 1023u - 5u);
        EXPECT_EQ(settings.size(), end.empty() ? 2u : 3u);
    }
}

TEST(ParseConfigurationTest, ALineOf1024CharactersEndsTheReading)
{
    for (std::string_view end : {"\r\n", "\n", ""}) {
        std::string bytes = "AlwaysOnTop=true\r\n" + LineOfLength(1024) + std::string(end) + "DefaultLanguageId=1\r\n";
        // Only the lines before the long one count.
        EXPECT_EQ(Parsed(bytes), (Settings{{u"AlwaysOnTop", u"true"}})) << "line end " << end.size();
    }
    // A carriage return that ends no line counts towards the length.
    EXPECT_TRUE(Parsed(LineOfLength(1023) + "\r").empty());
}

TEST(ParseConfigurationTest, OfTwoLinesWithTheSameKeyTheFirstCounts)
{
    Settings settings = Parsed("AlwaysOnTop=true\r\nDefaultLanguageId=1\r\nAlwaysOnTop=false\r\n");
    EXPECT_EQ(settings, (Settings{{u"AlwaysOnTop", u"true"}, {u"DefaultLanguageId", u"1"}}));
}

TEST(ParseConfigurationTest, FurtherEqualsSignsBelongToTheValue)
{
    Settings settings = Parsed("AlwaysOnTop=true=x\r\n==\r\n");
    EXPECT_EQ(settings, (Settings{{u"AlwaysOnTop", u"true=x"}, {u"", u"="}}));
    EXPECT_TRUE(IsTrueSetting(settings.at(u"AlwaysOnTop")));
}

TEST(ParseConfigurationTest, KeysAreExactCaseAndBlanksIncluded)
{
    Settings settings = Parsed("alwaysontop=true\r\nAlwaysOnTop = true\r\n LoadOnStart=true\r\n");
    EXPECT_EQ(FindSetting(settings, AlwaysOnTopKey), nullptr);
    EXPECT_EQ(FindSetting(settings, LoadOnStartKey), nullptr);
    EXPECT_EQ(settings, (Settings{{u"alwaysontop", u"true"}, {u"AlwaysOnTop ", u" true"}, {u" LoadOnStart", u"true"}}));
}

TEST(ParseConfigurationTest, AUtf8ByteOrderMarkBecomesPartOfTheFirstKey)
{
    Settings settings = Parsed("\xEF\xBB\xBFLoadOnStart=true\r\nAlwaysOnTop=true\r\n");
    EXPECT_EQ(FindSetting(settings, LoadOnStartKey), nullptr);
    EXPECT_EQ(settings, (Settings{{u"\u00EF\u00BB\u00BFLoadOnStart", u"true"}, {u"AlwaysOnTop", u"true"}}));
}

TEST(ParseConfigurationTest, AUtf16FileYieldsNoSetting)
{
    std::u16string text = u"\uFEFFLoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n";
    for (bool bigEndian : {false, true}) {
        std::string bytes;
        for (char16_t unit : text) {
            char low = static_cast<char>(unit & 0xFF);
            char high = static_cast<char>(unit >> 8);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        Settings settings = Parsed(bytes);
        for (std::u16string_view key : {LoadOnStartKey, AlwaysOnTopKey, DefaultLanguageIdKey}) {
            EXPECT_EQ(FindSetting(settings, key), nullptr) << (bigEndian ? "big" : "little") << " endian";
        }
    }
}

TEST(ParseConfigurationTest, ALineWithoutEqualsSignAddsNothing)
{
    Settings settings = Parsed("AlwaysOnTop\r\nLoadOnStart=true\r\njust text\r\nDefaultLanguageId=1");
    EXPECT_EQ(settings, (Settings{{u"LoadOnStart", u"true"}, {u"DefaultLanguageId", u"1"}}));
}

TEST(ParseConfigurationTest, EachByteIsTheCharacterOfItsCode)
{
    Settings settings = Parsed("Caf\xE9=\xFF\x80\x01\r\nNul\0Key=a\0b\r\n"s);
    EXPECT_EQ(settings, (Settings{{u"Caf\u00E9", u"\u00FF\u0080\u0001"}, {u"Nul\0Key"s, u"a\0b"s}}));
}

// ---- writing

TEST(FormatConfigurationTest, WritesTheThreeLinesInTheirOrder)
{
    Settings settings = {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"},
                         {u"Other", u"kept in memory only"}};
    std::string bytes = FormatConfiguration(settings);
    EXPECT_EQ(bytes, "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n");
    EXPECT_EQ(bytes.size(), 58u);
}

TEST(FormatConfigurationTest, WritesTheDefaultForAnAbsentKey)
{
    EXPECT_EQ(FormatConfiguration({}), "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n");
    EXPECT_EQ(FormatConfiguration({{u"AlwaysOnTop", u"true"}}),
              "LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\n");
    EXPECT_EQ(FormatConfiguration({{u"LoadOnStart", u"false"}, {u"DefaultLanguageId", u"1"}}),
              "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n");
}

TEST(FormatConfigurationTest, StoresEachCharacterAsTheByteOfItsCode)
{
    Settings settings = {{u"LoadOnStart", u"caf\u00E9\u00FF"}};
    std::string bytes = FormatConfiguration(settings);
    EXPECT_EQ(bytes, "LoadOnStart=caf\xE9\xFF\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n");
    EXPECT_EQ(Parsed(bytes).at(u"LoadOnStart"), u"caf\u00E9\u00FF");
}

TEST(FormatConfigurationTest, WhatIsWrittenReadsBackAsTheThreeSettings)
{
    Settings written = {{u"LoadOnStart", u"false"}, {u"AlwaysOnTop", u"true"}, {u"DefaultLanguageId", u"1"}};
    EXPECT_EQ(Parsed(FormatConfiguration(written)), written);
}

}  // namespace
