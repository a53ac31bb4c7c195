#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "vendor/VendorHost.h"
#include "vendor/VendorUrls.h"

// The test programs link the loopback address as the vendor host.

namespace {

std::string Utf8(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return bytes;
}

TEST(VendorStrings, VersionLabelAndBaseKeepTheirBlankAndSlash)
{
    EXPECT_EQ(Utf8(VendorHost), "127.0.0.1");
    EXPECT_EQ(Utf8(VendorBaseUrl()), "http://127.0.0.1/");
    EXPECT_EQ(Utf8(VersionLabel()), "1.2.15 Italian");
}

struct DaysCase {
    CalendarDate Created;
    CalendarDate Today;
    int Days;
};

class UsageDaysTest : public testing::TestWithParam<DaysCase> {};

// A year counts 365 days and a month 30, whatever the calendar says.
TEST_P(UsageDaysTest, CountsYearsMonthsAndDaysApart)
{
    const DaysCase& c = GetParam();
    EXPECT_EQ(UsageDaysBetween(c.Created, c.Today), c.Days);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, UsageDaysTest,
    testing::Values(DaysCase{{2007, 3, 15}, {2008, 5, 10}, 420},  // one year, two months, five days back
                    DaysCase{{2007, 1, 31}, {2007, 2, 1}, 0},     // the next day, yet 0
                    DaysCase{{2007, 2, 28}, {2007, 3, 1}, 3},
                    DaysCase{{2007, 12, 31}, {2008, 1, 1}, 5},
                    DaysCase{{2007, 6, 10}, {2007, 6, 7}, -3},  // the clock is behind
                    DaysCase{{2024, 7, 4}, {2024, 7, 4}, 0},    // created today
                    DaysCase{{2010, 1, 1}, {2001, 1, 1}, -3285}));

TEST(UsageDaysSuffix, IsPlainDecimal)
{
    EXPECT_EQ(Utf8(UsageDaysSuffix(12)), "&ApplicationTotalDays_12");
    EXPECT_EQ(Utf8(UsageDaysSuffix(0)), "&ApplicationTotalDays_0");
    EXPECT_EQ(Utf8(UsageDaysSuffix(-3)), "&ApplicationTotalDays_-3");
    EXPECT_EQ(Utf8(UsageDaysSuffix(1234567)), "&ApplicationTotalDays_1234567");
    EXPECT_EQ(Utf8(UsageDaysSuffix(INT_MIN)), "&ApplicationTotalDays_-2147483648");
}

struct UrlCase {
    VendorPage Page;
    int Days;
    const char* Url;
};

class VendorUrlTest : public testing::TestWithParam<UrlCase> {};

// The blank of the version label stays, the pings have "//home", the suffix
// comes last (after "&SessionCompleted"), and nothing is escaped.
TEST_P(VendorUrlTest, IsComposedExactly)
{
    const UrlCase& c = GetParam();
    EXPECT_EQ(Utf8(ComposeVendorUrl(c.Page, UsageDaysSuffix(c.Days))), c.Url);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, VendorUrlTest,
    testing::Values(
        UrlCase{UpdatePage, 12,
                "http://127.0.0.1/download_italian?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_12"},
        UrlCase{SupportPage, 12,
                "http://127.0.0.1/contact_us?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_12"},
        UrlCase{StartPingPage, 12,
                "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_12"},
        UrlCase{EndPingPage, 12,
                "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&SessionCompleted"
                "&ApplicationTotalDays_12"},
        UrlCase{UpdatePage, 0,
                "http://127.0.0.1/download_italian?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_0"},
        UrlCase{SupportPage, 0,
                "http://127.0.0.1/contact_us?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_0"},
        UrlCase{StartPingPage, 0,
                "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_0"},
        UrlCase{EndPingPage, 0,
                "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&SessionCompleted"
                "&ApplicationTotalDays_0"},
        UrlCase{UpdatePage, -3,
                "http://127.0.0.1/download_italian?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_-3"},
        UrlCase{SupportPage, -3,
                "http://127.0.0.1/contact_us?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_-3"},
        UrlCase{StartPingPage, -3,
                "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&ApplicationTotalDays_-3"},
        UrlCase{EndPingPage, -3,
                "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&SessionCompleted"
                "&ApplicationTotalDays_-3"}));

// The only test that touches the process-wide URLs: before start-up appends
// the count they have no suffix; afterwards they have it exactly once, and
// a second call changes nothing.
TEST(ProcessUrls, ReceiveTheSuffixOnce)
{
    EXPECT_EQ(Utf8(UpdateUrl()), "http://127.0.0.1/download_italian?client=DesktopVersion_1.2.15 Italian");
    EXPECT_EQ(Utf8(SupportUrl()), "http://127.0.0.1/contact_us?client=DesktopVersion_1.2.15 Italian");
    EXPECT_EQ(Utf8(StartPingUrl()), "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian");
    EXPECT_EQ(Utf8(EndPingUrl()), "http://127.0.0.1//home?client=DesktopVersion_1.2.15 Italian&SessionCompleted");

    AppendUsageDaysSuffix(12);
    AppendUsageDaysSuffix(-3);

    EXPECT_EQ(UpdateUrl(), ComposeVendorUrl(UpdatePage, u"&ApplicationTotalDays_12"));
    EXPECT_EQ(SupportUrl(), ComposeVendorUrl(SupportPage, u"&ApplicationTotalDays_12"));
    EXPECT_EQ(StartPingUrl(), ComposeVendorUrl(StartPingPage, u"&ApplicationTotalDays_12"));
    EXPECT_EQ(EndPingUrl(), ComposeVendorUrl(EndPingPage, u"&ApplicationTotalDays_12"));
    EXPECT_EQ(Utf8(VersionLabel()), "1.2.15 Italian");
    EXPECT_EQ(Utf8(VendorBaseUrl()), "http://127.0.0.1/");
}

}  // namespace
