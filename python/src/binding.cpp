#include "binding.h"

#include "catalogue/covariates.h"
#include "catalogue/keywords.h"
#include "catalogue/kinds.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <set>

namespace pybinding {

namespace {

namespace conversions = catalogue::conversions;

// Numpy's dtype kinds that are numbers: bool, signed and unsigned integer, float.
bool isNumberKind(char kind) {
    return kind == 'b' || kind == 'i' || kind == 'u' || kind == 'f';
}

const char* contextOf(bool flag) {
    return flag ? FLAG_CONTEXT : NUMBER_CONTEXT;
}

// A number from anything Python can read as a float; a text is not a number.
double readNumber(py::handle value, const std::string& keyword, const char* context) {
    PyObject* p = value.ptr();
    if (PyFloat_Check(p))
        return PyFloat_AS_DOUBLE(p);
    if (value.is_none())
        throw py::type_error(conversionError(conversions::MISSING, keyword, context));
    if (!PyUnicode_Check(p) && !PyBytes_Check(p)) {
        const double number = PyFloat_AsDouble(p);
        if (number != -1.0 || PyErr_Occurred() == nullptr)
            return number;
        PyErr_Clear();
    }
    throw py::type_error(conversionError(conversions::NOT_A_NUMBER, keyword, context));
}

py::array asArray(py::handle value, const std::string& keyword, const char* context) {
    if (value.is_none())
        throw py::type_error(conversionError(conversions::MISSING, keyword, context));
    if (py::isinstance<py::array>(value)) {
        auto array = py::reinterpret_borrow<py::array>(value);
        if (isNumberKind(array.dtype().kind()))
            return array;
    } else if (!PyUnicode_Check(value.ptr()) && !PyBytes_Check(value.ptr())) {
        try {
            const py::array array = py::module_::import("numpy").attr("asarray")(value);
            if (isNumberKind(array.dtype().kind()))
                return array;
        } catch (const py::error_already_set&) {
        }
    }
    throw py::type_error(conversionError(conversions::NOT_A_NUMBER, keyword, context));
}

using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

} // namespace

std::string keywordName(std::string_view registered) {
    std::string name = catalogue::lowerCaseWords(registered);
    if (py::module_::import("keyword").attr("iskeyword")(name).cast<bool>())
        name += '_';
    return name;
}

std::string conversionError(const char* message, const std::string& keyword, const char* context) {
    return std::string(message) + ", " + keyword + " " + context;
}

double toNumber(py::handle value, const std::string& keyword) {
    return readNumber(value, keyword, NUMBER_CONTEXT);
}

bool toFlag(py::handle value, const std::string& keyword) {
    if (value.ptr() == Py_True)
        return true;
    if (value.ptr() == Py_False)
        return false;
    const double number = readNumber(value, keyword, FLAG_CONTEXT);
    if (number == 1.0)
        return true;
    if (number == 0.0)
        return false;
    throw py::value_error(conversionError(conversions::NEITHER_0_NOR_1, keyword, FLAG_CONTEXT));
}

// A list or tuple of Python floats and ints read directly (numpy's type discovery would
// cost more than many a routine); false when an item is anything else.
bool readPlainSequence(PyObject* sequence, std::vector<double>& values) {
    const Py_ssize_t n = PySequence_Fast_GET_SIZE(sequence);
    PyObject** items = PySequence_Fast_ITEMS(sequence);
    values.resize(static_cast<std::size_t>(n));
    for (Py_ssize_t i = 0; i < n; ++i) {
        PyObject* item = items[i];
        if (PyFloat_Check(item)) {
            values[static_cast<std::size_t>(i)] = PyFloat_AS_DOUBLE(item);
        } else if (PyLong_CheckExact(item)) {
            const double number = PyLong_AsDouble(item);
            if (number == -1.0 && PyErr_Occurred() != nullptr) {
                PyErr_Clear();
                return false;
            }
            values[static_cast<std::size_t>(i)] = number;
        } else {
            return false;
        }
    }
    return true;
}

std::vector<double> toColumn(py::handle value, const std::string& keyword) {
    if (PyFloat_Check(value.ptr()) || PyLong_Check(value.ptr()))
        return {readNumber(value, keyword, COLUMN_CONTEXT)};
    if (PyList_Check(value.ptr()) || PyTuple_Check(value.ptr())) {
        std::vector<double> values;
        if (PySequence_Fast_GET_SIZE(value.ptr()) > 0 && readPlainSequence(value.ptr(), values))
            return values;
    }
    const py::array array = asArray(value, keyword, COLUMN_CONTEXT);
    int longAxes = 0;
    for (py::ssize_t axis = 0; axis < array.ndim(); ++axis)
        longAxes += array.shape(axis) > 1;
    if (longAxes > 1)
        throw py::value_error(
            conversionError(conversions::NOT_ONE_DIMENSIONAL_VALUE, keyword, COLUMN_CONTEXT));
    if (array.size() == 0)
        throw py::value_error(conversionError(conversions::EMPTY, keyword, COLUMN_CONTEXT));
    const auto doubles = Doubles::ensure(array);
    if (!doubles)
        throw py::type_error(conversionError(conversions::NOT_A_NUMBER, keyword, COLUMN_CONTEXT));
    return std::vector<double>(doubles.data(), doubles.data() + doubles.size());
}

catalogue::Block toBlock(py::handle value, const std::string& keyword) {
    if (PyFloat_Check(value.ptr()) || PyLong_Check(value.ptr()))
        return {1, 1, {readNumber(value, keyword, NUMBER_CONTEXT)}};
    const py::array array = asArray(value, keyword, NUMBER_CONTEXT);
    if (array.ndim() > 2)
        throw py::value_error(conversionError(conversions::NOT_A_BLOCK, keyword, NUMBER_CONTEXT));
    if (array.size() == 0)
        throw py::value_error(conversionError(conversions::EMPTY, keyword, NUMBER_CONTEXT));
    const auto doubles = Doubles::ensure(array);
    if (!doubles)
        throw py::type_error(conversionError(conversions::NOT_A_NUMBER, keyword, NUMBER_CONTEXT));
    // One value is a block of one; a 1-D array one row.
    const auto rows = static_cast<std::size_t>(array.ndim() == 2 ? array.shape(0) : 1);
    return {rows, static_cast<std::size_t>(doubles.size()) / rows,
            std::vector<double>(doubles.data(), doubles.data() + doubles.size())};
}

catalogue::Samples toSamples(py::handle value, const std::string& keyword) {
    auto sample = [](double number) {
        return std::isnan(number) ? std::nullopt : std::optional<double>(number);
    };
    if (value.is_none())
        throw py::type_error(conversionError(conversions::MISSING, keyword, COLUMN_CONTEXT));
    if (PyList_Check(value.ptr()) || PyTuple_Check(value.ptr())) {
        // None among the numbers, which numpy would not read as one.
        const py::sequence items = py::reinterpret_borrow<py::sequence>(value);
        if (items.size() == 0)
            throw py::value_error(conversionError(conversions::EMPTY, keyword, COLUMN_CONTEXT));
        catalogue::Samples samples;
        samples.reserve(items.size());
        for (const py::handle item : items) {
            if (item.is_none())
                samples.emplace_back();
            else if (PySequence_Check(item.ptr()) && !PyUnicode_Check(item.ptr()))
                throw py::value_error(conversionError(conversions::NOT_ONE_DIMENSIONAL_VALUE,
                                                      keyword, COLUMN_CONTEXT));
            else
                samples.push_back(sample(readNumber(item, keyword, COLUMN_CONTEXT)));
        }
        return samples;
    }
    const std::vector<double> column = toColumn(value, keyword);
    catalogue::Samples samples(column.size());
    std::transform(column.begin(), column.end(), samples.begin(), sample);
    return samples;
}

catalogue::Identifiers toIdentifiers(py::handle value, const std::string& keyword) {
    constexpr const char* context = conversions::TO_STRING;
    if (value.is_none())
        throw py::type_error(conversionError(conversions::MISSING, keyword, context));
    // One identifier of a cell: a text, a number's catalogue::identifierOf, none for None or NaN.
    auto identifier = [&](py::handle item) -> std::string {
        if (item.is_none())
            return "";
        if (PyUnicode_Check(item.ptr()))
            return item.cast<std::string>();
        if (PyBool_Check(item.ptr()))
            return item.ptr() == Py_True ? "TRUE" : "FALSE";
        const double number = readNumber(item, keyword, context);
        return std::isnan(number) ? "" : catalogue::identifierOf(number);
    };
    const bool isArray = py::isinstance<py::array>(value);
    if (PyUnicode_Check(value.ptr()) || (!isArray && !py::isinstance<py::sequence>(value)))
        return {identifier(value)};
    if (isArray) {
        const auto array = py::reinterpret_borrow<py::array>(value);
        int longAxes = 0;
        for (py::ssize_t axis = 0; axis < array.ndim(); ++axis)
            longAxes += array.shape(axis) > 1;
        if (longAxes > 1)
            throw py::value_error(
                conversionError(conversions::NOT_ONE_DIMENSIONAL_VALUE, keyword, context));
    }
    // An array's items as Python's own numbers and texts.
    const py::sequence items = isArray ? py::sequence(value.attr("ravel")().attr("tolist")())
                                       : py::reinterpret_borrow<py::sequence>(value);
    if (items.size() == 0)
        throw py::value_error(conversionError(conversions::EMPTY, keyword, context));
    catalogue::Identifiers identifiers;
    identifiers.reserve(items.size());
    for (const py::handle item : items) {
        if (!PyUnicode_Check(item.ptr()) && py::isinstance<py::sequence>(item))
            throw py::value_error(
                conversionError(conversions::NOT_ONE_DIMENSIONAL_VALUE, keyword, context));
        identifiers.push_back(identifier(item));
    }
    return identifiers;
}

py::array_t<double> toArray(const std::vector<double>& values) {
    // Straight through numpy's C API: array_t's constructor costs as much as a model.
    const auto& api = py::detail::npy_api::get();
    Py_intptr_t length = static_cast<Py_intptr_t>(values.size());
    PyObject* descr = api.PyArray_DescrFromType_(py::detail::npy_api::NPY_DOUBLE_);
    PyObject* array = api.PyArray_NewFromDescr_(api.PyArray_Type_, descr, 1, &length, nullptr,
                                                nullptr, 0, nullptr); // takes descr's reference
    if (array == nullptr)
        throw py::error_already_set();
    if (!values.empty())
        std::memcpy(py::detail::array_proxy(array)->data, values.data(),
                    values.size() * sizeof(double));
    return py::reinterpret_steal<py::array_t<double>>(array);
}

bool isPopulation(py::handle value) {
    PyObject* p = value.ptr();
    if (PyFloat_Check(p) || PyLong_Check(p) || value.is_none())
        return false;
    if (py::isinstance<py::array>(value))
        return py::reinterpret_borrow<py::array>(value).ndim() > 0;
    return PySequence_Check(p) && !PyUnicode_Check(p) && !PyBytes_Check(p);
}

py::array_t<double> covariateArray(py::handle value, const std::string& keyword, bool flag) {
    const auto doubles = Doubles::ensure(asArray(value, keyword, contextOf(flag)));
    if (!doubles)
        throw py::type_error(conversionError(conversions::NOT_A_NUMBER, keyword, contextOf(flag)));
    if (flag) {
        const double* v = doubles.data();
        for (py::ssize_t i = 0; i < doubles.size(); ++i)
            if (v[i] != 0.0 && v[i] != 1.0)
                throw py::value_error(
                    conversionError(conversions::NEITHER_0_NOR_1, keyword, FLAG_CONTEXT));
    }
    return doubles;
}

Broadcast broadcast(const std::vector<py::array_t<double>>& covariates) {
    const py::module_ numpy = py::module_::import("numpy");
    py::list shapes;
    for (const auto& c : covariates)
        shapes.append(py::tuple(c.attr("shape")));
    const py::tuple target = numpy.attr("broadcast_shapes")(*shapes);
    Broadcast b;
    b.count = 1;
    for (const py::handle extent : target) {
        b.shape.push_back(extent.cast<py::ssize_t>());
        b.count *= static_cast<std::size_t>(b.shape.back());
    }
    for (const auto& c : covariates) {
        const py::object spread = numpy.attr("broadcast_to")(c, target);
        b.flat.push_back(
            Doubles::ensure(numpy.attr("ascontiguousarray")(spread).attr("reshape")(-1)));
    }
    return b;
}

namespace {

bool isSequence(PyObject* p) {
    return PyList_Check(p) || PyTuple_Check(p);
}

// A value as the sheet reads a cell given as an array of one: a list, tuple or numpy array
// of one element stands for that element.
py::object singleCell(py::handle value) {
    auto cell = py::reinterpret_borrow<py::object>(value);
    for (;;) {
        if (isSequence(cell.ptr()) && PySequence_Size(cell.ptr()) == 1) {
            cell = py::reinterpret_borrow<py::object>(PySequence_Fast_GET_ITEM(cell.ptr(), 0));
        } else if (py::isinstance<py::array>(cell) &&
                   py::reinterpret_borrow<py::array>(cell).size() == 1) {
            cell = cell.attr("item")();
        } else {
            return cell;
        }
    }
}

// A number of a value that is neither a text nor empty, or nothing (an object the sheet
// has no number for, an integer beyond the doubles).
std::optional<double> plainNumber(PyObject* p) {
    if (PyFloat_Check(p))
        return PyFloat_AS_DOUBLE(p);
    if (PyUnicode_Check(p) || PyBytes_Check(p) || p == Py_None || isSequence(p))
        return std::nullopt;
    const double number = PyFloat_AsDouble(p);
    if (number == -1.0 && PyErr_Occurred() != nullptr) {
        PyErr_Clear();
        return std::nullopt;
    }
    return number;
}

std::string utf8Of(py::handle text) {
    Py_ssize_t size = 0;
    if (const char* bytes = PyUnicode_AsUTF8AndSize(text.ptr(), &size))
        return std::string(bytes, static_cast<std::size_t>(size));
    PyErr_Clear(); // a lone surrogate, which the sheet shows as U+FFFD
    return py::reinterpret_steal<py::bytes>(
               PyUnicode_AsEncodedString(text.ptr(), "utf-8", "replace"))
        .cast<std::string>();
}

// A text as the sheet reads it as a number: a plain decimal number between blanks.
std::optional<double> numberOfText(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::string digits = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (digits.find_first_not_of("0123456789.+-eE") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// One cell of a column as the sheet reads it, or the text it shows instead.
double columnCell(py::handle given, const char* registered) {
    const py::object cell = singleCell(given);
    PyObject* p = cell.ptr();
    if (p == Py_None)
        throw ShownInstead(
            conversions::ErrorText(conversions::NIL, registered, conversions::TO_DOUBLE));
    std::optional<double> number = PyUnicode_Check(p) ? numberOfText(utf8Of(cell)) : plainNumber(p);
    if (!number)
        throw ShownInstead(
            conversions::ErrorText(conversions::ERROR_VALUE, registered, conversions::TO_DOUBLE));
    return *number;
}

[[noreturn]] void notAColumn(const char* registered) {
    throw ShownInstead(conversions::ErrorText(conversions::INVALID_RECORD, registered,
                                              conversions::NOT_ONE_DIMENSIONAL));
}

} // namespace

std::string checkText(py::handle value) {
    const py::object cell = singleCell(value);
    return PyUnicode_Check(cell.ptr()) ? utf8Of(cell) : std::string();
}

std::optional<double> checkNumber(py::handle value) {
    const py::object cell = singleCell(value);
    PyObject* p = cell.ptr();
    if (p == Py_None || (PyUnicode_Check(p) && PyUnicode_GetLength(p) == 0))
        return std::nullopt;
    return plainNumber(p).value_or(std::nan(""));
}

std::optional<std::vector<double>> checkColumn(py::handle value, const char* registered) {
    PyObject* p = value.ptr();
    if (p == Py_None)
        return std::nullopt;
    std::vector<double> column;
    if (py::isinstance<py::array>(value)) {
        const auto array = py::reinterpret_borrow<py::array>(value);
        int longAxes = 0;
        for (py::ssize_t axis = 0; axis < array.ndim(); ++axis)
            longAxes += array.shape(axis) > 1;
        if (longAxes > 1 || array.size() == 0)
            notAColumn(registered);
        if (isNumberKind(array.dtype().kind())) {
            const auto doubles = Doubles::ensure(array);
            return std::vector<double>(doubles.data(), doubles.data() + doubles.size());
        }
        for (const py::handle cell : array.attr("reshape")(-1).attr("tolist")())
            column.push_back(columnCell(cell, registered));
        return column;
    }
    if (isSequence(p)) {
        const py::sequence rows = py::reinterpret_borrow<py::sequence>(value);
        if (rows.size() == 0)
            notAColumn(registered);
        bool table = true; // every element a row of cells
        for (const py::handle row : rows)
            table = table && isSequence(row.ptr());
        if (!table) {
            for (const py::handle cell : rows)
                column.push_back(columnCell(cell, registered));
            return column;
        }
        const py::ssize_t width = PySequence_Size(rows[0].ptr());
        for (const py::handle row : rows)
            if (PySequence_Size(row.ptr()) != width)
                notAColumn(registered); // no range is ragged
        if (width == 0 || (rows.size() > 1 && width > 1))
            notAColumn(registered);
        for (const py::handle row : rows)
            for (const py::handle cell : py::reinterpret_borrow<py::sequence>(row))
                column.push_back(columnCell(cell, registered));
        return column;
    }
    // One cell; an object that is no cell value stands for an error value, which is no range.
    if (!PyUnicode_Check(p) && !plainNumber(p))
        notAColumn(registered);
    return std::vector<double>{columnCell(value, registered)};
}

std::vector<std::string> keywordsOf(const catalogue::FunctionEntry& entry) {
    std::vector<std::string> keywords;
    std::set<std::string> seen;
    for (const catalogue::ArgumentEntry& argument : entry.arguments) {
        keywords.push_back(keywordName(argument.name));
        if (!seen.insert(keywords.back()).second)
            throw std::logic_error(std::string(entry.worksheetName) + ": two arguments named " +
                                   keywords.back());
    }
    return keywords;
}

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string checkCallOf(const catalogue::FunctionEntry& entry,
                        const std::vector<std::string>& keywords, const CheckNames& check) {
    if (catalogue::ReadsCovariates(entry)) {
        std::string call = std::string(check.covariateCheck) + "(\"" + entry.worksheetName + "\"";
        for (const std::string& keyword : keywords)
            call += ", " + keyword;
        return call + ")";
    }
    if (check.own == nullptr || check.own == &entry)
        return "";
    std::string shared;
    for (const catalogue::ArgumentEntry& checked : check.own->arguments)
        for (const catalogue::ArgumentEntry& argument : entry.arguments)
            if (std::string_view(checked.name) == argument.name) {
                const std::string keyword = keywordName(argument.name);
                shared += (shared.empty() ? "" : ", ") + keyword + "=" + keyword;
            }
    if (shared.empty())
        return "";
    return std::string(check.module) + "." + check.own->worksheetName + "(" + shared + ")";
}

std::vector<std::string> conversionTexts(std::initializer_list<const char*> messages,
                                         const std::string& keyword, const char* context) {
    std::vector<std::string> texts;
    for (const char* message : messages)
        texts.push_back(conversionError(message, keyword, context));
    return texts;
}

std::string docstringOf(const catalogue::FunctionEntry& entry,
                        const std::vector<ArgumentDoc>& arguments, const char* returns,
                        bool population, bool isCheck, const CheckNames& check) {
    std::string doc = entry.worksheetName;
    doc += '(';
    for (std::size_t i = 0; i < arguments.size(); ++i)
        doc += (i ? ", " : "") + arguments[i].keyword + (arguments[i].optional ? "=None" : "");
    doc += ")\n--\n\n";
    doc += entry.purpose;
    doc += "\n\nThe function wizard shows: \"";
    doc += trimmed(entry.helpText);
    doc += "\".\n\n";
    if (!arguments.empty())
        doc += "Arguments (the registered name in quotes):\n";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const catalogue::ArgumentEntry& argument = entry.arguments[i];
        doc +=
            "    " + arguments[i].keyword + " (\"" + argument.name + "\", a " + arguments[i].kind;
        // A flag's kind says it is 1 or 0.
        if (*argument.unit != '\0' && argument.quantity != catalogue::Quantity::Flag)
            doc += std::string(" in ") + argument.unit;
        doc += "): ";
        doc += argument.meaning;
        doc += '\n';
    }
    doc += "\nReturns ";
    doc += returns;
    doc += ", ";
    doc += entry.result;
    doc += ":\n";
    for (const catalogue::ResultCell& cell : entry.cells) {
        doc += "    " + std::string(cell.name);
        if (*cell.unit != '\0')
            doc += std::string(" (") + cell.unit + ")";
        doc += std::string(": ") + cell.meaning + "\n";
    }
    if (isCheck) {
        doc += std::string("\"") + catalogue::NOTHING_FOUND +
               "\", or one line per finding, errors first; the add-in's texts. Each finding is "
               "also emitted as a " +
               check.warningName +
               " (warnings.warn, a UserWarning), never raised. Every argument is read as the "
               "sheet reads the cell (None is an empty cell), so the findings are the sheet's "
               "for whatever is given; only a wrong call (too many arguments, an unknown "
               "keyword) raises TypeError.\n";
        if (!entry.errors.empty()) {
            doc += "\nReturns instead, as its one finding, the text the sheet shows instead of a "
                   "result:\n";
            for (const catalogue::ErrorCause& error : entry.errors)
                doc += std::string("    \"") + error.text + "\": " + error.cause + "\n";
        }
    } else {
        doc += "\nBit for bit the add-in's.\n";
        if (!entry.errors.empty()) {
            doc += "\nRaises ValueError with the add-in's text when it refuses its input:\n";
            for (const catalogue::ErrorCause& error : entry.errors)
                doc += std::string("    \"") + error.text + "\": " + error.cause + "\n";
        }
        bool converts = false;
        for (const ArgumentDoc& argument : arguments)
            converts = converts || !argument.raises.empty();
        if (converts) {
            doc += "\nRaises TypeError or ValueError when an argument does not convert:\n";
            for (const ArgumentDoc& argument : arguments)
                for (const std::string& text : argument.raises)
                    doc += "    \"" + text + "\"\n";
        }
        const std::string checkCall = checkCallOf(entry, keywordsOf(entry), check);
        doc += "\nIt neither checks its arguments nor warns (its numbers stay the add-in's and "
               "the call stays fast)";
        doc += checkCall.empty() ? std::string(".\n")
                                 : ": " + checkCall + " says what looks wrong with them.\n";
    }
    if (population)
        doc += "\nPopulation call: any covariate may be an array or a sequence; the covariates "
               "are broadcast against each other as numpy does, and the result has their common "
               "shape followed by the row (one row per patient).\n";
    return doc;
}

void addWarningCategory(py::module_& m, const char* qualifiedName, const char* doc) {
    PyObject* category = PyErr_NewExceptionWithDoc(qualifiedName, doc, PyExc_UserWarning, nullptr);
    if (category == nullptr)
        throw py::error_already_set();
    const std::string_view name(qualifiedName);
    m.add_object(std::string(name.substr(name.rfind('.') + 1)).c_str(),
                 py::reinterpret_steal<py::object>(category));
}

void warnFindings(const py::object& findings, py::handle category) {
    const auto lines = py::reinterpret_borrow<py::list>(findings);
    if (lines.size() == 1 && lines[0].cast<std::string>() == catalogue::NOTHING_FOUND)
        return;
    for (const py::handle line : lines)
        if (PyErr_WarnEx(category.ptr(), line.cast<std::string>().c_str(), 1) != 0)
            throw py::error_already_set(); // the warnings filter made it an error
}

} // namespace pybinding
