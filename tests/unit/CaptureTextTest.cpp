#include <gtest/gtest.h>

#include "app/CaptureText.h"

namespace {

struct TrimCase {
    std::u16string_view Copied;
    std::u16string_view Captured;
};

class TrimBlanksTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimBlanksTest, RemovesOnlyBlanksAtBothEnds)
{
    EXPECT_EQ(TrimBlanks(GetParam().Copied), GetParam().Captured);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimBlanksTest,
                         testing::Values(TrimCase{u"house", u"house"}, TrimCase{u"  house  ", u"house"},
                                         TrimCase{u"   ", u""}, TrimCase{u"", u""},
                                         TrimCase{u" two words ", u"two words"},
                                         TrimCase{u"\thouse\t", u"\thouse\t"},
                                         TrimCase{u" house\r\n", u"house\r\n"},
                                         TrimCase{u"\u00A0house\u00A0", u"\u00A0house\u00A0"}));

}  // namespace
