#pragma once
#include <string>
#include <string_view>

// The version label and the vendor's URLs. They are built once during
// program initialisation, before any window exists; start-up appends the
// usage-days suffix to the four URLs once. Nothing is ever escaped: the blank
// of the version label travels as it is. The strings are never destroyed, so
// a notification still running while the process ends can read them.
const std::u16string& VersionLabel();  // "1.2.15 Italian"
const std::u16string& UpdateUrl();
const std::u16string& SupportUrl();
const std::u16string& StartPingUrl();
const std::u16string& EndPingUrl();

enum VendorPage { UpdatePage, SupportPage, StartPingPage, EndPingPage };

// A page's URL from VendorBaseUrl and VersionLabel, ending with the given
// suffix. The four process-wide URLs are made with it.
std::u16string ComposeVendorUrl(VendorPage page, std::u16string_view suffix);

// "&ApplicationTotalDays_" and the count in plain decimal.
std::u16string UsageDaysSuffix(int days);

// Appends UsageDaysSuffix(days) to the four URLs; only the first call counts.
void AppendUsageDaysSuffix(int days);

struct CalendarDate {
    int Year;
    int Month;
    int Day;
};

// Days since the folder was created, with 365 days a year and 30 a month;
// zero or negative when the clock is behind.
int UsageDaysBetween(CalendarDate created, CalendarDate today);
