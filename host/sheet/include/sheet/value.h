#pragma once

// The values a sheet cell or a formula can hold, independent of any host record format.

#include <string>
#include <vector>

namespace sheet {

// The spreadsheet's error values. The numbers are the host's error codes, where it has
// them; #SPILL! and #CYCLE! exist only in the sheet.
enum class ErrorCode {
    Null = 0,
    Div0 = 7,
    Value = 15,
    Ref = 23,
    Name = 29,
    Num = 36,
    NA = 42,
    Spill = 1000,
    Cycle = 1001,
};

// The text the spreadsheet shows for an error ("#VALUE!").
const char* errorText(ErrorCode code);
// The error whose text this is, or false.
bool parseErrorText(const std::string& text, ErrorCode& code);

struct Value {
    enum class Kind { Missing, Nil, Number, Boolean, Text, Error, Array };

    Kind kind = Kind::Nil;
    double number = 0;
    bool boolean = false;
    std::string text;
    ErrorCode error = ErrorCode::Value;
    int rows = 0, columns = 0;
    std::vector<Value> cells; // an array's cells, row by row

    static Value ofKind(Kind k) {
        Value v;
        v.kind = k;
        return v;
    }
    static Value missing() { return ofKind(Kind::Missing); }
    static Value nil() { return ofKind(Kind::Nil); }
    static Value of(double x) {
        Value v = ofKind(Kind::Number);
        v.number = x;
        return v;
    }
    static Value ofBool(bool b) {
        Value v = ofKind(Kind::Boolean);
        v.boolean = b;
        return v;
    }
    static Value ofText(std::string s) {
        Value v = ofKind(Kind::Text);
        v.text = std::move(s);
        return v;
    }
    static Value ofError(ErrorCode e) {
        Value v = ofKind(Kind::Error);
        v.error = e;
        return v;
    }
    static Value array(int rows, int columns, std::vector<Value> cells) {
        Value v = ofKind(Kind::Array);
        v.rows = rows;
        v.columns = columns;
        v.cells = std::move(cells);
        return v;
    }

    bool is(Kind k) const { return kind == k; }
    const Value& at(int row, int column) const { return cells[row * columns + column]; }
};

// The length of the decimal number at the start of the text ("12", "1.5", ".5", "1e-3",
// no sign), 0 when there is none. Hexadecimal, "inf" and "nan" are no numbers here.
std::size_t decimalNumberLength(const std::string& text, std::size_t start = 0);
// The text as a number: an optional sign and a decimal number, nothing else.
bool readNumber(const std::string& text, double& x);

// One cell as the command line prints it: numbers with 17 significant digits, TRUE and
// FALSE, a text as it is (quoted as in CSV when it holds a comma, a quote or a line
// break), errors as the spreadsheet writes them; a number that is not finite as #NUM!;
// a missing or empty value as nothing.
std::string formatCell(const Value& v);

// One cell as an aligned table shows it for reading: like formatCell, but a number with
// at most 10 significant digits, as the spreadsheet's General format in a standard column,
// and a text without CSV quotes.
std::string formatCellForReading(const Value& v);

// A whole result: one line per row, the cells of a row separated by ",".
std::string formatResult(const Value& v);

} // namespace sheet
