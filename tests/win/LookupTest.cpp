#include "tests/win/WindowTest.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/WideText.h"
#include "res/ResourceIds.h"

namespace {

std::u16string Numbered(const char16_t* prefix, int n)
{
    std::u16string text(prefix);
    text += static_cast<char16_t>(u'0' + n / 10);
    text += static_cast<char16_t>(u'0' + n % 10);
    return text;
}

// ab, abacus, abandon, b and 30 more records r00 ... r29.
void WriteBrowsingDictionaries()
{
    std::vector<std::pair<std::u16string, std::u16string>> records = {
        {u"ab", u"AB"}, {u"abacus", u"ABACUS"}, {u"abandon", u"ABANDON"}, {u"b", u"B"}};
    for (int i = 0; i < 30; ++i) {
        records.emplace_back(Numbered(u"r", i), Numbered(u"R", i));
    }
    WriteArticleFile(0, ArticleTextOf(records));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}}));
}

std::vector<std::wstring> BrowsingHeadwords(std::size_t first, std::size_t count)
{
    std::vector<std::wstring> all = {L"ab", L"abacus", L"abandon", L"b"};
    for (int i = 0; i < 30; ++i) {
        all.push_back(std::wstring(AsWide(Numbered(u"r", i))));
    }
    return std::vector<std::wstring>(all.begin() + first, all.begin() + first + count);
}

std::string Joined(const std::vector<std::wstring>& items)
{
    std::string text;
    for (const std::wstring& item : items) {
        text += (text.empty() ? "" : ", ") + Narrow(item);
    }
    return text.size() > 120 ? text.substr(0, 120) + "..." : text;
}

HWND WordBoxEdit(int direction)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(WordBox[direction], &info);
    return info.hwndItem;
}

// A real double-click as the list view gets it from the mouse: it raises NM_DBLCLK itself.
void DoubleClickListAt(int direction, POINT point)
{
    HWND list = HeadwordList[direction];
    LPARAM at = MAKELPARAM(point.x, point.y);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
}

RECT ItemRect(int direction, int index)
{
    RECT item = {};
    item.left = LVIR_BOUNDS;
    SendMessageW(HeadwordList[direction], LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    return item;
}

void DoubleClickItem(int direction, int index)
{
    SendMessageW(HeadwordList[direction], LVM_ENSUREVISIBLE, index, FALSE);
    RECT item = ItemRect(direction, index);
    DoubleClickListAt(direction, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

int SelectionMark(int direction)
{
    return static_cast<int>(SendMessageW(HeadwordList[direction], LVM_GETSELECTIONMARK, 0, 0));
}

void CheckLookUp(const char* what, const std::vector<std::wstring>& items, const std::wstring& article)
{
    std::vector<std::wstring> listed = ListItems(0);
    ok(listed == items, "%s: expected the list [%s], got [%s]", what, Joined(items).c_str(), Joined(listed).c_str());
    std::wstring shown = ArticleViewText(0);
    ok(shown == article, "%s: expected the article \"%s\", got \"%s\"", what, Narrow(article).c_str(),
       Narrow(shown.substr(0, 120)).c_str());
}

}  // namespace

WINDOW_SCENARIO(TypedWordsFillListAndArticle, WriteBrowsingDictionaries)
{
    struct Case {
        const wchar_t* Word;
        std::vector<std::wstring> Items;
        const wchar_t* Article;
    };
    const Case cases[] = {
        {L"ab", BrowsingHeadwords(0, 25), L"AB\n"},
        {L"aba", BrowsingHeadwords(1, 25), L""},
        {L"abandon", BrowsingHeadwords(2, 25), L"ABANDON\n"},
        {L"Ab", {}, L""},
        {L" ab", {}, L""},
        {L"", BrowsingHeadwords(0, 25), L""},
        // The list scan meets the end of the text; the article is still shown.
        {L"r20", {}, L"R20\n"},
        {L"zzz", {}, L""},
    };
    for (const Case& c : cases) {
        TypeWord(0, c.Word);
        CheckLookUp(("typing \"" + Narrow(c.Word) + "\"").c_str(), c.Items, c.Article);
    }
    ExitProgram();
}

// Key messages into the word box's edit field: each change is looked up.
WINDOW_SCENARIO(KeysTypedIntoWordBox, WriteBrowsingDictionaries)
{
    HWND edit = WordBoxEdit(0);
    ok(edit != nullptr, "expected the word box's edit field");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    struct Step {
        wchar_t Key;
        const wchar_t* Word;
        const wchar_t* First;  // the first listed headword, or none
        const wchar_t* Article;
    };
    const Step steps[] = {
        {L'a', L"a", L"ab", L""},          {L'b', L"ab", L"ab", L"AB\n"},
        {L'a', L"aba", L"abacus", L""},    {L'n', L"aban", L"abandon", L""},
        {L'\b', L"aba", L"abacus", L""},   {L'\b', L"ab", L"ab", L"AB\n"},
        {L'X', L"abX", nullptr, L""},
    };
    for (const Step& step : steps) {
        TypeCharacters(0, std::wstring(1, step.Key));
        std::string what = "after the key " + (step.Key == L'\b' ? std::string("Backspace") : Narrow({&step.Key, 1}));
        ok(WordBoxText(0) == step.Word, "%s: expected \"%s\" in the word box, got \"%s\"", what.c_str(),
           Narrow(step.Word).c_str(), Narrow(WordBoxText(0)).c_str());
        std::vector<std::wstring> items = ListItems(0);
        if (step.First == nullptr) {
            ok(items.empty(), "%s: expected an empty list, got %zu items", what.c_str(), items.size());
        } else {
            ok(items.size() == 25 && items[0] == step.First, "%s: expected 25 items from \"%s\", got [%s]", what.c_str(),
               Narrow(step.First).c_str(), Joined(items).c_str());
        }
        ok(ArticleViewText(0) == step.Article, "%s: expected the article \"%s\", got \"%s\"", what.c_str(),
           Narrow(step.Article).c_str(), Narrow(ArticleViewText(0)).c_str());
    }
    ExitProgram();
}

WINDOW_SCENARIO(DoubleClickChoosesHeadword, WriteBrowsingDictionaries)
{
    TypeWord(0, L"aba");
    std::vector<std::wstring> before = ListItems(0);
    ok(before.size() == 25 && ArticleViewText(0).empty(), "expected 25 items and no article for \"aba\"");
    struct Choice {
        int Index;
        const wchar_t* Headword;
        const wchar_t* Article;
    };
    const Choice choices[] = {{1, L"abandon", L"ABANDON\n"}, {0, L"abacus", L"ABACUS\n"}, {24, L"r21", L"R21\n"}};
    for (const Choice& choice : choices) {
        DoubleClickItem(0, choice.Index);
        ok(WordBoxText(0) == choice.Headword, "item %d: expected \"%s\" in the word box, got \"%s\"", choice.Index,
           Narrow(choice.Headword).c_str(), Narrow(WordBoxText(0)).c_str());
        ok(ArticleViewText(0) == choice.Article, "item %d: expected the article \"%s\", got \"%s\"", choice.Index,
           Narrow(choice.Article).c_str(), Narrow(ArticleViewText(0)).c_str());
        // Choosing does not rebuild the list.
        ok(ListItems(0) == before, "item %d: expected the list kept", choice.Index);
    }
    ExitProgram();
}

// Right after a refill no item is marked: a double-click below the items chooses nothing.
WINDOW_SCENARIO(DoubleClickBelowItemsChangesNothing, WriteBrowsingDictionaries)
{
    // Tall enough for all 25 items and some room below them.
    SetWindowPos(MainWindow, nullptr, 0, 0, 380, 740, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    TypeWord(0, L"ab");
    DoubleClickItem(0, 2);
    ok(WordBoxText(0) == L"abandon", "expected a double-click on an item to choose it");
    TypeWord(0, L"ab");
    ok(SelectionMark(0) == -1, "expected no marked item after a refill, got %d", SelectionMark(0));

    RECT last = ItemRect(0, 24);
    RECT client;
    GetClientRect(HeadwordList[0], &client);
    ok(last.bottom + 20 < client.bottom, "expected room below the last item: it ends at %ld of %ld", last.bottom,
       client.bottom);
    DoubleClickListAt(0, {(last.left + last.right) / 2, (last.bottom + client.bottom) / 2});
    ok(WordBoxText(0) == L"ab", "expected the word box unchanged, got \"%s\"", Narrow(WordBoxText(0)).c_str());
    CheckLookUp("after a double-click below the items", BrowsingHeadwords(0, 25), L"AB\n");

    // The same on an empty list.
    TypeWord(0, L"Ab");
    DoubleClickListAt(0, {20, 10});
    ok(WordBoxText(0) == L"Ab", "empty list: expected the word box unchanged, got \"%s\"",
       Narrow(WordBoxText(0)).c_str());
    ExitProgram();
}

namespace {

const std::u16string LongHeadword = u"long" + std::u16string(1996, u'h');

std::u16string LongArticle()
{
    std::u16string article;
    while (article.size() < 60000) {
        article += Numbered(u"word", static_cast<int>(article.size() / 9 % 100)) + u" ";
    }
    article.resize(60000);
    return article;
}

void WriteLongRecords()
{
    std::vector<std::pair<std::u16string, std::u16string>> records = {
        {u"a", u"one"}, {LongHeadword, u"long headword"}, {u"longer", LongArticle()}};
    for (int i = 0; i < 30; ++i) {
        records.emplace_back(Numbered(u"r", i), Numbered(u"R", i));
    }
    WriteArticleFile(0, ArticleTextOf(records));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}}));
}

}  // namespace

// Nothing is cut: a headword of 2,000 units, an article of 60,000.
WINDOW_SCENARIO(LongRecordsAreShownWhole, WriteLongRecords)
{
    std::wstring headword(AsWide(LongHeadword));
    TypeWord(0, L"long");
    std::vector<std::wstring> items = ListItems(0);
    ok(items.size() == 25 && items[0] == headword, "expected the whole long headword first, got %zu units",
       items.empty() ? 0 : items[0].size());

    DoubleClickItem(0, 0);
    ok(WordBoxText(0) == headword, "expected the whole headword in the word box, got %zu units",
       WordBoxText(0).size());
    ok(ArticleViewText(0) == L"long headword\n", "expected the long headword's article, got \"%s\"",
       Narrow(ArticleViewText(0).substr(0, 80)).c_str());

    // A word that differs from the headword only after its first 1,000 units is no headword.
    TypeWord(0, headword.substr(0, 1500) + L"x");
    ok(ListItems(0).empty() && ArticleViewText(0).empty(), "expected nothing for a word that is no headword");

    TypeWord(0, headword);
    ok(ArticleViewText(0) == L"long headword\n", "expected the article of the whole typed headword");

    TypeWord(0, L"longer");
    std::wstring article = ArticleViewText(0);
    std::wstring expected = std::wstring(AsWide(LongArticle())) + L"\n";
    ok(article.size() == expected.size(), "expected %zu units of article, got %zu", expected.size(), article.size());
    ok(article == expected, "expected the long article whole");
    ExitProgram();
}
