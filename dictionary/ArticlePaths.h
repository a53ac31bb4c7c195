#pragma once
#include <string>

#include "app/LanguageNames.h"

// The article file of a direction, relative to the program's folder:
// "\Articles\Articles_<from>_<to>.dat".
std::u16string ArticleFileRelativePath(TranslationDirection direction);
