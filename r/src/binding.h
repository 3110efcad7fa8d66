#pragma once

// The R binding of an add-in's table of rows (catalogue/row.h): every row becomes one native
// entry, registered with R_registerRoutines under its entry's worksheet name, that the
// package's R function of the same name reaches through .Call (the R functions, their help
// pages and the NAMESPACE are written from the same rows by r/generator). Nothing here names a
// function: a new row is bound as it is.
//
// Arguments are converted by the routine parameter's type, in registered order; the first
// failure names its argument by its R name:
//   double               one number: a numeric, integer or logical vector of length 1; NaN
//                        passes, NA is missing
//   bool                 a flag: TRUE/FALSE or a number equal to 1 or 0
//   std::vector<double>  a column: a numeric, integer or logical vector, or a matrix or a
//                        data.frame of one row or one column (a model's row of a
//                        population), as the sheet takes a row, a column or one cell
//   catalogue::Block     a block: a matrix or a data.frame of numbers, a vector as one row
//   catalogue::Samples   a column of samples: a column whose NA (or NaN) cells are rows not
//                        sampled
//   catalogue::Identifiers  a column of identifiers: a character vector, a factor (its
//                        labels) or a numeric vector; NA is the empty text
// and, for the checks, which read what the user entered as the sheet gives it and refuse
// none of it:
//   std::string          a text: a character vector of length 1; anything else is the
//                        empty text, as the sheet reads a cell that holds no text
//   std::optional<double>  NULL (the R functions' default) or "" leaves it out; a number or
//                        truth value of length 1 is itself; anything else (a text, NA,
//                        several values) is NaN, as the sheet gives a text or an error
//   std::optional<std::vector<double>>  NULL leaves it out; anything else is a column
// Results: a column is a numeric vector, named by its cells when the reference names several
// (Cl2Hyb's A ... l3); a number a numeric of length 1; texts a character vector. A routine
// that refuses its input throws an exception derived from std::runtime_error; its text, the
// one the cell shows, and the text of a failed conversion become an R error with exactly that
// message.
//
// Models (numbers and flags in, a row out) and the tools of numbers and flags that return one
// number (BMI, JLBM, TPeak...): every argument may be a vector. They are recycled to the
// longest, as R's arithmetic recycles (with R's warning when a length does not divide it),
// and the routine runs once per element. A model gives the row named V1 ... ke0 for one
// patient or a data.frame with one row per patient; a number tool a numeric vector. A
// patient with an NA covariate gets NA; an argument of length 0 gives no patients.
//
// R's errors and interrupts met inside the binding (an allocation that fails, Ctrl-C during a
// long population call) unwind the C++ frames first and then continue in R: nothing leaks.

#include "catalogue/entry.h"
#include "catalogue/kinds.h"
#include "catalogue/row.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#define R_NO_REMAP
#include <R.h>
#include <R_ext/Rdynload.h>
#include <Rinternals.h>

namespace rbinding {

// ---- A routine's types, from its row

template <auto Routine> struct Traits;
template <class R, class... P, R (*Routine)(P...)> struct Traits<Routine> {
    using Result = std::remove_cvref_t<R>;
    static constexpr std::size_t arity = sizeof...(P);
    template <std::size_t J>
    using Param = std::remove_cvref_t<std::tuple_element_t<J, std::tuple<P...>>>;
    static constexpr bool numbersAndFlags = ((std::is_same_v<std::remove_cvref_t<P>, double> ||
                                              std::is_same_v<std::remove_cvref_t<P>, bool>)&&...);
    // A model: numbers and flags in, a row out, called once per patient of a population.
    static constexpr bool populationShaped =
        std::is_same_v<Result, std::vector<double>> && numbersAndFlags;
    // A tool of numbers and flags that returns one number (BMI, TPeak), called once per
    // element of vectors of its arguments.
    static constexpr bool numbersToNumber =
        std::is_same_v<Result, double> && sizeof...(P) > 0 && numbersAndFlags;
};

// The routine of row I of an add-in's table, as a constant.
template <const auto& Rows, std::size_t I>
inline constexpr auto routineOf = std::get<I>(Rows).routine;

// ---- R's API where it may jump

// Thrown when R jumps out of a call made through `guarded` (an error or an interrupt): the
// C++ frames unwind, then the native entry lets R continue its jump.
struct RJump {};

// Runs an R API call that may jump; call it only where no R object is half made.
SEXP protectedCall(SEXP (*body)(void*), void* data);
template <class F> SEXP guarded(F&& f) {
    return protectedCall(
        [](void* data) { return (*static_cast<std::remove_reference_t<F>*>(data))(); }, &f);
}

SEXP allocate(SEXPTYPE type, R_xlen_t length);
SEXP textOf(const std::string& utf8); // a CHARSXP
void setAttribute(SEXP object, SEXP name, SEXP value);
void warn(const char* text);
void checkInterrupt();

// Keeps an R object from the garbage collector for its lifetime.
class Protected {
public:
    explicit Protected(SEXP object) : object_(PROTECT(object)) {}
    Protected(const Protected&) = delete;
    Protected& operator=(const Protected&) = delete;
    ~Protected() { UNPROTECT(1); }
    SEXP get() const { return object_; }

private:
    SEXP object_;
};

// Called once, when the package's library is loaded.
void initialise();

// ---- Conversions

// A conversion that fails: "message, name context", as the add-ins and the Python modules
// word theirs.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The argument being converted, for the text of a refusal.
struct Argument {
    const catalogue::FunctionEntry& entry;
    std::size_t index;
};

double toNumber(SEXP value, Argument argument);
bool toFlag(SEXP value, Argument argument);
std::vector<double> toColumn(SEXP value, Argument argument);
catalogue::Block toBlock(SEXP value, Argument argument);
catalogue::Samples toSamples(SEXP value, Argument argument);
catalogue::Identifiers toIdentifiers(SEXP value, Argument argument);
std::string toEnteredText(SEXP value);
std::optional<double> toEnteredNumber(SEXP value);

template <class T> struct From;
template <> struct From<double> {
    static double convert(SEXP x, Argument a) { return toNumber(x, a); }
};
template <> struct From<bool> {
    static bool convert(SEXP x, Argument a) { return toFlag(x, a); }
};
template <> struct From<std::vector<double>> {
    static std::vector<double> convert(SEXP x, Argument a) { return toColumn(x, a); }
};
template <> struct From<catalogue::Block> {
    static catalogue::Block convert(SEXP x, Argument a) { return toBlock(x, a); }
};
template <> struct From<catalogue::Samples> {
    static catalogue::Samples convert(SEXP x, Argument a) { return toSamples(x, a); }
};
template <> struct From<catalogue::Identifiers> {
    static catalogue::Identifiers convert(SEXP x, Argument a) { return toIdentifiers(x, a); }
};
template <> struct From<std::string> {
    static std::string convert(SEXP x, Argument) { return toEnteredText(x); }
};
template <> struct From<std::optional<double>> {
    static std::optional<double> convert(SEXP x, Argument) { return toEnteredNumber(x); }
};
template <> struct From<std::optional<std::vector<double>>> {
    static std::optional<std::vector<double>> convert(SEXP x, Argument a) {
        if (Rf_isNull(x))
            return std::nullopt;
        return toColumn(x, a);
    }
};

SEXP toR(const std::vector<double>& values, const catalogue::FunctionEntry& entry);
SEXP toR(double value, const catalogue::FunctionEntry& entry);
SEXP toR(bool value, const catalogue::FunctionEntry& entry);
SEXP toR(const std::string& text, const catalogue::FunctionEntry& entry);
SEXP toR(const std::vector<std::string>& texts, const catalogue::FunctionEntry& entry);

// ---- Population calls

// One covariate of a population call, read in place.
class Covariate {
public:
    Covariate(SEXP value, Argument argument, bool flag);
    R_xlen_t length() const { return length_; }
    // Patient i's value, recycled; NA_REAL for NA.
    double at(R_xlen_t i) const {
        const R_xlen_t k = length_ == 1 ? 0 : i % length_;
        if (reals_ != nullptr)
            return reals_[k];
        return integers_[k] == NA_INTEGER ? NA_REAL : integers_[k];
    }

private:
    const double* reals_ = nullptr;
    const int* integers_ = nullptr; // integer and logical vectors
    R_xlen_t length_ = 0;
};

// The rows of a model's population call: the named row of one patient, or a data.frame.
class ModelRows {
public:
    ModelRows(const catalogue::FunctionEntry& entry, std::size_t rowLength, R_xlen_t patients,
              bool onePatient);
    void set(R_xlen_t patient, const std::vector<double>& row);
    void setMissing(R_xlen_t patient);
    SEXP get() const { return result_.get(); }

private:
    std::size_t rowLength_;
    bool onePatient_;
    Protected result_;
    std::vector<double*> columns_;
};

// The numbers of a number tool's call over vectors.
class Numbers {
public:
    explicit Numbers(R_xlen_t count);
    void set(R_xlen_t i, double value) { values_[i] = value; }
    void setMissing(R_xlen_t i) { values_[i] = NA_REAL; }
    SEXP get() const { return result_.get(); }

private:
    Protected result_;
    double* values_;
};

// How many patients the covariates describe: the longest length, or 0 when one is empty;
// warns when a length does not divide it.
template <std::size_t N> R_xlen_t patientCount(const std::array<Covariate, N>& covariates);
R_xlen_t patientCount(const Covariate* covariates, std::size_t count);
template <std::size_t N> R_xlen_t patientCount(const std::array<Covariate, N>& covariates) {
    return patientCount(covariates.data(), N);
}

// Ctrl-C is looked for after every this many patients.
inline constexpr R_xlen_t PATIENTS_BETWEEN_INTERRUPT_CHECKS = R_xlen_t{1} << 16;

// A call over vectors: a model's rows, or a number tool's numbers.
template <auto Routine, std::size_t... J>
SEXP callPopulation(const catalogue::FunctionEntry& entry, std::size_t rowLength,
                    const std::array<SEXP, sizeof...(J)>& args, std::index_sequence<J...>) {
    using T = Traits<Routine>;
    const std::array<Covariate, sizeof...(J)> covariates{
        Covariate(args[J], {entry, J}, std::is_same_v<typename T::template Param<J>, bool>)...};
    const R_xlen_t patients = patientCount(covariates);
    auto rows = [&] {
        if constexpr (T::populationShaped)
            return ModelRows(entry, rowLength, patients, ((covariates[J].length() == 1) && ...));
        else
            return Numbers(patients);
    }();
    for (R_xlen_t i = 0; i < patients; ++i) {
        if (i > 0 && i % PATIENTS_BETWEEN_INTERRUPT_CHECKS == 0)
            checkInterrupt();
        [[maybe_unused]] const std::array<double, sizeof...(J)> values{covariates[J].at(i)...};
        if ((R_IsNA(values[J]) || ...)) {
            rows.setMissing(i);
            continue;
        }
        rows.set(i, Routine(static_cast<typename T::template Param<J>>(values[J])...));
    }
    return rows.get();
}

// ---- Native entries

// What a call came to: its value, a refusal (the text kept for the R error) or R's jump.
enum class Outcome { Value, Refused, Jumped };
void keepRefusal(const char* text) noexcept;
// Raises the kept refusal as an R error, or continues R's jump; returns for a value.
void finish(Outcome outcome);

template <class Body> Outcome attempt(Body& body, SEXP& result) noexcept {
    try {
        result = body();
        return Outcome::Value;
    } catch (const RJump&) {
        return Outcome::Jumped;
    } catch (const std::bad_alloc&) {
        keepRefusal("not enough memory");
    } catch (const std::exception& e) {
        keepRefusal(e.what());
    } catch (...) {
        keepRefusal("unknown error");
    }
    return Outcome::Refused;
}

// The frame of every entry: C++ objects live only inside `attempt`, so that R's error (a
// jump) leaves from here with nothing left to destroy.
template <class Body> SEXP answer(Body&& body) {
    SEXP result = R_NilValue;
    finish(attempt(body, result));
    return result;
}

template <class T, std::size_t> using Repeat = T;

// Mean processor seconds of `repeat` runs of the body, which returns a count that keeps its
// work from being optimised away.
double timed(long repeat, const std::function<std::size_t()>& body);

template <const auto& Rows, std::size_t I, class Arguments> struct Native;
template <const auto& Rows, std::size_t I, std::size_t... J>
struct Native<Rows, I, std::index_sequence<J...>> {
    static constexpr auto Routine = routineOf<Rows, I>;
    using T = Traits<Routine>;
    static const catalogue::FunctionEntry& entry() { return *std::get<I>(Rows).entry; }

    static SEXP run(const std::array<SEXP, sizeof...(J)>& args) {
        const catalogue::FunctionEntry& e = entry();
        if constexpr (T::populationShaped) {
            if (!e.cells.empty())
                return callPopulation<Routine>(e, e.cells.size(), args,
                                               std::index_sequence<J...>{});
        } else if constexpr (T::numbersToNumber) {
            return callPopulation<Routine>(e, 0, args, std::index_sequence<J...>{});
        }
        // A braced list is evaluated left to right: the arguments convert in registered order.
        std::tuple<typename T::template Param<J>...> converted{
            From<typename T::template Param<J>>::convert(args[J], {e, J})...};
        return toR(std::apply(Routine, std::move(converted)), e);
    }

    static SEXP call(Repeat<SEXP, J>... values) {
        const std::array<SEXP, sizeof...(J)> args{values...};
        return answer([&args] { return run(args); });
    }

    // Benchmark only: mean processor seconds of one routine call on the arguments (an R list),
    // converted once as the entry converts them; each call gets its own copy, as through the entry.
    static double seconds(SEXP list, long repeat) {
        const catalogue::FunctionEntry& e = entry();
        if (Rf_xlength(list) != static_cast<R_xlen_t>(sizeof...(J)))
            throw std::invalid_argument("wrong number of arguments");
        const std::tuple<typename T::template Param<J>...> converted{
            From<typename T::template Param<J>>::convert(VECTOR_ELT(list, J), {e, J})...};
        return timed(repeat, [&converted] {
            auto copy = converted;
            const auto result = std::apply(Routine, std::move(copy));
            if constexpr (std::is_arithmetic_v<typename T::Result>)
                return static_cast<std::size_t>(result != 0);
            else
                return result.size();
        });
    }

    static R_CallMethodDef definition() {
        // void (*)() stands for any function type; R casts the entry back by its arity.
        return {entry().worksheetName,
                reinterpret_cast<DL_FUNC>(reinterpret_cast<void (*)()>(&call)),
                static_cast<int>(sizeof...(J))};
    }
};

template <const auto& Rows, std::size_t I>
using NativeOf = Native<Rows, I, std::make_index_sequence<Traits<routineOf<Rows, I>>::arity>>;

// The benchmark's timer of a routine, by worksheet name.
using Timer = double (*)(SEXP arguments, long repeat);
void addTimer(const char* worksheetName, Timer timer);

// Registers the definitions (R copies them) and the benchmark's routine_seconds(name,
// arguments, repeat), and only them: .Call reaches an entry through the package's .C_<name>
// object, never by a symbol's name.
void registerDefinitions(DllInfo* dll, std::vector<R_CallMethodDef> definitions);

// A package's R_init_<name>: one native entry per row of the add-in's table, the check
// among them.
template <const auto& Rows> void registerPackage(DllInfo* dll) {
    initialise();
    std::vector<R_CallMethodDef> definitions;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (definitions.push_back(NativeOf<Rows, I>::definition()), ...);
        (addTimer(std::get<I>(Rows).entry->worksheetName, &NativeOf<Rows, I>::seconds), ...);
    }
    (std::make_index_sequence<catalogue::rowCount<std::remove_cvref_t<decltype(Rows)>>>{});
    registerDefinitions(dll, std::move(definitions));
}

} // namespace rbinding
