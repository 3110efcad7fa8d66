// The corvane module: every Corvane PK tool, bound from its table of rows, and the batch
// forms of the variability tools.

#include "binding.h"
#include "catalogue/covariates.h"
#include "pktools/catalogue.h"
#include "pktools/errors.h"
#include "pktools/random.h"
#include "pktools/refusals.h"
#include "pktools/variability.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace py = pybind11;

namespace {
// The covariate check that reads the models' and the body-size functions' arguments.
const std::string COVARIATE_CHECK = std::string("velmora.") + catalogue::COVARIATE_CHECK;

// Threads for a batch: the caller's count, or one per processor.
unsigned threadsOf(const py::object& threads) {
    if (threads.is_none())
        return std::max(1u, std::thread::hardware_concurrency());
    const double n = pybinding::toNumber(threads, "threads");
    if (!(n >= 1 && n <= 1024) || std::floor(n) != n)
        throw py::value_error("threads must be a whole number from 1 to 1024");
    return static_cast<unsigned>(n);
}

// A schedule: a mapping with delta_times, rate and iv_bolus, or a sequence of those three
// columns.
void readSchedule(const py::object& schedule, pktools::BandRequest& request) {
    const char* keys[] = {"delta_times", "rate", "iv_bolus"};
    std::vector<double>* columns[] = {&request.deltaTimes, &request.Rate, &request.IVBolus};
    const bool mapping = py::isinstance<py::dict>(schedule);
    if (!mapping && (py::isinstance<py::str>(schedule) || !py::isinstance<py::sequence>(schedule) ||
                     py::len(schedule) != 3))
        throw py::value_error("schedule must hold delta_times, rate and iv_bolus");
    for (std::size_t k = 0; k < 3; ++k) {
        const py::object column =
            mapping ? schedule.attr("get")(keys[k], py::none()) : py::object(schedule[py::int_(k)]);
        *columns[k] = pybinding::toColumn(column, keys[k]);
    }
}

template <class Work> auto refusingAsValueError(Work&& work) {
    try {
        return work();
    } catch (const pktools::InputError& e) {
        throw py::value_error(e.what());
    }
}

py::array_t<double> virtualPopulation(const py::object& row, const py::object& omega,
                                      const py::object& seed, const py::object& n,
                                      const py::object& threads) {
    return refusingAsValueError([&] {
        const std::vector<double> parameters = pybinding::toColumn(row, "row");
        const catalogue::Block variances = pybinding::toBlock(omega, "omega");
        const std::uint64_t s = pktools::wholeNumberUpTo2To53(pybinding::toNumber(seed, "seed"),
                                                              pktools::refusals::BAD_SEED);
        const std::size_t count = pktools::bandPatients(pybinding::toNumber(n, "n"));
        const unsigned t = threadsOf(threads);
        py::array_t<double> out(
            {static_cast<py::ssize_t>(count), static_cast<py::ssize_t>(parameters.size())});
        double* cells = out.mutable_data();
        {
            py::gil_scoped_release unlocked;
            pktools::virtualPopulation(parameters, variances, s, 0, count, cells,
                                       pktools::Threads(t));
        }
        return out;
    });
}

py::array_t<double> band(const py::object& schedule, const py::object& row, const py::object& omega,
                         const py::object& seed, const py::object& n, const py::object& ks,
                         const std::string& site, const py::object& threads) {
    return refusingAsValueError([&] {
        pktools::BandRequest request;
        readSchedule(schedule, request);
        request.row = pybinding::toColumn(row, "row");
        request.omega = pybinding::toBlock(omega, "omega");
        request.seed = pktools::wholeNumberUpTo2To53(pybinding::toNumber(seed, "seed"),
                                                     pktools::refusals::BAD_SEED);
        request.patients = pktools::bandPatients(pybinding::toNumber(n, "n"));
        if (site != "Cp" && site != "Ce")
            throw py::value_error("site must be \"Cp\" or \"Ce\"");
        request.site = site == "Cp" ? pktools::Site::Plasma : pktools::Site::EffectSite;
        const std::vector<double> percentiles = pybinding::toColumn(ks, "ks");
        const unsigned t = threadsOf(threads);
        std::vector<std::vector<double>> columns;
        {
            py::gil_scoped_release unlocked;
            columns = pktools::populationBand(request, percentiles, pktools::Threads(t));
        }
        const std::size_t rows = request.deltaTimes.size();
        py::array_t<double> out(
            {static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns.size())});
        auto cells = out.mutable_unchecked<2>();
        for (std::size_t k = 0; k < columns.size(); ++k)
            for (std::size_t i = 0; i < rows; ++i)
                cells(static_cast<py::ssize_t>(i), static_cast<py::ssize_t>(k)) = columns[k][i];
        return out;
    });
}

} // namespace

PYBIND11_MODULE(_corvane, m) {
    pybind11::options options;
    options.disable_function_signatures(); // each docstring starts with its own signature
    m.doc() = "Corvane's PK tools: hybrid constants, predicted concentrations and effect, "
              "TCI schedules, decrement times, peak effect and body size.";
    m.attr("CATEGORY") = pktools::CORVANE_CATEGORY;
    pybinding::bindRows<pktools::CORVANE_FUNCTIONS>(
        m, "corvane.ScheduleWarning",
        "A finding of corvane.ScheduleCheck: intervals that look like seconds, unordered times or "
        "a decrement that looks like a fraction.",
        false, COVARIATE_CHECK.c_str());

    m.def("virtual_population", &virtualPopulation, py::arg("row"), py::arg("omega"),
          py::arg("seed"), py::arg("n"), py::kw_only(), py::arg("threads") = py::none(),
          "virtual_population(row, omega, seed, n, *, threads=None)\n\n"
          "Virtual patients 0 ... n - 1 of the seed as an n x len(row) float64 array: row i is\n"
          "exactly VirtualPatient(row, omega, seed, i). row holds V1, V2, V3, Cl1, Cl2, Cl3\n"
          "[, ke0]; omega 7 variances or a 7x7 block (ModelOmega). The patients are shared\n"
          "among `threads` threads (default: one per processor); any count gives the same\n"
          "bits. Raises ValueError with VirtualPatient's texts.");
    m.def("band", &band, py::arg("schedule"), py::arg("row"), py::arg("omega"), py::arg("seed"),
          py::arg("n"), py::arg("ks"), py::kw_only(), py::arg("site") = "Cp",
          py::arg("threads") = py::none(),
          "band(schedule, row, omega, seed, n, ks, *, site=\"Cp\", threads=None)\n\n"
          "Percentile bands over virtual patients 0 ... n - 1 of the seed under one dosing\n"
          "history, as a rows x len(ks) float64 array: column j is exactly\n"
          "CpBandVCl(delta_times, rate, iv_bolus, row, omega, seed, n, ks[j]) (site=\"Ce\":\n"
          "CeBandVCl), without the cells' limit on n. schedule holds delta_times, rate and\n"
          "iv_bolus: a dict of them, or a sequence of the three columns. The rows are worked\n"
          "through in blocks, each patient's compartments kept between blocks, so memory\n"
          "stays bounded; `threads` threads (default: one per processor) share the work and\n"
          "any count gives the same bits. Raises ValueError with CpBandVCl's texts.");
}
