#include "settings/ConfigurationFormat.h"

#include <climits>

namespace {

struct KeyDefault {
    std::u16string_view Key;
    std::u16string_view Default;
};

// The lines written, in their order, with the value written for a key the
// settings do not hold.
constexpr KeyDefault WrittenKeys[] = {
    {LoadOnStartKey, u"true"},
    {AlwaysOnTopKey, u"false"},
    {DefaultLanguageIdKey, u"0"},
};

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

std::u16string Latin1ToText(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(byte)));
    }
    return text;
}

void AppendLatin1(std::string& bytes, std::u16string_view text)
{
    for (char16_t c : text) {
        bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
}

}  // namespace

bool IsTrueSetting(std::u16string_view value)
{
    return value.substr(0, 4) == u"true";
}

int ReadDecimalSetting(std::u16string_view value)
{
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i])) {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) {
        negative = value[i] == u'-';
        ++i;
    }
    long long number = 0;
    for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
        number = number * 10 + (value[i] - u'0');
        if (number > static_cast<long long>(INT_MAX) + 1) {
            number = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        number = -number;
    }
    return number > INT_MAX ? INT_MAX : static_cast<int>(number);
}

void ParseConfiguration(std::string_view bytes, Settings& settings)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(start, (end == std::string_view::npos ? bytes.size() : end) - start);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.size() > ConfigurationLineLimit) {
            return;
        }
        std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            settings.emplace(Latin1ToText(line.substr(0, equals)), Latin1ToText(line.substr(equals + 1)));
        }
        start = next;
    }
}

std::string FormatConfiguration(const Settings& settings)
{
    std::string bytes;
    for (const KeyDefault& line : WrittenKeys) {
        const std::u16string* stored = FindSetting(settings, line.Key);
        AppendLatin1(bytes, line.Key);
        bytes += '=';
        AppendLatin1(bytes, stored != nullptr ? std::u16string_view(*stored) : line.Default);
        bytes += "\r\n";
    }
    return bytes;
}

const std::u16string* FindSetting(const Settings& settings, std::u16string_view key)
{
    auto found = settings.find(std::u16string(key));
    return found == settings.end() ? nullptr : &found->second;
}
