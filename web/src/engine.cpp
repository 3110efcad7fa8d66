// The engine of the web page and of the JavaScript module: every worksheet function of
// Velmora and Corvane, called by name as the spreadsheet calls it, and the catalogue of
// both add-ins.
//
// A call goes the way of a formula in the stand-in host: each JavaScript argument becomes
// the cell value a formula would hold (a number, a truth value, a text, an error value, an
// array constant, an omitted argument), the host passes it as the function's registered
// type letter asks (standin::Invoke: a number argument coerced as the spreadsheet coerces
// it, a cell value as a value record) to the function's worksheet entry, which is the
// add-ins' own wrapper (xlf::Call of the routine under its catalogue entry, in the frame),
// and the result is read back as the cell shows it. So conversions, texts and errors are
// the add-ins' own. Nothing here names a function: every row of the add-ins' tables
// (catalogue/row.h) is bound as it is.

#include "CellValues.h"
#include "catalogue/entry.h"
#include "catalogue/reference.h"
#include "catalogue/row.h"
#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"
#include "sheet/value.h"
#include "standin/Call.h"
#include "standin/Host.h"
#include "xlf/Call.h"

#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using emscripten::val;

// ---- The functions: each routine's worksheet entry and how the host calls it

// One worksheet function: its catalogue entry, the add-in that registers it, and the entry
// the host calls with the type letters of its signature.
struct Function {
    const catalogue::FunctionEntry* entry;
    const char* addin;
    const char* category;
    void* procedure;
    standin::Signature signature;
    std::vector<const char*> kinds; // what each argument takes, in registered order
    // Benchmark only: mean seconds of the routine alone on the host's records, converted
    // once as the worksheet entry converts them.
    double (*routineSeconds)(const std::vector<xlf::XLOPER12*>& records, int repeat);
};

// The worksheet entry of row I of an add-in's table: the body of the add-in's exported
// wrapper, with the parameters the host passes for the routine's parameter types.
template <const auto& Rows, std::size_t I,
          class Row = std::remove_cvref_t<decltype(std::get<I>(Rows))>>
struct WorksheetEntry;

template <const auto& Rows, std::size_t I, class Result, class... Params>
struct WorksheetEntry<Rows, I, catalogue::Row<Result, Params...>> {
    static constexpr const auto& row = std::get<I>(Rows);

    static xlf::LPXLOPER12 XLF_PASCAL Call(typename xlf::HostArgumentOf<Params>::Type... args) {
        return xlf::CallRow<Rows, I>(args...);
    }

    static standin::Signature Signature() {
        standin::Signature signature;
        signature.result = standin::Signature::Type::Record;
        signature.arguments = {(std::is_same_v<typename xlf::HostArgumentOf<Params>::Type, double>
                                    ? standin::Signature::Type::Number
                                    : standin::Signature::Type::Record)...};
        return signature;
    }

    template <class P> static typename xlf::HostArgumentOf<P>::Type HostValue(xlf::XLOPER12* r) {
        if constexpr (std::is_same_v<typename xlf::HostArgumentOf<P>::Type, double>)
            return r->val.num;
        else
            return r;
    }

    template <std::size_t... J>
    static double TimeRoutine(const std::vector<xlf::XLOPER12*>& records, int repeat,
                              std::index_sequence<J...>) {
        const std::tuple<std::remove_cvref_t<Params>...> converted{
            xlf::HostArgumentOf<Params>::Convert(HostValue<Params>(records[J]),
                                                 row.entry->arguments[J].name)...};
        std::size_t sink = 0;
        const double start = emscripten_get_now();
        for (int r = 0; r < repeat; ++r) {
            auto copy = converted; // the routine takes its columns by value, as in a call
            const auto result = std::apply(row.routine, std::move(copy));
            if constexpr (std::is_arithmetic_v<std::remove_cvref_t<decltype(result)>>)
                sink += result != 0;
            else
                sink += result.size();
        }
        const double seconds = (emscripten_get_now() - start) / 1000;
        volatile std::size_t keep = sink;
        (void)keep;
        return seconds / repeat;
    }

    static double RoutineSeconds(const std::vector<xlf::XLOPER12*>& records, int repeat) {
        return TimeRoutine(records, repeat, std::index_sequence_for<Params...>{});
    }

    static Function Bound(const char* addin, const char* category) {
        return {row.entry,      addin,
                category,       reinterpret_cast<void*>(&Call),
                Signature(),    {catalogue::KindOf<Params>::name...},
                &RoutineSeconds};
    }
};

// Every row of an add-in's table, in row order.
template <const auto& Rows>
void bindRows(std::vector<Function>& functions, const char* addin, const char* category) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (functions.push_back(WorksheetEntry<Rows, I>::Bound(addin, category)), ...);
    }
    (std::make_index_sequence<catalogue::rowCount<std::remove_cvref_t<decltype(Rows)>>>{});
}

// Every function, in the tables' order: Velmora's, then Corvane's.
const std::vector<Function>& functions() {
    static const std::vector<Function> all = [] {
        std::vector<Function> bound;
        bindRows<drugmodels::VELMORA_FUNCTIONS>(bound, "Velmora", drugmodels::VELMORA_CATEGORY);
        bindRows<pktools::CORVANE_FUNCTIONS>(bound, "Corvane", pktools::CORVANE_CATEGORY);
        return bound;
    }();
    return all;
}

// The worksheet name as the spreadsheet compares it: without regard to case.
std::string folded(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

const Function* find(const std::string& name) {
    static const std::map<std::string, const Function*> byName = [] {
        std::map<std::string, const Function*> names;
        for (const Function& f : functions())
            names[folded(f.entry->worksheetName)] = &f;
        return names;
    }();
    const auto found = byName.find(folded(name));
    return found == byName.end() ? nullptr : found->second;
}

// ---- Cells in and out, as the module's JavaScript passes them
//
// The arguments come as four arrays (src/module.js makes them from JavaScript values):
// for each argument its rows and columns (0 and 0 for a single value), then its cells, row
// by row, each a kind, a number (for a number or a truth value) and, for a text or an error
// value, the next text of the list. A result goes back the same way.

enum class CellKind : std::uint8_t {
    Missing = 0,
    Empty = 1,
    Number = 2,
    Truth = 3,
    Text = 4,
    Error = 5
};

struct Cells {
    std::vector<std::int32_t> shapes; // rows, columns per argument
    std::vector<std::uint8_t> kinds;
    std::vector<double> numbers;
    std::vector<std::string> texts;
};

// A wrong argument of the JavaScript call: a TypeError with a text that says what it takes.
[[noreturn]] void refuse(const std::string& function, std::size_t argument,
                         const std::string& what) {
    throw std::invalid_argument(function + ": argument " + std::to_string(argument + 1) + " " +
                                what);
}

// One cell as a formula's value holds it.
sheet::Value cellValue(const Cells& in, std::size_t cell, std::size_t& text,
                       const std::string& function, std::size_t argument) {
    switch (static_cast<CellKind>(in.kinds.at(cell))) {
    case CellKind::Missing:
        return sheet::Value::missing();
    case CellKind::Empty:
        return sheet::Value::nil();
    case CellKind::Number:
        return sheet::Value::of(in.numbers.at(cell));
    case CellKind::Truth:
        return sheet::Value::ofBool(in.numbers.at(cell) != 0);
    case CellKind::Text:
        return sheet::Value::ofText(in.texts.at(text++));
    case CellKind::Error: {
        sheet::ErrorCode error;
        const std::string& code = in.texts.at(text++);
        if (sheet::parseErrorText(code, error) && error != sheet::ErrorCode::Spill &&
            error != sheet::ErrorCode::Cycle)
            return sheet::Value::ofError(error);
        refuse(function, argument,
               "has an unknown error value \"" + code +
                   "\": the host's are #NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM! and #N/A");
    }
    }
    refuse(function, argument, "is of no kind a cell holds");
}

// The arguments as the host passes them. An array of one cell is that cell, as an array
// constant of one cell is.
std::vector<standin::Value> hostArguments(const std::string& name, const Cells& in) {
    std::vector<standin::Value> values;
    values.reserve(in.shapes.size() / 2);
    std::size_t cell = 0, text = 0;
    for (std::size_t k = 0; 2 * k + 1 < in.shapes.size(); ++k) {
        const int rows = in.shapes[2 * k], columns = in.shapes[2 * k + 1];
        if (rows == 0) {
            values.push_back(sheethost::ToHost(cellValue(in, cell++, text, name, k)));
            continue;
        }
        const int count = rows * columns;
        std::vector<sheet::Value> items;
        items.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (int i = 0; i < count; ++i)
            items.push_back(cellValue(in, cell++, text, name, k));
        values.push_back(sheethost::ToHost(
            items.size() == 1 ? items.front()
                              : sheet::Value::array(rows, columns, std::move(items))));
    }
    return values;
}

Cells cellsOf(const val& shapes, const val& kinds, const val& numbers, const val& texts) {
    Cells in;
    in.shapes = emscripten::convertJSArrayToNumberVector<std::int32_t>(shapes);
    in.kinds = emscripten::convertJSArrayToNumberVector<std::uint8_t>(kinds);
    in.numbers = emscripten::convertJSArrayToNumberVector<double>(numbers);
    const auto count = texts["length"].as<std::size_t>();
    for (std::size_t i = 0; i < count; ++i)
        in.texts.push_back(texts[i].as<std::string>());
    return in;
}

// A result as the cells show it: a number that is not finite is #NUM!, an empty cell empty.
val resultCells(const sheet::Value& result) {
    const bool array = result.is(sheet::Value::Kind::Array);
    const std::size_t count = array ? result.cells.size() : 1;
    std::vector<std::uint8_t> kinds(count);
    std::vector<double> numbers(count);
    val texts = val::array();
    for (std::size_t i = 0; i < count; ++i) {
        const sheet::Value& cell = array ? result.cells[i] : result;
        CellKind kind = CellKind::Empty;
        switch (cell.kind) {
        case sheet::Value::Kind::Number:
            kind = std::isfinite(cell.number) ? CellKind::Number : CellKind::Error;
            if (kind == CellKind::Number)
                numbers[i] = cell.number;
            else
                texts.call<void>("push", std::string(sheet::errorText(sheet::ErrorCode::Num)));
            break;
        case sheet::Value::Kind::Boolean:
            kind = CellKind::Truth;
            numbers[i] = cell.boolean ? 1 : 0;
            break;
        case sheet::Value::Kind::Text:
            kind = CellKind::Text;
            texts.call<void>("push", cell.text);
            break;
        case sheet::Value::Kind::Error:
        case sheet::Value::Kind::Array: // an array inside a cell
            kind = CellKind::Error;
            texts.call<void>("push", std::string(sheet::errorText(cell.is(sheet::Value::Kind::Array)
                                                                      ? sheet::ErrorCode::Value
                                                                      : cell.error)));
            break;
        case sheet::Value::Kind::Missing:
        case sheet::Value::Kind::Nil:
            break;
        }
        kinds[i] = static_cast<std::uint8_t>(kind);
    }
    val out = val::object();
    out.set("rows", array ? result.rows : 1);
    out.set("columns", array ? result.columns : 1);
    // Copies out of the module's memory.
    out.set("kinds", val(emscripten::typed_memory_view(count, kinds.data())).call<val>("slice"));
    out.set("numbers",
            val(emscripten::typed_memory_view(count, numbers.data())).call<val>("slice"));
    out.set("texts", texts);
    return out;
}

// A call that cannot be made throws a JavaScript TypeError with the text.
template <class Body> auto refusedAsTypeError(Body&& body) {
    try {
        return body();
    } catch (const std::invalid_argument& e) {
        val::global("TypeError").new_(std::string(e.what())).throw_();
    }
}

// The result of the function `name` (compared without regard to case, as the spreadsheet
// compares names); an unknown name is #NAME?.
val call(const std::string& name, const val& shapes, const val& kinds, const val& numbers,
         const val& texts) {
    return refusedAsTypeError([&] {
        const std::vector<standin::Value> values =
            hostArguments(name, cellsOf(shapes, kinds, numbers, texts));
        const Function* function = find(name);
        if (function == nullptr)
            return resultCells(sheet::Value::ofError(sheet::ErrorCode::Name));
        return resultCells(sheethost::FromHost(
            standin::Invoke(function->procedure, function->signature, values, nullptr)));
    });
}

// Benchmark only: the mean seconds of the routine of `name` alone, on the records the host
// would pass for these arguments (numbers, flags and columns of numbers).
double timeRoutine(const std::string& name, const Cells& in, int repeat) {
    const std::vector<standin::Value> values = hostArguments(name, in);
    const Function* function = find(name);
    if (function == nullptr)
        throw std::invalid_argument(name + " is no function of Velmora or Corvane");
    if (values.size() != function->signature.arguments.size() || repeat < 1)
        throw std::invalid_argument(name + ": give every argument and a repeat of at least 1");
    std::vector<xlf::XLOPER12> records(values.size());
    std::vector<std::vector<xlf::XLOPER12>> cells(values.size());
    std::vector<xlf::XLOPER12*> pointers;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const standin::Value& v = values[k];
        xlf::XLOPER12& r = records[k];
        r = xlf::XLOPER12{};
        if (v.kind == standin::Value::Kind::Num) {
            r.xltype = xlf::xltypeNum;
            r.val.num = v.num;
        } else if (v.kind == standin::Value::Kind::Bool) {
            r.xltype = xlf::xltypeBool;
            r.val.xbool = v.flag ? 1 : 0;
        } else if (v.kind == standin::Value::Kind::Multi) {
            for (const standin::Value& item : v.items) {
                if (item.kind != standin::Value::Kind::Num)
                    throw std::invalid_argument(name + ": the benchmark takes columns of numbers");
                xlf::XLOPER12 cell{};
                cell.xltype = xlf::xltypeNum;
                cell.val.num = item.num;
                cells[k].push_back(cell);
            }
            r.xltype = xlf::xltypeMulti;
            r.val.array.lparray = cells[k].data();
            r.val.array.rows = v.rows;
            r.val.array.columns = v.columns;
        } else {
            throw std::invalid_argument(name + ": the benchmark takes numbers, flags and columns");
        }
        pointers.push_back(&r);
    }
    return function->routineSeconds(pointers, repeat);
}

double routineSeconds(const std::string& name, const val& shapes, const val& kinds,
                      const val& numbers, const val& texts, int repeat) {
    return refusedAsTypeError(
        [&] { return timeRoutine(name, cellsOf(shapes, kinds, numbers, texts), repeat); });
}

// ---- The catalogue

val text(const char* s) {
    return val(std::string(s != nullptr ? s : ""));
}

const char* quantityName(catalogue::Quantity quantity) {
    switch (quantity) {
    case catalogue::Quantity::Age:
        return "age";
    case catalogue::Quantity::Weight:
        return "weight";
    case catalogue::Quantity::Height:
        return "height";
    case catalogue::Quantity::LeanBodyMass:
        return "lean body mass";
    case catalogue::Quantity::PostmenstrualAge:
        return "postmenstrual age";
    case catalogue::Quantity::CreatinineClearance:
        return "creatinine clearance";
    case catalogue::Quantity::BodyMassIndex:
        return "body mass index";
    case catalogue::Quantity::GestationAtBirth:
        return "gestation at birth";
    case catalogue::Quantity::Flag:
        return "flag";
    case catalogue::Quantity::Other:
        break;
    }
    return "";
}

val sourceObject(const catalogue::ModelSource& source) {
    val s = val::object();
    s.set("study", text(source.study));
    s.set("publication", text(source.publication));
    s.set("identifiers", text(source.identifiers));
    s.set("population", text(source.population));
    val ranges = val::array();
    for (const catalogue::StudiedRange& range : source.ranges) {
        val r = val::object();
        r.set("quantity", text(quantityName(range.quantity)));
        r.set("low", range.low);
        r.set("high", range.high);
        ranges.call<void>("push", r);
    }
    s.set("ranges", ranges);
    s.set("rangesStatus", text(source.rangesStatus));
    s.set("rangesConfirmed", source.rangesConfirmed);
    s.set("notes", text(source.notes));
    if (source.drug != nullptr) {
        val drug = val::object();
        drug.set("name", text(source.drug->name));
        drug.set("doseUnit", text(source.drug->doseUnit));
        drug.set("concentrationUnit", text(source.drug->concentrationUnit));
        s.set("drug", drug);
    } else {
        s.set("drug", val::null());
    }
    return s;
}

val referenceObject(const catalogue::FunctionEntry& reference) {
    val r = val::object();
    r.set("purpose", text(reference.purpose));
    r.set("result", text(reference.result));
    val cells = val::array();
    for (const catalogue::ResultCell& cell : reference.cells) {
        val c = val::object();
        c.set("name", text(cell.name));
        c.set("unit", text(cell.unit));
        c.set("meaning", text(cell.meaning));
        cells.call<void>("push", c);
    }
    r.set("cells", cells);
    val errors = val::array();
    for (const catalogue::ErrorCause& error : reference.errors) {
        val e = val::object();
        e.set("text", text(error.text));
        e.set("cause", text(error.cause));
        errors.call<void>("push", e);
    }
    r.set("errors", errors);
    r.set("example", text(reference.example));
    r.set("notes", text(reference.notes));
    r.set("source", reference.source != nullptr ? sourceObject(*reference.source) : val::null());
    return r;
}

// functions: every function with its registered texts (as registered, blanks included),
// what each argument takes, and its reference.
val catalogueOf() {
    val all = val::array();
    for (const Function& f : functions()) {
        const catalogue::FunctionEntry& entry = *f.entry;
        val fn = val::object();
        fn.set("name", text(entry.worksheetName));
        fn.set("addin", text(f.addin));
        fn.set("category", text(f.category));
        fn.set("help", text(entry.helpText));
        val arguments = val::array();
        for (std::size_t k = 0; k < entry.arguments.size(); ++k) {
            val a = val::object();
            a.set("name", text(entry.arguments[k].name));
            a.set("description", text(entry.arguments[k].description));
            a.set("takes", text(f.kinds[k]));
            a.set("unit", text(entry.arguments[k].unit));
            a.set("meaning", text(entry.arguments[k].meaning));
            a.set("quantity", text(quantityName(entry.arguments[k].quantity)));
            arguments.call<void>("push", a);
        }
        fn.set("arguments", arguments);
        fn.set("reference", referenceObject(entry));
        all.call<void>("push", fn);
    }
    return all;
}

} // namespace

EMSCRIPTEN_BINDINGS(velmora_corvane) {
    emscripten::function("call", &call);
    emscripten::function("catalogue", &catalogueOf);
    emscripten::function("routineSeconds", &routineSeconds);
}
