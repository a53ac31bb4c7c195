#include "vendor/VendorUrls.h"

#include "app/LanguageNames.h"
#include "vendor/VendorHost.h"

namespace {

// Never destroyed: a notification thread may still read one while the
// process ends.
std::u16string& Lasting(std::u16string text)
{
    return *new std::u16string(std::move(text));
}

std::u16string& ProcessUrl(VendorPage page)
{
    static std::u16string* const urls[] = {
        &Lasting(ComposeVendorUrl(UpdatePage, u"")),
        &Lasting(ComposeVendorUrl(SupportPage, u"")),
        &Lasting(ComposeVendorUrl(StartPingPage, u"")),
        &Lasting(ComposeVendorUrl(EndPingPage, u"")),
    };
    return *urls[page];
}

// Builds every string during program initialisation, before the main window
// exists, instead of on first use.
[[maybe_unused]] const bool StringsBuilt = (VersionLabel(), ProcessUrl(UpdatePage), true);

bool SuffixAppended = false;

}  // namespace

const std::u16string& VersionLabel()
{
    static const std::u16string& label = Lasting(u"1.2.15 " + std::u16string(TargetLanguageName));
    return label;
}

const std::u16string& UpdateUrl()
{
    return ProcessUrl(UpdatePage);
}

const std::u16string& SupportUrl()
{
    return ProcessUrl(SupportPage);
}

const std::u16string& StartPingUrl()
{
    return ProcessUrl(StartPingPage);
}

const std::u16string& EndPingUrl()
{
    return ProcessUrl(EndPingPage);
}

std::u16string ComposeVendorUrl(VendorPage page, std::u16string_view suffix)
{
    // The base ends with a slash and the home path begins with one: the
    // pings go to "//home".
    std::u16string url = VendorBaseUrl();
    switch (page) {
    case UpdatePage:
        url += u"download_italian?client=DesktopVersion_";
        url += VersionLabel();
        break;
    case SupportPage:
        url += u"contact_us?client=DesktopVersion_";
        url += VersionLabel();
        break;
    case StartPingPage:
        url += u"/home?client=DesktopVersion_";
        url += VersionLabel();
        break;
    case EndPingPage:
        url += u"/home?client=DesktopVersion_";
        url += VersionLabel();
        url += u"&SessionCompleted";
        break;
    }
    url += suffix;
    return url;
}

std::u16string UsageDaysSuffix(int days)
{
    std::string digits = std::to_string(days);
    return u"&ApplicationTotalDays_" + std::u16string(digits.begin(), digits.end());
}

void AppendUsageDaysSuffix(int days)
{
    if (SuffixAppended) {
        return;
    }
    SuffixAppended = true;
    std::u16string suffix = UsageDaysSuffix(days);
    for (VendorPage page : {UpdatePage, SupportPage, StartPingPage, EndPingPage}) {
        ProcessUrl(page) += suffix;
    }
}

int UsageDaysBetween(CalendarDate created, CalendarDate today)
{
    return 365 * (today.Year - created.Year) + 30 * (today.Month - created.Month) + (today.Day - created.Day);
}
