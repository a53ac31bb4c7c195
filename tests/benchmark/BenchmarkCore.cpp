#include "tests/benchmark/BenchmarkCore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dictionary/ArticleCoding.h"
#include "dictionary/HeadwordSearch.h"
#include "tests/benchmark/SyntheticDictionary.h"
#include "tests/unit/ReferenceSearch.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bench {

namespace {

// Results go here so that the compiler cannot drop a look-up.
volatile std::size_t Sink = 0;

void Consume(const HeadwordListMatch& list, const ArticleMatch& article)
{
    Sink = Sink + list.Headwords.size() + article.Article.size() + static_cast<std::size_t>(list.Outcome) +
           static_cast<std::size_t>(article.Outcome);
}


std::u16string Capitalised(std::u16string word)
{
    if (!word.empty() && word[0] >= u'a' && word[0] <= u'z') {
        word[0] = static_cast<char16_t>(word[0] - u'a' + u'A');
    }
    return word;
}

double Median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---- reading a file as the program does

struct FileBuffer {
    unsigned char* Bytes = nullptr;
    std::uint32_t ByteSize = 0;
};

#if defined(_WIN32)

std::wstring Wide(const std::string& utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

// CreateFileW, GetFileSize, a zero-filled GlobalAlloc block, one ReadFile.
FileBuffer ReadWhole(const std::string& path)
{
    FileBuffer buffer;
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(2);
    }
    buffer.ByteSize = GetFileSize(file, nullptr);
    buffer.Bytes = static_cast<unsigned char*>(GlobalAlloc(GPTR, ArticleBufferSize(buffer.ByteSize)));
    DWORD read = 0;
    ReadFile(file, buffer.Bytes, buffer.ByteSize, &read, nullptr);
    CloseHandle(file);
    return buffer;
}

void Release(FileBuffer& buffer)
{
    GlobalFree(buffer.Bytes);
    buffer = {};
}

#else

// open, fstat, a zero-filled block straight from the system (as GlobalAlloc
// gives one of this size under Wine), one read.
FileBuffer ReadWhole(const std::string& path)
{
    FileBuffer buffer;
    int file = open(path.c_str(), O_RDONLY);
    struct stat status;
    if (file < 0 || fstat(file, &status) != 0) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(2);
    }
    buffer.ByteSize = static_cast<std::uint32_t>(status.st_size);
    void* block = mmap(nullptr, ArticleBufferSize(buffer.ByteSize), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        std::fprintf(stderr, "no memory for %s\n", path.c_str());
        std::exit(2);
    }
    buffer.Bytes = static_cast<unsigned char*>(block);
    ssize_t read = ::read(file, buffer.Bytes, buffer.ByteSize);
    close(file);
    if (read != static_cast<ssize_t>(buffer.ByteSize)) {
        std::fprintf(stderr, "short read of %s\n", path.c_str());
        std::exit(2);
    }
    return buffer;
}

void Release(FileBuffer& buffer)
{
    munmap(buffer.Bytes, ArticleBufferSize(buffer.ByteSize));
    buffer = {};
}

#endif

}  // namespace

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string Narrow(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text.substr(0, 60)) {
        if (c < 0x80) {
            out += c == u'\n' ? std::string("\\n") : c == u'\r' ? std::string("\\r") : std::string(1, static_cast<char>(c));
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (text.size() > 60) {
        out += "... (" + std::to_string(text.size()) + " units)";
    }
    return out;
}

Dictionary MakeDictionary(const std::string& name, std::u16string text)
{
    Dictionary dictionary;
    dictionary.Name = name;
    dictionary.ByteSize = text.size() * 2;
    dictionary.Text = std::move(text);
    // The fastest of a few builds: the first also pays for the heap the
    // generator has just left behind, which a program at start does not.
    dictionary.IndexSeconds = 1e9;
    for (int build = 0; build < 3; ++build) {
        double start = Now();
        dictionary.Index = BuildDictionaryIndex(dictionary.Text);
        dictionary.IndexSeconds = std::min(dictionary.IndexSeconds, Now() - start);
    }
    std::vector<std::u16string_view> headwords = HeadwordsOf(dictionary.Text);
    dictionary.Early = std::u16string(headwords.at(3));
    dictionary.Late = std::u16string(headwords.at(headwords.size() - 30));
    if (dictionary.Late == dictionary.Early) {
        dictionary.Late = std::u16string(headwords.at(headwords.size() - 31));
    }
    // A near miss halfway through: it shares its beginning with real headwords.
    dictionary.Miss = std::u16string(headwords.at(headwords.size() / 2)) + u"~";
    while (SearchHeadwordList(dictionary.Index, dictionary.Miss).Outcome != HeadwordListOutcome::NoHeadwordBegins) {
        dictionary.Miss += u'~';
    }
    dictionary.Worst = dictionary.Miss;
    return dictionary;
}

void LookUpIndexed(const Dictionary& dictionary, std::u16string_view word)
{
    Consume(SearchHeadwordList(dictionary.Index, word), SearchArticle(dictionary.Index, word));
}

void LookUpPlain(const Dictionary& dictionary, std::u16string_view word)
{
    Consume(reference::SearchHeadwordList(dictionary.Text, word), reference::SearchArticle(dictionary.Text, word));
}

void LookUpUnindexed(const Dictionary& dictionary, std::u16string_view word)
{
    Consume(SearchHeadwordList(dictionary.Text, word), SearchArticle(dictionary.Text, word));
}

std::vector<std::u16string> CheckWords(const Dictionary& dictionary, std::size_t count)
{
    std::vector<std::u16string> words = {u"",
                                         dictionary.Early,
                                         dictionary.Late,
                                         dictionary.Miss,
                                         dictionary.Worst,
                                         u"|",
                                         u"\n|",
                                         dictionary.Early + u"|",
                                         dictionary.Early + u"|" + dictionary.Early,
                                         std::u16string(600, u'a'),
                                         dictionary.Late + std::u16string(600, u'x'),
                                         u"\uFEFF",
                                         u"Verbola"};
    std::vector<std::u16string_view> headwords = HeadwordsOf(dictionary.Text);
    std::size_t samples = std::max<std::size_t>(1, count / 6);
    for (std::size_t i = 0; i < samples; ++i) {
        std::u16string headword(headwords[i * (headwords.size() - 1) / std::max<std::size_t>(1, samples - 1)]);
        words.push_back(headword);
        words.push_back(headword.substr(0, 1));
        words.push_back(headword.substr(0, headword.size() / 2 + 1));
        words.push_back(headword + u"~");
        words.push_back(Capitalised(headword));
        words.push_back(headword + u" ");
    }
    return words;
}

std::size_t CountMismatches(const Dictionary& dictionary, const std::vector<std::u16string>& words,
                            std::string& description)
{
    std::size_t mismatches = 0;
    for (const std::u16string& word : words) {
        HeadwordListMatch expectedList = reference::SearchHeadwordList(dictionary.Text, word);
        HeadwordListMatch list = SearchHeadwordList(dictionary.Index, word);
        ArticleMatch expectedArticle = reference::SearchArticle(dictionary.Text, word);
        ArticleMatch article = SearchArticle(dictionary.Index, word);
        using reference::Places;
        bool same = list.Outcome == expectedList.Outcome && article.Outcome == expectedArticle.Outcome &&
                    Places(dictionary.Text, list.Headwords) == Places(dictionary.Text, expectedList.Headwords) &&
                    Places(dictionary.Text, {article.Article}) == Places(dictionary.Text, {expectedArticle.Article});
        if (!same) {
            if (++mismatches <= 5) {
                description += "  " + dictionary.Name + ": \"" + Narrow(word) + "\" differs from the reference\n";
            }
        }
    }
    return mismatches;
}

void FindWorstWord(Dictionary& dictionary, std::size_t candidates)
{
    std::vector<std::u16string> words = {u"", u"|", std::u16string(600, u'a'), dictionary.Miss, dictionary.Late,
                                         std::u16string(1, u'\u00E0'), u"Z", u"zz~"};
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        words.emplace_back(1, c);
    }
    std::vector<std::u16string_view> headwords = HeadwordsOf(dictionary.Text);
    std::size_t samples = std::max<std::size_t>(1, candidates / 5);
    for (std::size_t i = 0; i < samples; ++i) {
        std::u16string headword(headwords[i * (headwords.size() - 1) / std::max<std::size_t>(1, samples - 1)]);
        words.push_back(headword);
        words.push_back(headword.substr(0, 1));
        words.push_back(headword.substr(0, 2));
        words.push_back(headword + u"~");
        words.push_back(headword.substr(0, headword.size() - 1) + u"~");
    }
    dictionary.SweptWords = words.size();
    double worst = -1;
    for (const std::u16string& word : words) {
        double fastest = 1e9;
        for (int run = 0; run < 5; ++run) {
            double start = Now();
            LookUpIndexed(dictionary, word);
            fastest = std::min(fastest, Now() - start);
        }
        if (fastest > worst) {
            worst = fastest;
            dictionary.Worst = word;
            dictionary.SweptWorstSeconds = fastest;
        }
    }
}

ArticleFileSet WriteArticleFiles(const std::vector<const Dictionary*>& dictionaries)
{
    ArticleFileSet files;
#if defined(_WIN32)
    wchar_t temporary[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temporary);
    std::wstring folder = std::wstring(temporary) + L"verbola-benchmark-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    int length = WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string base(static_cast<std::size_t>(length - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), -1, base.data(), length, nullptr, nullptr);
    base += "\\";
#else
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/verbola-benchmark.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        std::exit(2);
    }
    std::string base = pattern + "/";
#endif
    for (std::size_t i = 0; i < dictionaries.size(); ++i) {
        std::string path = base + "Articles_" + std::to_string(i) + ".dat";
        std::string bytes = StoredArticleBytes(dictionaries[i]->Text);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(2);
        }
        std::fclose(file);
        files.Paths.push_back(path);
        files.Bytes += bytes.size();
    }
    return files;
}

void RemoveArticleFiles(const ArticleFileSet& files)
{
    for (const std::string& path : files.Paths) {
        std::remove(path.c_str());
    }
    if (!files.Paths.empty()) {
        std::string folder = files.Paths.front().substr(0, files.Paths.front().find_last_of("/\\"));
#if defined(_WIN32)
        RemoveDirectoryW(Wide(folder).c_str());
#else
        rmdir(folder.c_str());
#endif
    }
}

void ReadOnly(const ArticleFileSet& files)
{
    for (const std::string& path : files.Paths) {
        FileBuffer buffer = ReadWhole(path);
        Sink = Sink + buffer.Bytes[buffer.ByteSize / 2];
        Release(buffer);
    }
}

void ReadDecodeIndex(const ArticleFileSet& files)
{
    for (const std::string& path : files.Paths) {
        FileBuffer buffer = ReadWhole(path);
        DictionaryIndex index = DecodeAndIndexArticleBytes(buffer.Bytes, buffer.ByteSize);
        Sink = Sink + index.MarkerCount();
        Release(buffer);
    }
}

void ReadDecodePlain(const ArticleFileSet& files)
{
    for (const std::string& path : files.Paths) {
        FileBuffer buffer = ReadWhole(path);
        DecodeArticleBytes(buffer.Bytes, buffer.ByteSize);
        Sink = Sink + ArticleTextView(buffer.Bytes, buffer.ByteSize).size();
        Release(buffer);
    }
}

double PairedStartupRatio(const ArticleFileSet& files, int pairs, double& readSeconds, double& startupSeconds)
{
    ReadOnly(files);
    ReadDecodeIndex(files);
    std::vector<double> reads;
    std::vector<double> startups;
    std::vector<double> ratios;
    for (int pair = 0; pair < pairs; ++pair) {
        double read = 0;
        double startup = 0;
        // Alternating which goes first cancels a drift of the machine's speed.
        for (int turn = 0; turn < 2; ++turn) {
            double start = Now();
            if ((turn == 0) == (pair % 2 == 0)) {
                ReadOnly(files);
                read = Now() - start;
            } else {
                ReadDecodeIndex(files);
                startup = Now() - start;
            }
        }
        reads.push_back(read);
        startups.push_back(startup);
        ratios.push_back(startup / read);
    }
    readSeconds = Median(reads);
    startupSeconds = Median(startups);
    return Median(ratios);
}

std::string LookupCaseName(const Dictionary& dictionary, const char* word, const char* engine)
{
    return "lookup/" + dictionary.Name + "/" + word + "/" + engine;
}

namespace {

std::string Duration(double seconds)
{
    char text[32];
    if (seconds >= 1e-3) {
        std::snprintf(text, sizeof(text), "%.2f ms", seconds * 1e3);
    } else if (seconds >= 1e-6) {
        std::snprintf(text, sizeof(text), "%.2f us", seconds * 1e6);
    } else {
        std::snprintf(text, sizeof(text), "%.0f ns", seconds * 1e9);
    }
    return text;
}

double Seconds(const Figures& figures, const std::string& name)
{
    auto found = figures.Seconds.find(name);
    return found == figures.Seconds.end() ? 0 : found->second;
}

}  // namespace

int PrintReport(const std::vector<const Dictionary*>& dictionaries, const Figures& figures, const std::string& platform)
{
    int missed = 0;
    auto goal = [&](bool met, const std::string& text) {
        std::printf("  %-4s %s\n", met ? "ok" : "MISS", text.c_str());
        missed += met ? 0 : 1;
    };
    std::printf("\n== Look-up engine, %s: plain reference against the index (one keystroke: list and article)\n",
                platform.c_str());
    std::printf("  plain: the reference's nested loops; find: the text searched with the library's find, as\n"
                "  before the index; indexed: the index. Speed-up: plain / indexed.\n");
    std::printf("  %-8s %-6s %-26s %12s %12s %12s %10s\n", "size", "word", "", "plain", "find", "indexed",
                "speed-up");
    for (const Dictionary* d : dictionaries) {
        for (const char* kind : {"early", "late", "miss", "worst"}) {
            double plain = Seconds(figures, LookupCaseName(*d, kind, "plain"));
            double find = Seconds(figures, LookupCaseName(*d, kind, "find"));
            double indexed = Seconds(figures, LookupCaseName(*d, kind, "indexed"));
            const std::u16string& word = std::string(kind) == "early"  ? d->Early
                                         : std::string(kind) == "late" ? d->Late
                                         : std::string(kind) == "miss" ? d->Miss
                                                                       : d->Worst;
            std::printf("  %-8s %-6s %-26s %12s %12s %12s %9.0fx\n", d->Name.c_str(), kind,
                        ("\"" + Narrow(word.substr(0, 20)) + "\"").c_str(), Duration(plain).c_str(),
                        Duration(find).c_str(), Duration(indexed).c_str(), indexed > 0 ? plain / indexed : 0.0);
        }
    }
    std::printf("\n== Index, %s\n", platform.c_str());
    std::printf("  %-8s %9s %9s %5s %9s %8s %12s %8s %12s\n", "size", "markers", "in runs", "runs", "unsorted",
                "memory", "build alone", "swept", "slowest");
    for (const Dictionary* d : dictionaries) {
        std::printf("  %-8s %9zu %9zu %5zu %9zu %7.2f%% %12s %8zu %12s\n", d->Name.c_str(), d->Index.MarkerCount(),
                    d->Index.SortedMarkers.size(), d->Index.RunEnds.size(), d->Index.UnsortedMarkers.size(),
                    100.0 * static_cast<double>(d->Index.MemoryBytes()) / static_cast<double>(d->ByteSize),
                    Duration(d->IndexSeconds).c_str(), d->SweptWords, Duration(d->SweptWorstSeconds).c_str());
    }
    std::printf("  swept: words timed for the worst case (the fastest of five runs each); slowest: the worst of them.\n"
                "  \"9 MB rev\" (full run only) holds the 9 MB records in reverse order, which no dictionary\n"
                "  files: the goals do not cover it.\n");
    double read = Seconds(figures, "startup/read");
    double startup = Seconds(figures, "startup/read+decode+index");
    double plainDecode = Seconds(figures, "startup/read+decode byte by byte");
    std::printf("\n== Start-up, %s: both sample-sized files\n", platform.c_str());
    std::printf("  read alone                          %12s\n", Duration(read).c_str());
    std::printf("  read, decode and index (now)        %12s  %.2fx reading\n", Duration(startup).c_str(),
                read > 0 ? startup / read : 0.0);
    std::printf("  read, decode byte by byte, find end %12s  %.2fx reading\n", Duration(plainDecode).c_str(),
                read > 0 ? plainDecode / read : 0.0);
    std::printf("  paired runs: read %s, start-up %s, median ratio %.2fx\n", Duration(figures.PairedReadSeconds).c_str(),
                Duration(figures.PairedStartupSeconds).c_str(), figures.StartupRatio);

    std::printf("\n== Goals, %s\n", platform.c_str());
    char text[200];
    for (const Dictionary* d : dictionaries) {
        double worst = Seconds(figures, LookupCaseName(*d, "worst", "indexed"));
        double plainLate = Seconds(figures, LookupCaseName(*d, "late", "plain"));
        double plainMiss = Seconds(figures, LookupCaseName(*d, "miss", "plain"));
        double plain = std::min(plainLate, plainMiss);
        if (d->Filed && d->ByteSize == EnglishItalianByteSize) {
            std::snprintf(text, sizeof(text), "worst look-up at %s: %s (at most 50 us)", d->Name.c_str(),
                          Duration(worst).c_str());
            goal(worst <= 50e-6, text);
            std::snprintf(text, sizeof(text),
                          "worst look-up at %s: %.0fx faster than the plain reference on a late word or a miss "
                          "(at least 150x)",
                          d->Name.c_str(), worst > 0 ? plain / worst : 0.0);
            goal(worst > 0 && plain / worst >= 150, text);
        }
        if (d->Filed && d->ByteSize == LargeDictionaryByteSize) {
            std::snprintf(text, sizeof(text), "worst look-up at %s: %s (at most 1 ms)", d->Name.c_str(),
                          Duration(worst).c_str());
            goal(worst <= 1e-3, text);
        }
        if (!d->Filed) {
            continue;
        }
        double memory = static_cast<double>(d->Index.MemoryBytes()) / static_cast<double>(d->ByteSize);
        std::snprintf(text, sizeof(text), "index memory at %s: %.2f%% of the dictionary (at most 10%%)",
                      d->Name.c_str(), 100 * memory);
        goal(memory <= 0.10, text);
    }
    std::snprintf(text, sizeof(text), "start-up (read, decode, index) %.2fx reading alone (at most 1.3x)",
                  figures.StartupRatio);
    goal(figures.StartupRatio > 0 && figures.StartupRatio <= 1.3, text);
    return missed;
}

Session Prepare(bool quick)
{
    Session session;
    session.Quick = quick;
    session.Started = Now();
    auto add = [&](const std::string& name, std::u16string text) {
        session.Owned.push_back(std::make_unique<Dictionary>(MakeDictionary(name, std::move(text))));
        return session.Owned.back().get();
    };
    add("9 MB", SyntheticArticleText(EnglishItalianByteSize, 1));
    add("3.5 MB", SyntheticArticleText(ItalianEnglishByteSize, 2));
    if (!quick) {
        add("90 MB", SyntheticArticleText(LargeDictionaryByteSize, 3));
        add("9 MB rev", ReversedRecords(SyntheticArticleText(EnglishItalianByteSize, 1)))->Filed = false;
    }
    for (auto& dictionary : session.Owned) {
        FindWorstWord(*dictionary, quick ? 1500 : 40000);
        session.Dictionaries.push_back(dictionary.get());
    }
    std::printf("dictionaries generated and worst words found in %.1f s\n", Now() - session.Started);

    std::size_t checked = 0;
    std::string description;
    for (const Dictionary* d : session.Dictionaries) {
        std::vector<std::u16string> words = CheckWords(*d, quick ? 60 : 600);
        checked += words.size();
        session.Mismatches += CountMismatches(*d, words, description);
        session.MemoryOver = session.MemoryOver || (d->Filed && d->Index.MemoryBytes() * 10 > d->ByteSize);
    }
    std::printf("differential check: %zu words, %zu differ from the plain reference\n%s", checked,
                session.Mismatches, description.c_str());
    std::fflush(stdout);

    session.Files = WriteArticleFiles({session.Dictionaries[0], session.Dictionaries[1]});
    for (const Dictionary* d : session.Dictionaries) {
        for (const char* kind : {"early", "late", "miss", "worst"}) {
            std::string k = kind;
            std::u16string word = k == "early" ? d->Early : k == "late" ? d->Late : k == "miss" ? d->Miss : d->Worst;
            session.Cases.push_back({LookupCaseName(*d, kind, "plain"), [d, word] { LookUpPlain(*d, word); }});
            session.Cases.push_back({LookupCaseName(*d, kind, "find"), [d, word] { LookUpUnindexed(*d, word); }});
            session.Cases.push_back({LookupCaseName(*d, kind, "indexed"), [d, word] { LookUpIndexed(*d, word); }});
        }
    }
    const ArticleFileSet* files = &session.Files;
    session.Cases.push_back({"startup/read", [files] { ReadOnly(*files); }, true});
    session.Cases.push_back({"startup/read+decode+index", [files] { ReadDecodeIndex(*files); }, true});
    session.Cases.push_back({"startup/read+decode byte by byte", [files] { ReadDecodePlain(*files); }, true});
    return session;
}

int Conclude(Session& session, Figures& figures, const std::string& platform)
{
    figures.StartupRatio = PairedStartupRatio(session.Files, session.Quick ? 10 : 100, figures.PairedReadSeconds,
                                              figures.PairedStartupSeconds);
    RemoveArticleFiles(session.Files);
    int missed = PrintReport(session.Dictionaries, figures, platform);
    std::printf("\n%zu mismatches; %d goals missed%s; %.1f s in all\n", session.Mismatches, missed,
                session.Quick ? " (timings of a short run are rough and not checked)" : "",
                Now() - session.Started);
    std::fflush(stdout);
    if (session.Mismatches != 0 || session.MemoryOver) {
        return 1;
    }
    return session.Quick || missed == 0 ? 0 : 3;
}

}  // namespace bench
