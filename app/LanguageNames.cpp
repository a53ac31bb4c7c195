#include "app/LanguageNames.h"

std::u16string_view FromLanguageName(TranslationDirection direction)
{
    return direction == 0 ? SourceLanguageName : TargetLanguageName;
}

std::u16string_view ToLanguageName(TranslationDirection direction)
{
    return direction == 0 ? TargetLanguageName : SourceLanguageName;
}

std::u16string DirectionCaption(TranslationDirection direction)
{
    std::u16string caption(FromLanguageName(direction));
    caption += u" ";
    caption += ToLanguageName(direction);
    return caption;
}
