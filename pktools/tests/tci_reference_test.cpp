// pktools::TciCe against tci_reference::TciCe, the plain transcription of the algorithm in
// tci_reference.h: bit for bit on representative schedules (10 s, 0.5, 1 and 2 minute steps,
// one- and two-compartment models, delayed starts, staircases and step-downs, propofol,
// remifentanil and sufentanil).
//
// The broad sweep (several hundred schedules) is a disabled test that prints its counts:
//   pktools_tests --gtest_also_run_disabled_tests --gtest_filter='TciCeReference.DISABLED_Sweep'

#include "tci_reference.h"

#include "pktools/compartments.h"
#include "pktools/tci.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using Column = std::vector<double>;

namespace {

struct Drug {
    std::string name;
    double A, B, C, l1, l2, l3, ke0;
    double scale; // a typical effect-site target
    double maxRate;
};
// Hybrid constants from a model row of drugmodels (V1, V2, V3, Cl1, Cl2, Cl3) through
// pktools::Cl2Hyb, the conversion a sheet chains.
Drug fromVolCl(std::string name, const Column& volCl, double ke0, double scale, double maxRate) {
    const Column h = pktools::Cl2Hyb(volCl);
    return {std::move(name), h[0], h[1], h[2], h[3], h[4], h[5], ke0, scale, maxRate};
}

// The rows below are what sheethost prints for the drugmodels functions named.
const std::vector<Drug>& drugs() {
    static const std::vector<Drug> all = {
        // =PropSchnider(53,77,177,59)
        fromVolCl("propofol Schnider", {4.27, 18.9, 238, 1.89, 1.29, 0.836}, 0.456, 3, 1200),
        // =PropEleveld(70,40,1,1)
        fromVolCl("propofol Eleveld",
                  {9.6021266501710461, 27.764646423484368, 134.47119331415766, 1.5035837604006259,
                   1.3322716090849989, 0.58887110870443959},
                  0.456, 3, 1200),
        // =RemiMinto(40,60)
        fromVolCl("remifentanil Minto",
                  {5.46, 10.359999999999999, 5.4199999999999999, 2.6955, 2.0499999999999998,
                   0.075999999999999998},
                  0.59499999999999997, 4, 1000),
        // =SufentGepts() (no ke0 of its own; the 0.112 of SufentHudson)
        fromVolCl("sufentanil Gepts",
                  {14.300000000000001, 63.100000000000001, 261.60000000000002, 0.92000000000000004,
                   1.55, 0.33000000000000002},
                  0.112, 0.3, 100),
        // =SufentHudson(70)
        fromVolCl("sufentanil Hudson",
                  {17.780000000000001, 43.119999999999997, 549.5, 1.05, 4.3399999999999999,
                   1.1900000000000002},
                  0.112, 0.3, 100),
        // =LidocainSchnider(70): two compartments
        fromVolCl(
            "lidocaine Schnider",
            {7.0700000000000003, 31.640000000000001, 0, 1.5049999999999999, 4.1230000000000002, 0},
            0.456, 2, 500),
        // One-compartment models (B = C = 0, l2 = l3 = 0), and B = 0 with C > 0.
        Drug{"one compartment 1,1,2", 1, 0, 0, 1, 0, 0, 2, 1, 10},
        Drug{"one compartment .25,.3,.8", 0.25, 0, 0, 0.3, 0, 0, 0.8, 1, 5},
        Drug{"one compartment B=0 C>0", 0.1, 0, 0.05, 0.2, 0, 0.02, 0.5, 2, 20},
    };
    return all;
}

struct Case {
    std::string name;
    Column dt, target;
    double maxRate;
    const Drug* drug;
};

// (minutes, target as a multiple of the drug's scale) segments, in steps of `step` minutes.
Case makeCase(const std::string& pattern, const Drug& d, double step, double maxRate,
              std::initializer_list<std::pair<double, double>> segments) {
    Case c{d.name + " / " + pattern + " / step " + std::to_string(step) + " / max " +
               std::to_string(maxRate),
           {0},
           {0},
           maxRate,
           &d};
    for (auto [minutes, factor] : segments)
        for (long k = std::lround(minutes / step); k > 0; --k) {
            c.dt.push_back(step);
            c.target.push_back(factor * d.scale);
        }
    return c;
}

std::vector<Case> casesFor(const Drug& d, double step, double maxRate) {
    return {
        makeCase("constant", d, step, maxRate, {{40, 1}}),
        makeCase("staircase", d, step, maxRate, {{10, 1}, {10, 1.3}, {10, 1.7}, {10, 2}}),
        makeCase("step-down", d, step, maxRate, {{10, 2}, {10, 1}, {10, 0.6}, {10, 1.2}}),
        makeCase("delayed start", d, step, maxRate, {{3, 0}, {15, 1}, {15, 1.5}}),
        makeCase("pause", d, step, maxRate, {{10, 1.2}, {5, 0}, {15, 0.8}, {10, 1.4}}),
        makeCase("small steps", d, step, maxRate,
                 {{4, 1}, {4, 1.02}, {4, 1.05}, {4, 1.1}, {4, 1.0}, {4, 0.98}}),
    };
}

struct Outcome {
    bool equal;
    std::size_t firstDifferentRow;
    double largestRelativeDifference;
    tci_reference::Diagnostics diagnostics;
};

Outcome compare(const Case& c) {
    const Drug& d = *c.drug;
    const Column got =
        pktools::TciCe(c.dt, c.target, c.maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0);
    Outcome o{true, 0, 0, {}};
    const Column want = tci_reference::TciCe(c.dt, c.target, c.maxRate, d.A, d.B, d.C, d.l1, d.l2,
                                             d.l3, d.ke0, o.diagnostics);
    for (std::size_t i = 0; i < got.size(); ++i)
        if (std::bit_cast<std::uint64_t>(got[i]) != std::bit_cast<std::uint64_t>(want[i])) {
            if (o.equal)
                o.firstDifferentRow = i;
            o.equal = false;
            const double scale = std::fmax(std::fabs(want[i]), 1e-300);
            o.largestRelativeDifference =
                std::fmax(o.largestRelativeDifference, std::fabs(got[i] - want[i]) / scale);
        }
    return o;
}

const Drug& drug(const std::string& name) {
    for (const Drug& d : drugs())
        if (d.name == name)
            return d;
    throw std::logic_error(name);
}

} // namespace

TEST(TciCeReference, TheIssueExampleAndTheOneCompartmentCheck) {
    const Drug& d = drug("one compartment 1,1,2");
    const double ln2 = 0.6931471805599453;
    Case example{"issue 15", Column(7, ln2), {0, 1, 1, 1, 2, 2, 0.5}, 10, &d};
    example.dt[0] = 0;
    Case check{"one-compartment check", {0, ln2}, {0, 1}, 10, &d};
    for (const Case& c : {example, check}) {
        const Outcome o = compare(c);
        EXPECT_FALSE(o.diagnostics.any()) << c.name;
        EXPECT_TRUE(o.equal) << c.name << ": row " << o.firstDifferentRow;
    }
}

TEST(TciCeReference, RepresentativeSchedulesAreBitForBitThePart) {
    const std::vector<Case> cases = {
        makeCase("10 s staircase", drug("propofol Schnider"), 1.0 / 6, 1200,
                 {{10, 1}, {10, 1.3}, {10, 0.8}, {5, 0}, {10, 1.6}}),
        makeCase("0.5 min delayed start", drug("propofol Schnider"), 0.5, 1200,
                 {{3, 0}, {15, 1}, {15, 1.5}}),
        makeCase("1 min step-down", drug("remifentanil Minto"), 1, 1000,
                 {{10, 2}, {10, 1}, {10, 0.6}, {10, 1.2}}),
        makeCase("0.25 min, the bound binds", drug("remifentanil Minto"), 0.25, 50,
                 {{10, 1}, {10, 2}}),
        makeCase("2 min staircase", drug("sufentanil Gepts"), 2, 100,
                 {{10, 1}, {10, 1.3}, {10, 1.7}, {10, 2}}),
        makeCase("1.5 min pause", drug("propofol Eleveld"), 1.5, 1200,
                 {{9, 1.2}, {6, 0}, {15, 0.8}, {9, 1.4}}),
        makeCase("0.5 min one compartment", drug("one compartment 1,1,2"), 0.5, 10,
                 {{10, 1}, {10, 1.5}, {10, 0.7}}),
        makeCase("1 min one compartment, B = 0 and C > 0", drug("one compartment B=0 C>0"), 1, 20,
                 {{3, 0}, {10, 1}, {10, 2}}),
        makeCase("1 min two compartments", drug("lidocaine Schnider"), 1, 500,
                 {{10, 1}, {10, 2}, {10, 1}}),
    };
    for (const Case& c : cases) {
        const Outcome o = compare(c);
        EXPECT_FALSE(o.diagnostics.any()) << c.name;
        EXPECT_TRUE(o.equal) << c.name << ": row " << o.firstDifferentRow << ", up to "
                             << o.largestRelativeDifference;
    }
}

// Every drug, step length (10 s to 2 min), pattern and a loose and a tight maximal rate.
// Prints the counts and every schedule that differs, with what the algorithm left open there.
// The differences found so far all come from peak searches inside a rate search whose
// curve rises without bound towards negative times: the bracketing walks back until the
// exponentials overflow, and Brent's method on infinite values uses up its iterations (the
// Part then takes the minimiser's 0 as the peak) or returns an infinite peak. TciCe keeps
// its fallback for exactly these searches (issue 15), so those rate searches see another
// value and their rates differ in the last digits (up to about 5e-8 relative).
TEST(TciCeReference, DISABLED_Sweep) {
    int compared = 0, equal = 0, differentWithOpenCase = 0, differentOtherwise = 0;
    for (const Drug& d : drugs())
        for (double step : {1.0 / 6, 0.25, 0.5, 0.75, 1.0, 1.5, 2.0})
            for (double maxRate : {d.maxRate, d.maxRate / 20})
                for (const Case& c : casesFor(d, step, maxRate)) {
                    const Outcome o = compare(c);
                    ++compared;
                    if (o.equal) {
                        ++equal;
                        continue;
                    }
                    (o.diagnostics.any() ? differentWithOpenCase : differentOtherwise) += 1;
                    std::printf(
                        "DIFFERENT %s: from row %zu, up to %.3g relative; Brent not "
                        "converged %d, bracketing stopped %d, non-finite minimum %d; by search: "
                        "unit-rate %d, no-infusion %d, inner peak %d, rate %d\n",
                        c.name.c_str(), o.firstDifferentRow, o.largestRelativeDifference,
                        o.diagnostics.brentNotConverged, o.diagnostics.bracketStopped,
                        o.diagnostics.nonFiniteMinimum, o.diagnostics.bySearch[0],
                        o.diagnostics.bySearch[1], o.diagnostics.bySearch[2],
                        o.diagnostics.bySearch[3]);
                }
    std::printf("compared %d, bit for bit equal %d, different where the algorithm leaves a case "
                "open %d, different otherwise %d\n",
                compared, equal, differentWithOpenCase, differentOtherwise);
    EXPECT_EQ(differentOtherwise, 0);
}
