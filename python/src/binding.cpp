#include "binding.h"

#include "catalogue/keywords.h"
#include "catalogue/kinds.h"

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

std::string docstringOf(const catalogue::FunctionEntry& entry,
                        const std::vector<std::string>& keywords,
                        const std::vector<const char*>& kinds, const std::vector<bool>& optional,
                        const char* returns, bool population, bool isCheck,
                        const CheckNames& check) {
    std::string doc = entry.worksheetName;
    doc += '(';
    for (std::size_t i = 0; i < keywords.size(); ++i)
        doc += (i ? ", " : "") + keywords[i] + (optional[i] ? "=None" : "");
    doc += ")\n--\n\n";
    doc += trimmed(entry.helpText);
    doc += "\n\n";
    if (!keywords.empty())
        doc += "Arguments (the registered name in quotes):\n";
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        const catalogue::ArgumentEntry& argument = entry.arguments[i];
        doc += "    " + keywords[i] + " (\"" + argument.name + "\", a " + kinds[i] + "): ";
        doc += trimmed(argument.description);
        doc += '\n';
    }
    doc += "\nReturns ";
    doc += returns;
    if (isCheck) {
        doc += std::string(": \"") + catalogue::NOTHING_FOUND +
               "\", or one line per finding, errors first; the add-in's texts. Each finding is "
               "also emitted as a " +
               check.warningName +
               " (warnings.warn, a UserWarning), never raised; a wrong call (a wrong type, a "
               "column that is not one) raises TypeError or ValueError.\n";
    } else {
        doc += ", bit for bit the add-in's. A refused input raises ValueError with the add-in's "
               "text. It neither checks its arguments nor warns (its numbers stay the add-in's "
               "and the call stays fast): ";
        doc += check.worksheetName;
        doc += " says what looks wrong with them.\n";
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
