#pragma once

// What start-up does with the stored settings; a setting that is absent
// changes nothing.
void ApplyLoadOnStartSetting();      // on: the Run value is written again
void ApplyDefaultLanguageSetting();  // 0 or 1: that tab is selected
void ApplyAlwaysOnTopSetting();      // on: the window becomes topmost
