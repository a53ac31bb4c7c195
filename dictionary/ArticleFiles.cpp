#include "dictionary/ArticleFiles.h"

#include "app/WideText.h"
#include "dictionary/ArticleCoding.h"
#include "dictionary/ArticlePaths.h"
#include "dictionary/InfoMessage.h"
#include "dictionary/ModuleDirectory.h"

ArticleText ArticleTexts[DirectionCount];

namespace {

enum class ReadOutcome { Read, NotOpened, SizeUnknown, NoBuffer };

struct ArticleFileRead {
    ReadOutcome Outcome = ReadOutcome::NotOpened;
    unsigned char* Text = nullptr;
    DWORD ByteSize = 0;
};

ArticleFileRead ReadArticleFile(TranslationDirection direction)
{
    ArticleFileRead result;
    HANDLE file = CreateFileW(ArticleFilePath(direction).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return result;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    // Sizes are 32-bit: a file of 4 GiB or more counts as one whose size cannot be read.
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0) {
        CloseHandle(file);
        result.Outcome = ReadOutcome::SizeUnknown;
        return result;
    }
    result.ByteSize = size;
    result.Text = static_cast<unsigned char*>(GlobalAlloc(GPTR, ArticleBufferSize(size)));
    if (result.Text == nullptr) {
        CloseHandle(file);
        result.Outcome = ReadOutcome::NoBuffer;
        return result;
    }
    // A failed read leaves the block zero-filled: the look-ups then find nothing.
    DWORD read = 0;
    ReadFile(file, result.Text, size, &read, nullptr);
    CloseHandle(file);
    result.Outcome = ReadOutcome::Read;
    return result;
}

}  // namespace

std::wstring ArticleFilePath(TranslationDirection direction)
{
    return ModuleDirectory() + std::wstring(AsWide(ArticleFileRelativePath(direction)));
}

void LoadArticleFiles()
{
    ArticleFileRead files[DirectionCount];
    bool bothRead = true;
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        files[d] = ReadArticleFile(d);
        if (files[d].Outcome == ReadOutcome::NotOpened) {
            ShowInfoMessage(ArticleFileMissingMessage());
        } else if (files[d].Outcome == ReadOutcome::SizeUnknown) {
            ShowInfoMessage(d == 0 ? ArticleFileMissingMessage() : ArticleSizeUnknownMessage());
        }
        if (files[d].Outcome == ReadOutcome::NotOpened || files[d].Outcome == ReadOutcome::SizeUnknown) {
            bothRead = false;
            break;  // the second file is not even tried
        }
        // No buffer: that direction gets no text, and loading goes on quietly.
        bothRead = bothRead && files[d].Outcome == ReadOutcome::Read;
    }
    for (TranslationDirection d = 0; d < DirectionCount; ++d) {
        if (bothRead) {
            ArticleTexts[d].Text = files[d].Text;
            ArticleTexts[d].ByteSize = files[d].ByteSize;
        } else if (files[d].Text != nullptr) {
            GlobalFree(files[d].Text);
        }
    }
}

void DecodeArticleText()
{
    if (!ArticlesLoaded()) {
        return;
    }
    // One pass per file decodes it and indexes it, so that no look-up has to
    // scan the text; the bytes and the view are those of DecodeArticleBytes
    // and ArticleTextView.
    for (ArticleText& article : ArticleTexts) {
        article.Index = DecodeAndIndexArticleBytes(article.Text, article.ByteSize);
    }
}

bool ArticlesLoaded()
{
    for (const ArticleText& article : ArticleTexts) {
        if (article.Text == nullptr || article.ByteSize == 0) {
            return false;
        }
    }
    return true;
}

void FreeArticleFiles()
{
    for (ArticleText& article : ArticleTexts) {
        if (article.Text != nullptr) {
            GlobalFree(article.Text);
        }
        article = ArticleText();
    }
}
