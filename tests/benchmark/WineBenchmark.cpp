// The look-up benchmark cross-compiled for Windows and run under Wine, where
// the C runtime's own searches are slower: the same cases as the native one,
// timed by a loop of our own (Google Benchmark is not built for MinGW).
//   verbola_benchmark.exe [--short]
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/benchmark/BenchmarkCore.h"

namespace {

// Batches of calls long enough for the clock, until the case has had its
// time; the median of the batches' time per call.
double TimeCase(const bench::Case& c, double seconds)
{
    c.Body();
    double start = bench::Now();
    c.Body();
    double once = std::max(bench::Now() - start, 1e-8);
    int perBatch = std::max(1, static_cast<int>(1e-3 / once));
    std::vector<double> batches;
    double began = bench::Now();
    while (batches.size() < 5 || bench::Now() - began < seconds) {
        double batchStart = bench::Now();
        for (int i = 0; i < perBatch; ++i) {
            c.Body();
        }
        batches.push_back((bench::Now() - batchStart) / perBatch);
    }
    std::sort(batches.begin(), batches.end());
    return batches[batches.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    bool quick = argc > 1 && std::wstring(argv[1]) == L"--short";
    bench::Session session = bench::Prepare(quick);
    bench::Figures figures;
    std::printf("%-50s %14s\n", "case", "time per call");
    for (const bench::Case& c : session.Cases) {
        double seconds = TimeCase(c, c.StartUp ? (quick ? 0.05 : 1.0) : (quick ? 0.005 : 0.3));
        figures.Seconds[c.Name] = seconds;
        std::printf("%-50s %11.3f %s\n", c.Name.c_str(), c.StartUp ? seconds * 1e3 : seconds * 1e6,
                    c.StartUp ? "ms" : "us");
        std::fflush(stdout);
    }
    return bench::Conclude(session, figures, "Windows build under Wine");
}
