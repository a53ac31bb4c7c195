#pragma once
// What the look-up benchmark measures, shared by the native program (timed by
// Google Benchmark) and the Windows one (timed under Wine by a loop of its
// own): the synthetic dictionaries, the look-ups with and without the index,
// the differential check against the plain reference, the search for the
// index's worst word, the start-up work, and the report of ratios and goals.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/DictionaryIndex.h"

namespace bench {

struct Dictionary {
    std::string Name;  // "9 MB", "3.5 MB", "90 MB"
    std::size_t ByteSize = 0;
    std::u16string Text;
    DictionaryIndex Index;
    double IndexSeconds = 0;  // building the index over the decoded text, once
    std::u16string Early;     // near the start of the file: both searches stop at once
    std::u16string Late;      // near the end: the plain search scans nearly all of it twice
    std::u16string Miss;      // a word that begins no headword
    std::u16string Worst;     // the slowest word for the index, found by WorstWord
    std::size_t SweptWords = 0;      // how many words FindWorstWord timed
    double SweptWorstSeconds = 0;    // the slowest of them, the fastest of five runs each
    bool Filed = true;  // records in a dictionary's order; false for the reversed text the goals do not cover
};

Dictionary MakeDictionary(const std::string& name, std::u16string text);

// One keystroke's engine work: the headword list (prefix search and the walk
// over up to 25 records) and the exact search for the article.
void LookUpIndexed(const Dictionary& dictionary, std::u16string_view word);
void LookUpPlain(const Dictionary& dictionary, std::u16string_view word);
// The program's own search over the text without an index (the library's find).
void LookUpUnindexed(const Dictionary& dictionary, std::u16string_view word);

// Words for the differential check: the special ones, headwords from all over
// the file, their beginnings, near misses, words with bars, a 600-unit word.
std::vector<std::u16string> CheckWords(const Dictionary& dictionary, std::size_t count);
// Looks each word up both ways; returns how many differ and describes the first ones.
std::size_t CountMismatches(const Dictionary& dictionary, const std::vector<std::u16string>& words,
                            std::string& description);

// Times the index's look-up of about candidates words of every kind (each the
// fastest of a few runs) and keeps the slowest in dictionary.Worst.
void FindWorstWord(Dictionary& dictionary, std::size_t candidates);

// ---- start-up: both sample-sized files as the program reads them
struct ArticleFileSet {
    std::vector<std::string> Paths;
    std::size_t Bytes = 0;
};
ArticleFileSet WriteArticleFiles(const std::vector<const Dictionary*>& dictionaries);
void RemoveArticleFiles(const ArticleFileSet& files);
// Each reads every file with one read into a fresh zero-filled block, as the
// program does, then frees it; what else it does to the bytes differs.
void ReadOnly(const ArticleFileSet& files);
void ReadDecodeIndex(const ArticleFileSet& files);  // the program's start-up now
void ReadDecodePlain(const ArticleFileSet& files);  // byte-by-byte decoding and a search for the zero unit
// Runs ReadOnly and ReadDecodeIndex alternately, pairs times and returns the
// median ratio: steadier than two separate timings on a busy machine.
double PairedStartupRatio(const ArticleFileSet& files, int pairs, double& readSeconds, double& startupSeconds);

// ---- the report
struct Figures {
    std::map<std::string, double> Seconds;  // per case name, per iteration
    double StartupRatio = 0;                // from PairedStartupRatio
    double PairedReadSeconds = 0;
    double PairedStartupSeconds = 0;
};
std::string LookupCaseName(const Dictionary& dictionary, const char* word, const char* engine);

// Prints the ratios and the goals; returns the number of goals missed.
int PrintReport(const std::vector<const Dictionary*>& dictionaries, const Figures& figures, const std::string& platform);

// ---- one run, shared by both programs
struct Case {
    std::string Name;
    std::function<void()> Body;
    bool StartUp = false;  // milliseconds a call rather than microseconds
};

struct Session {
    bool Quick = false;
    double Started = 0;
    std::vector<std::unique_ptr<Dictionary>> Owned;
    std::vector<const Dictionary*> Dictionaries;
    ArticleFileSet Files;  // the two sample-sized ones
    std::size_t Mismatches = 0;
    bool MemoryOver = false;
    std::vector<Case> Cases;  // side by side: plain and indexed per word, the start-up variants
};

// Generates the dictionaries (the 90 MB one only in the full run), finds each
// one's worst word, checks the look-ups against the reference and writes the
// start-up files; prints what it did.
Session Prepare(bool quick);
// Measures the paired start-up ratio, prints the report and removes the
// files; returns the exit code: 1 when a look-up differed from the reference
// or an index outgrew its share, 3 when a full run missed a goal.
int Conclude(Session& session, Figures& figures, const std::string& platform);

double Now();  // seconds, steady
std::string Narrow(std::u16string_view text);  // UTF-8, for messages

}  // namespace bench
