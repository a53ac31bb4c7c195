// The look-up benchmark, natively: Google Benchmark times every case side by
// side in one run, then the report prints the ratios and the goals.
//   verbola_benchmark           the full run: also the 90 MB dictionary, a wide worst-case search
//   verbola_benchmark --short   a few seconds: fails when a look-up differs from the reference
// Other arguments go to Google Benchmark (--benchmark_filter=...).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "tests/benchmark/BenchmarkCore.h"

namespace {

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    explicit CollectingReporter(bench::Figures& figures) : figures_(figures) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                figures_.Seconds[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    bench::Figures& figures_;
};

}  // namespace

int main(int argc, char** argv)
{
    bool quick = false;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--short") == 0) {
            quick = true;
        } else {
            arguments.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    bench::Session session = bench::Prepare(quick);
    for (const bench::Case& c : session.Cases) {
        auto body = c.Body;
        benchmark::RegisterBenchmark(c.Name.c_str(),
                                     [body](benchmark::State& state) {
                                         for (auto _ : state) {
                                             body();
                                         }
                                     })
            ->Unit(c.StartUp ? benchmark::kMillisecond : benchmark::kMicrosecond)
            ->MinTime(c.StartUp ? (quick ? 0.05 : 1.0) : (quick ? 0.002 : 0.3));
    }
    bench::Figures figures;
    CollectingReporter reporter(figures);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return bench::Conclude(session, figures, "native");
}
