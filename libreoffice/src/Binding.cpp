#include "Binding.h"

#include <charconv>
#include <cmath>
#include <string>

namespace calc {

namespace {

using css::uno::Any;
using css::uno::Sequence;

OUString trimmedOfBlanks(const OUString& text) {
    sal_Int32 first = 0;
    sal_Int32 last = text.getLength();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return text.copy(first, last - first);
}

// A text read as the host reads a truth value: TRUE or FALSE in any case, blanks around.
std::optional<bool> truthInText(const OUString& text) {
    const OUString word = trimmedOfBlanks(text);
    if (word.equalsIgnoreAsciiCase("TRUE"))
        return true;
    if (word.equalsIgnoreAsciiCase("FALSE"))
        return false;
    return std::nullopt;
}

[[noreturn]] void raise(const char* message, const char* name, const char* context) {
    throw std::runtime_error(xlf::ErrorText(message, name, context));
}

// The rows of a range or an inline array, when the any holds them.
const Sequence<Sequence<Any>>* rowsOf(const Any& value) {
    if (value.getValueType() != cppu::UnoType<Sequence<Sequence<Any>>>::get())
        return nullptr;
    return static_cast<const Sequence<Sequence<Any>>*>(value.getValue());
}

// A cell of a range: a number, or a text (empty for an empty cell).
bool isEmptyCell(const Any& cell) {
    OUString text;
    return !cell.hasValue() || ((cell >>= text) && text.isEmpty());
}

// A cell of a column or a one-value column, converted to a number under the argument's
// name: an empty cell inside a range is nil, a text that does not read as a number an
// error.
double cellNumber(const Any& cell, const char* name, bool insideRange) {
    double number = 0;
    if (cell >>= number)
        return number;
    if (insideRange && isEmptyCell(cell))
        raise(xlf::kNilMessage, name, xlf::kToDoubleContext);
    OUString text;
    if (cell >>= text) {
        if (const std::optional<double> read = numberInText(text))
            return *read;
    }
    raise(xlf::kErrorMessage, name, xlf::kToDoubleContext);
}

} // namespace

std::optional<double> numberInText(const OUString& raw) {
    const OUString text = trimmedOfBlanks(raw);
    if (text.isEmpty())
        return std::nullopt;
    std::string ascii;
    for (sal_Int32 k = 0; k < text.getLength(); ++k) {
        const sal_Unicode c = text[k];
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    // from_chars reads no leading plus sign and no locale's decimal comma.
    const char* first = ascii.data();
    const char* const last = ascii.data() + ascii.size();
    if (*first == '+') {
        ++first;
        if (first == last || *first == '+' || *first == '-')
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void refuseArgument() {
    throw css::uno::RuntimeException(OUString("#VALUE!"));
}

double numberArgument(const Any& value) {
    if (!value.hasValue())
        return 0.0; // an omitted number is 0
    double number = 0;
    if (value >>= number)
        return number;
    OUString text;
    if (value >>= text) {
        if (const std::optional<double> read = numberInText(text))
            return *read;
        refuseArgument();
    }
    if (const Sequence<Sequence<Any>>* rows = rowsOf(value)) {
        if (rows->getLength() == 1 && (*rows)[0].getLength() == 1) {
            const Any& cell = (*rows)[0][0];
            if (isEmptyCell(cell))
                return 0.0;
            return numberArgument(cell);
        }
    }
    refuseArgument();
}

bool flagArgument(const Any& value, const char* name) {
    if (!value.hasValue())
        raise(xlf::kMissingMessage, name, xlf::kToBoolContext);
    const Any* cell = &value;
    if (const Sequence<Sequence<Any>>* rows = rowsOf(value)) {
        // A range counts by its first cell; an empty cell is false.
        if (rows->getLength() == 0 || (*rows)[0].getLength() == 0 || isEmptyCell((*rows)[0][0]))
            return false;
        cell = &(*rows)[0][0];
    }
    double number = 0;
    if (*cell >>= number)
        return number != 0.0;
    OUString text;
    if (*cell >>= text) {
        if (const std::optional<bool> truth = truthInText(text))
            return *truth;
    }
    raise(xlf::kErrorMessage, name, xlf::kToBoolContext);
}

namespace {

// Each cell of a single row, column or value in its order, given to read(cell, insideRange);
// a range of rows and columns, or no argument, is refused as a column is.
template <class Read> void readLine(const Any& value, const char* name, Read read) {
    const Sequence<Sequence<Any>>* rows = rowsOf(value);
    if (rows == nullptr) {
        if (!value.hasValue())
            raise(xlf::kInvalidRecordMessage, name, xlf::kNotOneDimensional);
        read(value, false);
        return;
    }
    const sal_Int32 rowCount = rows->getLength();
    const sal_Int32 columnCount = rowCount > 0 ? (*rows)[0].getLength() : 0;
    if ((rowCount != 1 && columnCount != 1) || rowCount < 1 || columnCount < 1)
        raise(xlf::kInvalidRecordMessage, name, xlf::kNotOneDimensional);
    for (const Sequence<Any>& row : *rows) {
        if (row.getLength() != columnCount)
            raise(xlf::kInvalidRecordMessage, name, xlf::kNotOneDimensional);
        for (const Any& cell : row)
            read(cell, true);
    }
}

} // namespace

std::vector<double> columnArgument(const Any& value, const char* name) {
    std::vector<double> values;
    readLine(value, name, [&](const Any& cell, bool insideRange) {
        values.push_back(cellNumber(cell, name, insideRange));
    });
    return values;
}

catalogue::Samples samplesArgument(const Any& value, const char* name) {
    catalogue::Samples samples;
    readLine(value, name, [&](const Any& cell, bool insideRange) {
        samples.push_back(isEmptyCell(cell)
                              ? std::nullopt
                              : std::optional<double>(cellNumber(cell, name, insideRange)));
    });
    return samples;
}

catalogue::Identifiers identifiersArgument(const Any& value, const char* name) {
    catalogue::Identifiers identifiers;
    // A cell's text, its number's identifierOf, an empty cell's "".
    readLine(value, name, [&](const Any& cell, bool) {
        double number = 0;
        OUString text;
        if (cell >>= number)
            identifiers.push_back(catalogue::identifierOf(number));
        else if (cell >>= text)
            identifiers.emplace_back(text.toUtf8().getStr());
        else if (!cell.hasValue())
            identifiers.emplace_back();
        else
            raise(xlf::kErrorMessage, name, xlf::kToStringContext);
    });
    return identifiers;
}

namespace {

// The one cell of a range of one cell stands for that cell.
const Any& singleCell(const Any& value) {
    if (const Sequence<Sequence<Any>>* rows = rowsOf(value)) {
        if (rows->getLength() == 1 && (*rows)[0].getLength() == 1)
            return (*rows)[0][0];
    }
    return value;
}

} // namespace

std::string textArgument(const Any& value) {
    OUString text;
    if (singleCell(value) >>= text)
        return text.toUtf8().getStr();
    return "";
}

std::optional<double> optionalNumberArgument(const Any& value) {
    const Any& cell = singleCell(value);
    if (!cell.hasValue())
        return std::nullopt;
    double number = 0;
    if (cell >>= number)
        return number;
    OUString text;
    if ((cell >>= text) && text.isEmpty())
        return std::nullopt; // an empty cell inside a range
    return std::nan("");
}

std::optional<std::vector<double>> optionalColumnArgument(const Any& value, const char* name) {
    if (!value.hasValue())
        return std::nullopt;
    return columnArgument(value, name);
}

namespace {

// The cells of a range row by row (a value given alone as one cell); a range with rows of
// unequal length is no range.
struct Cells {
    std::size_t rows = 0, columns = 0;
    std::vector<const Any*> cells;
};
Cells cellsOf(const Any& value, const char* name, const char* context) {
    if (!value.hasValue())
        raise(xlf::kMissingMessage, name, context);
    Cells c;
    const Sequence<Sequence<Any>>* rows = rowsOf(value);
    if (rows == nullptr) {
        c.rows = c.columns = 1;
        c.cells.push_back(&value);
        return c;
    }
    c.rows = static_cast<std::size_t>(rows->getLength());
    c.columns = c.rows > 0 ? static_cast<std::size_t>((*rows)[0].getLength()) : 0;
    if (c.rows < 1 || c.columns < 1)
        raise(xlf::kInvalidRecordMessage, name, xlf::kNotOneDimensional);
    for (const Sequence<Any>& row : *rows) {
        if (static_cast<std::size_t>(row.getLength()) != c.columns)
            raise(xlf::kInvalidRecordMessage, name, xlf::kNotOneDimensional);
        for (const Any& cell : row)
            c.cells.push_back(&cell);
    }
    return c;
}

} // namespace

catalogue::Block blockArgument(const Any& value, const char* name) {
    const Cells c = cellsOf(value, name, xlf::kToDoubleContext);
    catalogue::Block block{c.rows, c.columns, std::vector<double>(c.cells.size())};
    for (std::size_t k = 0; k < c.cells.size(); ++k)
        block.cells[k] = cellNumber(*c.cells[k], name, true);
    return block;
}

namespace {

// One cell.
Table cellTable(const Any& cell) {
    Sequence<Any> row(&cell, 1);
    return Table(&row, 1);
}

} // namespace

Table resultTable(double value) {
    return cellTable(Any(value));
}

Table resultTable(const std::vector<double>& values) {
    if (values.empty())
        return cellTable(Any());
    Table rows(static_cast<sal_Int32>(values.size()));
    Sequence<Any>* out = rows.getArray();
    for (double value : values) {
        const Any cell(value);
        *out++ = Sequence<Any>(&cell, 1);
    }
    return rows;
}

Table resultTable(const std::vector<std::string>& texts) {
    if (texts.empty())
        return cellTable(Any());
    Table rows(static_cast<sal_Int32>(texts.size()));
    Sequence<Any>* out = rows.getArray();
    for (const std::string& text : texts) {
        const Any cell(
            OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8));
        *out++ = Sequence<Any>(&cell, 1);
    }
    return rows;
}

Table textTable(const char* text) {
    return cellTable(Any(OUString::fromUtf8(text)));
}

} // namespace calc
