#include "vendor/VendorUrls.h"

#include "app/LanguageNames.h"
#include "vendor/VendorHost.h"

namespace {

std::u16string& Lasting(std::u16string text)
{
    return *new std::u16string(std::move(text));
}

std::u16string& MutableUpdateUrl()
{
    static std::u16string& url = Lasting(VendorBaseUrl() + u"download_italian?client=DesktopVersion_" + VersionLabel());
    return url;
}

std::u16string& MutableSupportUrl()
{
    static std::u16string& url = Lasting(VendorBaseUrl() + u"contact_us?client=DesktopVersion_" + VersionLabel());
    return url;
}

std::u16string& MutableStartPingUrl()
{
    static std::u16string& url = Lasting(VendorBaseUrl() + u"/home?client=DesktopVersion_" + VersionLabel());
    return url;
}

std::u16string& MutableEndPingUrl()
{
    static std::u16string& url =
        Lasting(VendorBaseUrl() + u"/home?client=DesktopVersion_" + VersionLabel() + u"&SessionCompleted");
    return url;
}

bool SuffixAppended = false;

}  // namespace

const std::u16string& VersionLabel()
{
    static const std::u16string& label = Lasting(u"1.2.15 " + std::u16string(TargetLanguageName));
    return label;
}

const std::u16string& UpdateUrl()
{
    return MutableUpdateUrl();
}

const std::u16string& SupportUrl()
{
    return MutableSupportUrl();
}

const std::u16string& StartPingUrl()
{
    return MutableStartPingUrl();
}

const std::u16string& EndPingUrl()
{
    return MutableEndPingUrl();
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
    MutableUpdateUrl() += suffix;
    MutableSupportUrl() += suffix;
    MutableStartPingUrl() += suffix;
    MutableEndPingUrl() += suffix;
}

int UsageDaysBetween(CalendarDate created, CalendarDate today)
{
    return 365 * (today.Year - created.Year) + 30 * (today.Month - created.Month) + (today.Day - created.Day);
}
