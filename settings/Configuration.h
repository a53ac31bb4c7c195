#pragma once
#include "settings/ConfigurationFormat.h"

// The settings of Configuration.dat, in memory while the program runs.
extern Settings SettingsMap;

// Empties SettingsMap and fills it from the file; a missing or unreadable
// file leaves it empty. Nothing is reported.
void ReadConfiguration();

// Replaces the file with the three settings of SettingsMap. Nothing is reported.
void WriteConfiguration();

// Replaces a setting's value, or adds the setting.
void StoreSetting(std::u16string_view key, std::u16string_view value);
