// Runs the benchmarks with the usual flags (--benchmark_format=json, --benchmark_out=...,
// --benchmark_repetitions=...) and, after the table, prints each case against its target:
// its median processor time, the same in exp-equivalents (S0 of the same run divided by
// 1000, so the figures can be read on another machine) and whether the target is met. The
// summary goes to standard output after a console table and to standard error otherwise,
// so that JSON output stays valid.

#include "cases.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Forwards everything to the reporter chosen by the flags and keeps each benchmark's
// processor time per iteration: the median when repetitions ran, else the single run.
class RecordingReporter : public benchmark::BenchmarkReporter {
public:
    explicit RecordingReporter(benchmark::BenchmarkReporter* display) : display_(display) {}
    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            const double scale = unitSeconds(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                seconds_[name] = {run.GetAdjustedCPUTime() * scale, true};
                wall_[name] = {run.GetAdjustedRealTime() * scale, true};
            } else if (run.run_type == Run::RT_Iteration && !seconds_[name].median) {
                seconds_[name] = {run.GetAdjustedCPUTime() * scale, false};
                wall_[name] = {run.GetAdjustedRealTime() * scale, false};
            }
        }
        display_->ReportRuns(runs);
    }
    void Finalize() override { display_->Finalize(); }

    // Processor seconds per iteration of a benchmark, or a negative value if it did not run.
    double seconds(const std::string& name) const {
        const auto found = seconds_.find(name);
        return found == seconds_.end() ? -1 : found->second.value;
    }
    // Wall-clock seconds per iteration, likewise.
    double wallSeconds(const std::string& name) const {
        const auto found = wall_.find(name);
        return found == wall_.end() ? -1 : found->second.value;
    }

private:
    struct Time {
        double value = -1;
        bool median = false;
    };
    static double unitSeconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kSecond:
            return 1;
        case benchmark::kMillisecond:
            return 1e-3;
        case benchmark::kMicrosecond:
            return 1e-6;
        default:
            return 1e-9;
        }
    }

    benchmark::BenchmarkReporter* display_;
    std::map<std::string, Time> seconds_, wall_;
};

// GetAdjustedCPUTime and GetAdjustedRealTime are in the benchmark's time unit.
void printTargets(const RecordingReporter& r, std::FILE* out) {
    const double s0 = r.seconds("S0_exp_1000");
    const double exp1 = s0 > 0 ? s0 / 1000 : -1;
    std::fprintf(out, "\nTargets (median processor time; 1 exp-eq = S0/1000 = %.2f ns)\n",
                 exp1 * 1e9);
    std::fprintf(out, "%-34s %15s %12s   %s\n", "case", "time", "exp-eq", "target");
    auto line = [&](const char* name, double seconds, double perItems, const std::string& target,
                    bool met) {
        if (seconds < 0)
            return;
        std::fprintf(out, "%-34s %12.1f ns %12.1f   %s: %s\n", name, seconds * 1e9,
                     exp1 > 0 ? seconds / perItems / exp1 : -1, target.c_str(),
                     met ? "met" : "MISSED");
    };
    const double s1 = r.seconds("S1_TciCe_routine");
    const double s5 = r.seconds("S5_PredCe_routine");
    line("S1_TciCe_routine", s1, 1, "<= 60 us", s1 <= 60e-6);
    if (s1 >= 0 && s5 > 0)
        std::fprintf(out, "%-34s %15.2f %12s   <= 5 x S5: %s\n", "S1 / S5", s1 / s5, "",
                     s1 <= 5 * s5 ? "met" : "MISSED");
    const double s1b = r.seconds("S1b_TciCe_routine");
    line("S1b_TciCe_routine", s1b, 1, "<= 150 us", s1b <= 150e-6);
    const double s2 = r.seconds("S2_TciCp_routine");
    line("S2_TciCp_routine", s2, 1, "<= 10 us", s2 <= 10e-6);
    const double s3 = r.seconds("S3_CsDtCp_routine");
    line("S3_CsDtCp_routine", s3, 1, "<= 300 us", s3 <= 300e-6);
    const double s4 = r.seconds("S4_CsDtCe_routine");
    line("S4_CsDtCe_routine", s4, 1, "<= 400 us", s4 <= 400e-6);
    line("S5_PredCe_routine", s5, 1, "(reference for S1)", true);
    // The hostile columns: a whole call of 100,000 rows returns within a second.
    for (const char* hostile : {"H1_TciCe_ascending100k_routine", "H2_TciCe_rising100k_routine"}) {
        const double h = r.seconds(hostile);
        line(hostile, h, 1, "<= 1 s", h <= 1);
    }
    // A hostile sheet: a column of 862,017 rows negated fourteen times and printed.
    const double h3 = r.seconds("H3_Sheet_negated862k");
    line("H3_Sheet_negated862k", h3, 1, "<= 1 s", h3 <= 1);
    for (const char* routine : {"S7_PropSchnider", "S7_Cl2Hyb"}) {
        const double alone = r.seconds(std::string(routine) + "_routine");
        const double framed = r.seconds(std::string(routine) + "_frame");
        if (alone >= 0 && framed >= 0)
            std::fprintf(out, "%-34s %12.1f ns %12s   <= 150 ns: %s\n",
                         (std::string(routine) + " frame cost").c_str(), (framed - alone) * 1e9, "",
                         framed - alone <= 150e-9 ? "met" : "MISSED");
    }
    // The C API path of the column cases: arguments read from host arrays and the result
    // written as one, per row of the table (no target; for comparison from run to run).
    const struct {
        const char* name;
        std::string routine, frame;
        double rows;
    } columnCases[] = {
        {"S5_PredCe frame cost per row", "S5_PredCe_routine", "S5_PredCe_frame",
         static_cast<double>(bench::s1Schedule().deltaTimes.size())},
        {"S6_PredCp frame cost per row", "S6_PredCp_routine/" + std::to_string(bench::DAY_ROWS),
         "S6_PredCp_frame", static_cast<double>(bench::DAY_ROWS)},
    };
    for (const auto& c : columnCases) {
        const double alone = r.seconds(c.routine);
        const double framed = r.seconds(c.frame);
        if (alone >= 0 && framed >= 0)
            std::fprintf(out, "%-34s %12.2f ns %12s   (no target)\n", c.name,
                         (framed - alone) / c.rows * 1e9, "");
    }
    const double v1 = r.seconds("V1_CpBandVCl_routine");
    line("V1_CpBandVCl_routine", v1, 1, "<= 50 ms", v1 <= 50e-3);
    const double v3 = r.seconds("V3_MapIndividualVCl_routine");
    if (v3 >= 0)
        std::fprintf(out, "%-34s %12.2f ms %12s   (no target)\n", "V3_MapIndividualVCl_routine",
                     v3 * 1e3, "");
    const std::string v2Name = "V2_band_million/iterations:1/process_time/real_time";
    const double v2 = r.wallSeconds(v2Name);
    if (v2 >= 0) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double megabytes = static_cast<double>(usage.ru_maxrss) / 1024;
        std::fprintf(out, "%-34s %12.2f s  %12s   <= 10 s wall: %s (processor %.2f s)\n",
                     "V2_band_million", v2, "", v2 <= 10 ? "met" : "MISSED", r.seconds(v2Name));
        std::fprintf(out, "%-34s %12.0f MB %12s   <= 2048 MB: %s\n", "V2 most memory (process)",
                     megabytes, "", megabytes <= 2048 ? "met" : "MISSED");
    }
    for (long rows : {100L, 8641L, 10000L, 1000000L}) {
        const std::string name = "S6_PredCp_routine/" + std::to_string(rows);
        const double s6 = r.seconds(name);
        if (exp1 > 0)
            line((name + " (per row)").c_str(), s6 / rows, 1, "<= 6 exp-eq per row",
                 s6 / rows <= 6 * exp1);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::BenchmarkReporter* display = benchmark::CreateDefaultDisplayReporter();
    RecordingReporter recorder(display);
    benchmark::RunSpecifiedBenchmarks(&recorder);
    const bool console = dynamic_cast<benchmark::ConsoleReporter*>(display) != nullptr;
    printTargets(recorder, console ? stdout : stderr);
    benchmark::Shutdown();
    return 0;
}
