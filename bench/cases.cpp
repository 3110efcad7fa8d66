#include "cases.h"

#include "drugmodels/models.h"
#include "pktools/compartments.h"
#include "pktools/tci.h"

namespace bench {

namespace {

constexpr double TEN_SECONDS = 1.0 / 6;
constexpr long TCI_ROWS = 541;
// Rows ending at or before 30 and 60 min.
constexpr long ROWS_30_MIN = 180;
constexpr long ROWS_60_MIN = 360;

Schedule tciGrid(double firstTarget, double from30, double from60) {
    Schedule s{Column(TCI_ROWS, TEN_SECONDS), Column(TCI_ROWS, 0.0)};
    s.deltaTimes[0] = 0;
    for (long i = 1; i < TCI_ROWS; ++i)
        s.targetConc[i] = i <= ROWS_30_MIN ? firstTarget : i <= ROWS_60_MIN ? from30 : from60;
    return s;
}

} // namespace

const Patient& standardPatient() {
    static const Patient patient = [] {
        const drugmodels::ParameterRow row = drugmodels::PropSchnider(53, 77, 177, 59);
        const Column h = pktools::Cl2Hyb(Column(row.begin(), row.begin() + 6));
        return Patient{h[0], h[1], h[2], h[3], h[4], h[5], row[drugmodels::row::ke0]};
    }();
    return patient;
}

const Schedule& s1Schedule() {
    static const Schedule s = tciGrid(4, 4, 2);
    return s;
}

const Schedule& s1bSchedule() {
    static const Schedule s = tciGrid(4, 6, 2);
    return s;
}

const Column& s1Rates() {
    static const Column rates = [] {
        const Patient& p = standardPatient();
        const Schedule& s = s1Schedule();
        return pktools::TciCe(s.deltaTimes, s.targetConc, MAX_RATE, p.A, p.B, p.C, p.l1, p.l2, p.l3,
                              p.ke0);
    }();
    return rates;
}

const Column& contexts() {
    static const Column times = [] {
        Column t(600);
        for (std::size_t i = 0; i < t.size(); ++i)
            t[i] = static_cast<double>(i + 1);
        return t;
    }();
    return times;
}

History history(long rows) {
    constexpr long ROWS_PER_HOUR = 360;
    History h{Column(rows, TEN_SECONDS), Column(rows, 0.0), Column(rows, 0.0)};
    h.deltaTimes[0] = 0;
    h.IVBolus[0] = 140;
    for (long i = 1; i < rows; ++i) {
        const long hour = (i - 1) / ROWS_PER_HOUR;
        h.Rate[i] = hour == 4 ? 0 : 8 * (1 - 0.05 * static_cast<double>(hour % 8));
        if (i % (2 * ROWS_PER_HOUR) == 0)
            h.IVBolus[i] = 35;
    }
    return h;
}

} // namespace bench
