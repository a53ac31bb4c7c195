#include "dictionary/HeadwordLookup.h"

#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "app/WideText.h"
#include "dictionary/ArticleFiles.h"
#include "dictionary/HeadwordSearch.h"
#include "dictionary/InfoMessage.h"

namespace {

constexpr wchar_t DefaultWord[] = L"a";

bool HasItems(HWND list)
{
    return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0;
}

// Deleting the items of an empty list changes nothing but costs a repaint
// under Wine (most of a millisecond per keystroke): it is left out.
void ClearHeadwordList(HWND list)
{
    if (HasItems(list)) {
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    }
}

void InsertHeadword(HWND list, int position, std::u16string_view headword)
{
    std::wstring text(AsWide(headword));
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.pszText = text.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// An item's text, whole, however long.
std::wstring HeadwordListItemText(HWND list, int index)
{
    std::wstring text(256, L'\0');
    while (true) {
        LVITEMW item = {};
        item.iSubItem = 0;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        LRESULT copied = SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
        if (copied < 0) {
            return {};
        }
        if (static_cast<std::size_t>(copied) + 1 < text.size()) {
            text.resize(static_cast<std::size_t>(copied));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

}  // namespace

void FillHeadwordList()
{
    if (!ArticlesLoaded()) {
        ShowInfoMessage(ArticleFileMissingMessage());
        return;
    }
    TranslationDirection d = CurrentDirection();
    HWND list = HeadwordList[d];
    std::wstring word = WindowText(WordBox[d]);
    HeadwordListMatch found = SearchHeadwordList(ArticleTexts[d].Index, AsPortable(word));
    // One repaint for the whole refill instead of one per item; and none at
    // all when an empty list stays empty.
    bool changes = found.Outcome == HeadwordListOutcome::Listed || HasItems(list);
    if (changes) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    }
    ClearHeadwordList(list);
    if (found.Outcome == HeadwordListOutcome::Listed) {
        for (std::size_t i = 0; i < found.Headwords.size(); ++i) {
            InsertHeadword(list, static_cast<int>(i), found.Headwords[i]);
        }
    } else {
        SetWindowTextFrom(ArticleView[d], L"");
    }
    if (changes) {
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
}

void ShowArticle()
{
    if (!ArticlesLoaded()) {
        ShowInfoMessage(ArticleFileMissingMessage());
        return;
    }
    TranslationDirection d = CurrentDirection();
    std::wstring word = WindowText(WordBox[d]);
    ArticleMatch match = SearchArticle(ArticleTexts[d].Index, AsPortable(word));
    switch (match.Outcome) {
    case ArticleOutcome::Found:
        SetWindowTextFrom(ArticleView[d], AsWide(match.Article));
        ShowDirectionPage();
        break;
    case ArticleOutcome::NoExactHeadword:
        SetWindowTextFrom(ArticleView[d], L"");
        ShowDirectionPage();
        break;
    case ArticleOutcome::NoClosingBar:
        ClearHeadwordList(HeadwordList[d]);
        SetWindowTextFrom(ArticleView[d], L"");
        break;
    }
}

void LookUpWord()
{
    FillHeadwordList();
    ShowArticle();
}

void ChooseHeadword()
{
    TranslationDirection d = CurrentDirection();
    LRESULT marked = SendMessageW(HeadwordList[d], LVM_GETSELECTIONMARK, 0, 0);
    // A double-click with no marked item (below the items) chooses nothing.
    if (marked < 0) {
        return;
    }
    SetWindowTextFrom(WordBox[d], HeadwordListItemText(HeadwordList[d], static_cast<int>(marked)));
    ShowArticle();
}

void ShowInitialWord()
{
    SetWindowTextFrom(WordBox[CurrentDirection()], DefaultWord);
    LookUpWord();
}
