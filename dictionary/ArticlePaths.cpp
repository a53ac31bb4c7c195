#include "dictionary/ArticlePaths.h"

std::u16string ArticleFileRelativePath(TranslationDirection direction)
{
    std::u16string path = u"\\Articles\\Articles_";
    path += FromLanguageName(direction);
    path += u"_";
    path += ToLanguageName(direction);
    path += u".dat";
    return path;
}
