#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "app/LanguageNames.h"
#include "dictionary/DictionaryIndex.h"

// One direction's article file in memory: read whole into a zero-filled
// block, decoded in place, followed by a zero code unit.
struct ArticleText {
    unsigned char* Text = nullptr;  // null until both files have been read
    DWORD ByteSize = 0;
    DictionaryIndex Index;          // the decoded text the look-ups search, and its index
};

extern ArticleText ArticleTexts[DirectionCount];

// ModuleDirectory + "\Articles\Articles_<from>_<to>.dat".
std::wstring ArticleFilePath(TranslationDirection direction);

// Reads both files, or reports the first failure in a message box. Nothing
// takes effect unless both files were read.
void LoadArticleFiles();
void DecodeArticleText();
bool ArticlesLoaded();
void FreeArticleFiles();
