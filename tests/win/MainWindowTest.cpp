#include "tests/win/WindowTest.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "res/ResourceIds.h"

namespace {

void WriteSmallDictionaries()
{
    WriteArticleFile(0, ArticleTextOf({{u"a", u"one"}, {u"ab", u"AB"}, {u"abacus", u"abaco"}}));
    WriteArticleFile(1, ArticleTextOf({{u"a", u"to"}, {u"casa", u"house"}}));
}

}  // namespace

WINDOW_SCENARIO(StartShowsInitialWord, WriteSmallDictionaries)
{
    ok(StartupMessages.empty(), "expected no message at start, got %zu", StartupMessages.size());
    ok(WordBoxText(0) == L"a", "expected \"a\" in the word box, got \"%s\"", Narrow(WordBoxText(0)).c_str());
    std::vector<std::wstring> items = ListItems(0);
    ok(items.empty(), "the list scan runs off the end of a three-record text: expected no items, got %zu",
       items.size());
    ok(ArticleViewText(0) == L"one\n", "expected the article of \"a\", got \"%s\"",
       Narrow(ArticleViewText(0)).c_str());
    ExitProgram();
}
