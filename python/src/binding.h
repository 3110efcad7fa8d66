#pragma once

// The Python binding of an add-in's table of rows (catalogue/row.h): every row's routine
// becomes a module function under its entry's worksheet name, with keyword names,
// signature and docstring made from the entry. Nothing here names a function: a new row is
// bound as it is.
//
// Arguments are converted by the routine parameter's type, in registered order (the first
// failure names its argument):
//   double               a Python number (int, float, bool, a numpy scalar)
//   bool                 a flag: True/False or a number equal to 1 or 0; any other number
//                        (0.5, 2, NaN) is refused, where the sheet would read it as TRUE
//   std::vector<double>  a column: a sequence or numpy array with at most one axis longer
//                        than 1, or a single number (a column of one), as the sheet takes a
//                        row, a column or one cell
//   catalogue::Block     a block of numbers: a 2-D array or a sequence of rows, a sequence or
//                        1-D array as one row, a number as a block of one
//   catalogue::Samples   a column of samples: a column whose None or NaN items are rows not
//                        sampled (the sheet's empty cells)
//   catalogue::Identifiers  a column of identifiers: texts and numbers, None or NaN for an
//                        empty cell
// The checks' kinds read what the user gave as the sheet reads a cell, and never raise
// (None, the default of the keyword, is an empty cell):
//   std::string          a text: a str, or a sequence of one str; anything else is ""
//   optional<double>     a number, a bool as 1 or 0, or a sequence of one of them; None
//                        and "" leave it out; anything else (another text, a sequence of
//                        more) is NaN, which the check names as no number
//   optional<column>     None leaves it out; else a column as the sheet reads a range: bools
//                        as 1 or 0, a text that is a plain decimal number as that number; the
//                        text the sheet shows instead of a result (an element that is no
//                        number, a range of more than one row and column) becomes the
//                        check's one finding
// Results: a column or row (std::vector<double>) is a new numpy float64 array, a number a
// Python float, a truth value a bool, a text a str. A routine that refuses its input throws
// an exception derived from std::runtime_error; its text, the one the cell shows, becomes a
// ValueError with exactly that text.
//
// Checks: a row whose routine returns texts is a check ("OK" or one line per finding). Beside
// returning them, the binding emits every finding as a warning of the module's check
// category (a UserWarning), never as an exception; only a wrong call (a wrong count or name
// of arguments) raises. The other functions neither check nor warn; their docstrings name
// the check that reads their arguments: the covariate check for the models and the
// body-size functions (catalogue::ReadsCovariates), the add-in's own check for a function
// that shares an argument with it.
//
// Population calls (drug models): when any covariate of a model is an array or a sequence,
// the covariates are broadcast against each other as numpy does and the routine runs once
// per element, without the GIL; the result has the broadcast shape followed by the row.

#include "catalogue/conversions.h"
#include "catalogue/row.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace pybinding {

namespace py = pybind11;

// The Python keyword name of a registered argument name: the catalogue's lower-case words
// ("deltaTimes" -> delta_times, "IVBolus" -> iv_bolus), with a trailing "_" when the result
// is a Python keyword.
std::string keywordName(std::string_view registered);

// Conversion contexts, as the add-ins name theirs (catalogue/conversions.h).
inline constexpr const char* NUMBER_CONTEXT = catalogue::conversions::TO_DOUBLE;
inline constexpr const char* FLAG_CONTEXT = catalogue::conversions::TO_BOOL;
inline constexpr const char* COLUMN_CONTEXT = catalogue::conversions::TO_COLUMN;

// "message, keyword context", the add-ins' form of a conversion error.
std::string conversionError(const char* message, const std::string& keyword, const char* context);

double toNumber(py::handle value, const std::string& keyword);
bool toFlag(py::handle value, const std::string& keyword);
std::vector<double> toColumn(py::handle value, const std::string& keyword);

// A block: a number (a block of one), a sequence or 1-D array (one row), a 2-D array or a
// sequence of rows.
catalogue::Block toBlock(py::handle value, const std::string& keyword);

// A column of samples: a column whose None or NaN items are rows not sampled.
catalogue::Samples toSamples(py::handle value, const std::string& keyword);

// A column of identifiers: a sequence or 1-D array of texts and numbers (a number as
// catalogue::identifierOf writes it, True and False as "TRUE" and "FALSE"), None or NaN the
// empty text; a text or a number alone is a column of one.
catalogue::Identifiers toIdentifiers(py::handle value, const std::string& keyword);

// The checks' conversions, as the sheet reads a cell (see above). A column the sheet
// would not read throws ShownInstead with the sheet's text, under the registered name.
struct ShownInstead : std::runtime_error {
    using std::runtime_error::runtime_error;
};
std::string checkText(py::handle value);
std::optional<double> checkNumber(py::handle value);
std::optional<std::vector<double>> checkColumn(py::handle value, const char* registered);

// The texts a conversion raises, each "message, keyword context".
std::vector<std::string> conversionTexts(std::initializer_list<const char*> messages,
                                         const std::string& keyword, const char* context);

// A new float64 array holding the values.
py::array_t<double> toArray(const std::vector<double>& values);

// Whether a covariate asks for a population call: an array of one or more dimensions, or a
// sequence other than a text.
bool isPopulation(py::handle value);

// A covariate as a float64 array for a population call; flags must hold only 0 and 1.
py::array_t<double> covariateArray(py::handle value, const std::string& keyword, bool flag);

// The covariates broadcast against each other: their common shape, and each as a
// contiguous array of that many elements.
struct Broadcast {
    std::vector<py::ssize_t> shape;
    std::vector<py::array_t<double>> flat;
    std::size_t count = 0;
};
Broadcast broadcast(const std::vector<py::array_t<double>>& covariates);

// The keyword names of an entry's arguments; raises when two are equal.
std::vector<std::string> keywordsOf(const catalogue::FunctionEntry& entry);

// The checks a function's docstring may name: the module's own (its entry, or nullptr) and
// the qualified name of its warning category, and the qualified name of the covariate check.
struct CheckNames {
    const catalogue::FunctionEntry* own;
    const char* module;      // "corvane"
    const char* warningName; // "corvane.ScheduleWarning"
    const char* covariateCheck;
};

// The call of the check that reads this function's arguments, or "" when none does:
// 'velmora.CovariateCheck("PropSchnider", age, weight, height, lbm)',
// "corvane.ScheduleCheck(delta_times=delta_times)".
std::string checkCallOf(const catalogue::FunctionEntry& entry,
                        const std::vector<std::string>& keywords, const CheckNames& check);

// What the docstring says of each argument: its keyword and kind, whether it may be left
// out, and the texts its conversion raises.
struct ArgumentDoc {
    std::string keyword;
    const char* kind;
    bool optional;
    std::vector<std::string> raises;
};

// Signature line ("Name(a, b=None)\n--\n\n", which Python reads as the text signature),
// the reference's purpose, arguments with their registered names, units and meanings, what
// is returned and its cells with units, the texts it raises or (a check) returns instead,
// and what warns: the check's findings, nothing else.
std::string docstringOf(const catalogue::FunctionEntry& entry,
                        const std::vector<ArgumentDoc>& arguments, const char* returns,
                        bool population, bool isCheck, const CheckNames& check);

// A new warning category named qualifiedName ("velmora.CovariateWarning"), a UserWarning,
// set on the module under its last name.
void addWarningCategory(py::module_& m, const char* qualifiedName, const char* doc);

// Each finding of a check's result (a list of str) as a warning of the category, unless the
// result is the check's "nothing found" alone.
void warnFindings(const py::object& findings, py::handle category);

// ---- Conversions by kind (catalogue/kinds.h): a new kind of argument gets its From here.
// `kind` is how the docstring describes it; ARGUMENTS names it by the catalogue's name.

template <class T> struct From {
    static_assert(
        sizeof(T) == 0,
        "the Python binding converts numbers, flags, columns, blocks, samples, identifiers, texts "
        "and optional numbers and columns: teach python/src/binding.h "
        "this kind of argument");
};
// convert(value, keyword, registered name); raises(keyword): the texts it may raise.
template <> struct From<double> {
    static constexpr const char* kind = "number";
    static double convert(py::handle h, const std::string& kw, const char*) {
        return toNumber(h, kw);
    }
    static std::vector<std::string> raises(const std::string& kw) {
        namespace c = catalogue::conversions;
        return conversionTexts({c::NOT_A_NUMBER, c::MISSING}, kw, NUMBER_CONTEXT);
    }
};
template <> struct From<bool> {
    static constexpr const char* kind = "flag: True/False or 1/0";
    static bool convert(py::handle h, const std::string& kw, const char*) { return toFlag(h, kw); }
    static std::vector<std::string> raises(const std::string& kw) {
        namespace c = catalogue::conversions;
        return conversionTexts({c::NOT_A_NUMBER, c::MISSING, c::NEITHER_0_NOR_1}, kw, FLAG_CONTEXT);
    }
};
template <> struct From<std::vector<double>> {
    static constexpr const char* kind = "column: a sequence or 1-D array of numbers";
    static std::vector<double> convert(py::handle h, const std::string& kw, const char*) {
        return toColumn(h, kw);
    }
    static std::vector<std::string> raises(const std::string& kw) {
        namespace c = catalogue::conversions;
        return conversionTexts(
            {c::NOT_A_NUMBER, c::MISSING, c::NOT_ONE_DIMENSIONAL_VALUE, c::EMPTY}, kw,
            COLUMN_CONTEXT);
    }
};
template <> struct From<catalogue::Block> {
    static constexpr const char* kind =
        "block: a number, a sequence or 1-D array (one row), or a 2-D array of rows";
    static catalogue::Block convert(py::handle h, const std::string& kw, const char*) {
        return toBlock(h, kw);
    }
    static std::vector<std::string> raises(const std::string& kw) {
        namespace c = catalogue::conversions;
        return conversionTexts({c::NOT_A_NUMBER, c::MISSING, c::NOT_A_BLOCK, c::EMPTY}, kw,
                               NUMBER_CONTEXT);
    }
};
template <> struct From<catalogue::Samples> {
    static constexpr const char* kind =
        "samples: a sequence or 1-D array of numbers, None or NaN where not sampled";
    static catalogue::Samples convert(py::handle h, const std::string& kw, const char*) {
        return toSamples(h, kw);
    }
    static std::vector<std::string> raises(const std::string& kw) {
        namespace c = catalogue::conversions;
        return conversionTexts(
            {c::NOT_A_NUMBER, c::MISSING, c::NOT_ONE_DIMENSIONAL_VALUE, c::EMPTY}, kw,
            COLUMN_CONTEXT);
    }
};
template <> struct From<catalogue::Identifiers> {
    static constexpr const char* kind = "identifiers: a sequence or 1-D array of texts or numbers";
    static catalogue::Identifiers convert(py::handle h, const std::string& kw, const char*) {
        return toIdentifiers(h, kw);
    }
    static std::vector<std::string> raises(const std::string& kw) {
        namespace c = catalogue::conversions;
        return conversionTexts(
            {c::NOT_A_NUMBER, c::MISSING, c::NOT_ONE_DIMENSIONAL_VALUE, c::EMPTY}, kw,
            c::TO_STRING);
    }
};
// The checks' kinds: nothing raises.
template <> struct From<std::string> {
    static constexpr const char* kind = "text";
    static std::string convert(py::handle h, const std::string&, const char*) {
        return checkText(h);
    }
    static std::vector<std::string> raises(const std::string&) { return {}; }
};
template <> struct From<std::optional<double>> {
    static constexpr bool optional = true;
    static constexpr const char* kind = "number, None to leave it out";
    static std::optional<double> convert(py::handle h, const std::string&, const char*) {
        return checkNumber(h);
    }
    static std::vector<std::string> raises(const std::string&) { return {}; }
};
template <> struct From<std::optional<std::vector<double>>> {
    static constexpr bool optional = true;
    static constexpr const char* kind = "column of numbers, None to leave it out";
    static std::optional<std::vector<double>> convert(py::handle h, const std::string&,
                                                      const char* registered) {
        return checkColumn(h, registered);
    }
    static std::vector<std::string> raises(const std::string&) { return {}; }
};

template <class P> constexpr bool isOptional() {
    if constexpr (requires { From<P>::optional; })
        return From<P>::optional;
    else
        return false;
}

// The keyword of a parameter: None by default when it may be left out.
template <class P> auto keywordOf(const std::string& kw) {
    if constexpr (isOptional<P>())
        return py::arg_v(kw.c_str(), py::none(), "None");
    else
        return py::arg(kw.c_str());
}

template <class R> struct To;
template <> struct To<std::vector<double>> {
    static constexpr const char* returns = "a numpy float64 array (the cells of the result)";
    static py::object convert(const std::vector<double>& v) { return toArray(v); }
};
template <> struct To<double> {
    static constexpr const char* returns = "a Python float (the cell's number)";
    static py::object convert(double v) { return py::float_(v); }
};
template <> struct To<bool> {
    static constexpr const char* returns = "a bool";
    static py::object convert(bool v) { return py::bool_(v); }
};
template <> struct To<std::string> {
    static constexpr const char* returns = "a str";
    static py::object convert(const std::string& v) { return py::str(v); }
};
template <> struct To<std::vector<std::string>> {
    static constexpr const char* returns = "a list of str (the cells of the result)";
    static py::object convert(const std::vector<std::string>& v) {
        py::list texts;
        for (const std::string& text : v)
            texts.append(py::str(text));
        return texts;
    }
};

template <class P> using Plain = std::remove_cvref_t<P>;
template <class T, std::size_t> using Repeat = T;

// A routine's types, from the function pointer itself.
template <auto Routine> struct Traits;
template <class R, class... P, R (*Routine)(P...)> struct Traits<Routine> {
    using Result = Plain<R>;
    static constexpr std::size_t arity = sizeof...(P);
    template <std::size_t J> using Param = Plain<std::tuple_element_t<J, std::tuple<P...>>>;
    // Columns take time to convert and to work through: the routine runs without the GIL.
    static constexpr bool releasesGil = (std::is_same_v<Plain<P>, std::vector<double>> || ...);
    // A model of numbers and flags returning a row can be called for a population.
    static constexpr bool populationShaped =
        std::is_same_v<Result, std::vector<double>> &&
        ((std::is_same_v<Plain<P>, double> || std::is_same_v<Plain<P>, bool>)&&...);
};

// The routine's text of refusal as a ValueError.
template <class Body> auto refusalsAsValueError(Body&& body) {
    try {
        return body();
    } catch (const py::error_already_set&) {
        throw;
    } catch (const py::builtin_exception&) {
        throw;
    } catch (const ShownInstead&) {
        throw;
    } catch (const std::runtime_error& e) {
        throw py::value_error(e.what());
    }
}

// One call: convert in registered order (a braced list is evaluated left to right), run the
// routine, convert the result.
template <auto Routine, std::size_t... J>
py::object callOnce([[maybe_unused]] const std::vector<std::string>& kw,
                    [[maybe_unused]] const std::vector<const char*>& registered,
                    [[maybe_unused]] const std::array<py::handle, sizeof...(J)>& args,
                    std::index_sequence<J...>) {
    using T = Traits<Routine>;
    return refusalsAsValueError([&] {
        std::tuple<typename T::template Param<J>...> converted{
            From<typename T::template Param<J>>::convert(args[J], kw[J], registered[J])...};
        if constexpr (T::releasesGil) {
            typename T::Result result = [&] {
                py::gil_scoped_release unlocked;
                return std::apply(Routine, std::move(converted));
            }();
            return To<typename T::Result>::convert(result);
        } else {
            return To<typename T::Result>::convert(std::apply(Routine, std::move(converted)));
        }
    });
}

// A population call of a model whose row has rowLength values.
template <auto Routine, std::size_t... J>
py::object callPopulation(const std::vector<std::string>& kw,
                          const std::array<py::handle, sizeof...(J)>& args, std::size_t rowLength,
                          std::index_sequence<J...>) {
    using T = Traits<Routine>;
    const std::vector<py::array_t<double>> covariates{
        covariateArray(args[J], kw[J], std::is_same_v<typename T::template Param<J>, bool>)...};
    Broadcast b = broadcast(covariates);
    std::vector<py::ssize_t> shape = b.shape;
    shape.push_back(static_cast<py::ssize_t>(rowLength));
    py::array_t<double> rows(shape);
    [[maybe_unused]] const std::array<const double*, sizeof...(J)> in{b.flat[J].data()...};
    double* out = rows.mutable_data();
    bool rowsFit = true;
    {
        py::gil_scoped_release unlocked;
        for (std::size_t i = 0; i < b.count && rowsFit; ++i) {
            const std::vector<double> row =
                Routine(static_cast<typename T::template Param<J>>(in[J][i])...);
            rowsFit = row.size() == rowLength;
            if (rowsFit)
                std::memcpy(out + i * rowLength, row.data(), rowLength * sizeof(double));
        }
    }
    if (!rowsFit)
        throw std::logic_error("a model row differs in length from its catalogue entry");
    return rows;
}

// The timing entry of the benchmark: mean seconds of one routine call on these arguments,
// converted once as the binding converts them.
using RoutineTimer = std::function<double(const py::tuple&, long)>;

template <auto Routine, std::size_t... J>
RoutineTimer timerOf(std::vector<std::string> kw, std::vector<const char*> registered,
                     std::index_sequence<J...>) {
    using T = Traits<Routine>;
    return [kw, registered](const py::tuple& args, long repeat) {
        if (args.size() != sizeof...(J))
            throw py::type_error("wrong number of arguments");
        const std::tuple<typename T::template Param<J>...> converted{
            From<typename T::template Param<J>>::convert(args[J], kw[J], registered[J])...};
        py::gil_scoped_release unlocked;
        std::size_t sink = 0;
        const auto start = std::chrono::steady_clock::now();
        for (long r = 0; r < repeat; ++r) {
            // The routine takes its columns by value: each call gets its own, as in the binding.
            auto copy = converted;
            const auto result = std::apply(Routine, std::move(copy));
            if constexpr (std::is_arithmetic_v<typename T::Result>)
                sink += result != 0;
            else
                sink += result.size();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        volatile std::size_t keep = sink;
        (void)keep;
        return took.count() / static_cast<double>(repeat);
    };
}

// Binds one routine under its entry; a check warns its findings in the category.
template <auto Routine, class Entry, std::size_t... J>
void bindOne(py::module_& m, const Entry& entry, bool population, const CheckNames& check,
             py::handle category, std::map<std::string, RoutineTimer>& timers,
             py::dict& argumentTable, std::index_sequence<J...> seq) {
    using T = Traits<Routine>;
    constexpr bool isCheck = std::is_same_v<typename T::Result, std::vector<std::string>>;
    const std::vector<std::string> kw = keywordsOf(entry);
    std::vector<const char*> registered;
    for (const catalogue::ArgumentEntry& argument : entry.arguments)
        registered.push_back(argument.name);
    const std::size_t rowLength = entry.cells.size();
    const bool batch = population && T::populationShaped && rowLength > 0;
    const std::vector<ArgumentDoc> argumentDocs{
        ArgumentDoc{kw[J], From<typename T::template Param<J>>::kind,
                    isOptional<typename T::template Param<J>>(),
                    From<typename T::template Param<J>>::raises(kw[J])}...};
    const std::string doc =
        docstringOf(entry, argumentDocs, To<typename T::Result>::returns, batch, isCheck, check);
    m.def(
        entry.worksheetName,
        [kw, registered, batch, rowLength, category = py::reinterpret_borrow<py::object>(category)](
            Repeat<py::handle, J>... values) -> py::object {
            const std::array<py::handle, sizeof...(J)> args{values...};
            if constexpr (T::populationShaped) {
                if (batch && (isPopulation(args[J]) || ...))
                    return refusalsAsValueError([&] {
                        return callPopulation<Routine>(kw, args, rowLength,
                                                       std::index_sequence<J...>{});
                    });
            }
            if constexpr (isCheck) {
                py::object result;
                try {
                    result = callOnce<Routine>(kw, registered, args, std::index_sequence<J...>{});
                } catch (const ShownInstead& shown) {
                    result = To<typename T::Result>::convert({shown.what()});
                }
                warnFindings(result, category);
                return result;
            } else {
                return callOnce<Routine>(kw, registered, args, std::index_sequence<J...>{});
            }
        },
        keywordOf<typename T::template Param<J>>(kw[J])..., doc.c_str());
    timers.emplace(entry.worksheetName, timerOf<Routine>(kw, registered, seq));
    const std::array<const char*, sizeof...(J)> kindNames{
        catalogue::ArgumentKind<typename T::template Param<J>>::name...};
    py::list arguments;
    for (std::size_t j = 0; j < kw.size(); ++j)
        arguments.append(py::make_tuple(kw[j], entry.arguments[j].name, kindNames[j]));
    argumentTable[entry.worksheetName] = py::tuple(arguments);
}

// The entry of the add-in's own check (the first among the rows): the function whose
// docstring names it for the arguments they share.
template <class Rows> constexpr const catalogue::FunctionEntry* checkOf(const Rows& rows) {
    const catalogue::FunctionEntry* check = nullptr;
    catalogue::forEachRow(rows, [&](const auto& row) {
        if (check == nullptr && std::decay_t<decltype(row)>::isCheck)
            check = row.entry;
    });
    return check;
}

// Binds every row's routine under its entry (population calls for the models when
// population is true), the checks with their warning category (warningName). Adds __all__
// (the worksheet names in row order), ARGUMENTS, and `_routine_seconds(name, args, repeat)`,
// the benchmark's timing of the bare routine.
template <const auto& Rows, std::size_t... I>
void bindRows(py::module_& m, const char* warningName, const char* warningDoc, bool population,
              const char* covariateCheck, std::index_sequence<I...>) {
    static_assert(checkOf(Rows) != nullptr, "an add-in's rows hold its check");
    const std::string module(
        std::string_view(warningName).substr(0, std::string_view(warningName).find('.')));
    const CheckNames check{checkOf(Rows), module.c_str(), warningName, covariateCheck};
    addWarningCategory(m, warningName, warningDoc);
    const std::string warningAttribute =
        std::string(warningName).substr(std::string_view(warningName).rfind('.') + 1);
    const py::object category = m.attr(warningAttribute.c_str());
    auto timers = std::make_shared<std::map<std::string, RoutineTimer>>();
    py::dict argumentTable;
    (bindOne<std::get<I>(Rows).routine>(
         m, *std::get<I>(Rows).entry, population, check, category, *timers, argumentTable,
         std::make_index_sequence<Traits<std::get<I>(Rows).routine>::arity>{}),
     ...);
    py::list names;
    for (const catalogue::FunctionEntry* entry : catalogue::entriesOf(Rows))
        names.append(entry->worksheetName);
    m.attr("__all__") = names;
    // Each function's arguments: (keyword, registered name, kind) with kind "number", "flag",
    // "column", "text", "optional number" or "optional column" (catalogue/kinds.h).
    m.attr("ARGUMENTS") = argumentTable;
    m.def(
        "_routine_seconds",
        [timers](const std::string& name, const py::tuple& args, long repeat) {
            const auto found = timers->find(name);
            if (found == timers->end())
                throw py::value_error("no function " + name);
            return found->second(args, repeat);
        },
        py::arg("name"), py::arg("args"), py::arg("repeat"),
        "Benchmark only: mean seconds of one call of the C++ routine on these arguments.");
}

// Binds an add-in's rows, as bindRows; covariateCheck is the qualified name of the
// covariate check ("velmora.CovariateCheck").
template <const auto& Rows>
void bindRows(py::module_& m, const char* warningName, const char* warningDoc, bool population,
              const char* covariateCheck) {
    bindRows<Rows>(m, warningName, warningDoc, population, covariateCheck,
                   std::make_index_sequence<catalogue::rowCount<std::decay_t<decltype(Rows)>>>{});
}

} // namespace pybinding
