#pragma once
#include <string>

// "EnglishItalianDictionary": the Run value's name.
std::wstring RunValueName();

// Start with Windows: the Run value holds the bare path of the running
// executable when on, and is emptied (never deleted) when off. It goes under
// the per-machine Run key, or the user's own where that one may not be written.
void SetLoadOnStart(bool on);
