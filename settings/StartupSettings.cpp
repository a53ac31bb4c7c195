#include "settings/StartupSettings.h"

#include "app/MainWindow.h"
#include "settings/AlwaysOnTop.h"
#include "settings/Configuration.h"
#include "settings/LoadOnStart.h"

namespace {

bool StoredSettingIsOn(std::u16string_view key)
{
    const std::u16string* value = FindSetting(SettingsMap, key);
    return value != nullptr && IsTrueSetting(*value);
}

}  // namespace

void ApplyLoadOnStartSetting()
{
    if (StoredSettingIsOn(LoadOnStartKey)) {
        SetLoadOnStart(true);
    }
}

void ApplyDefaultLanguageSetting()
{
    const std::u16string* value = FindSetting(SettingsMap, DefaultLanguageIdKey);
    if (value == nullptr) {
        return;
    }
    int direction = ReadDecimalSetting(*value);
    if (direction >= 0 && direction < DirectionCount) {
        SelectDirectionTab(direction);
    }
}

void ApplyAlwaysOnTopSetting()
{
    if (StoredSettingIsOn(AlwaysOnTopKey)) {
        SetAlwaysOnTop(true);
    }
}
