#pragma once

// Formulas in the spreadsheet's own syntax:
//
//   =Name(arg, arg, ...)   nested calls, an empty argument passed as missing
//   53  -1.5  1e-3         numbers
//   TRUE  FALSE  "text"    truth values and texts ("" inside a text is one quote)
//   #N/A  #VALUE! ...      error values
//   {1;2;3}  {1,2;3,4}     array constants: ";" between rows, "," between columns
//   B2  B2:B8  $B$2        references and ranges (in sheets); "$" marks are read and dropped
//   -x  x+y  x-y  x*y  x/y  arithmetic, element by element over arrays, and parentheses

#include "sheet/value.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace sheet {

// A cell position, counted from 0: A1 is row 0, column 0.
struct CellRef {
    int row = 0, column = 0;
    bool operator==(const CellRef&) const = default;
    auto operator<=>(const CellRef&) const = default;
};

// "B2" to {1, 1}; false for anything that is not a cell name.
bool parseCellName(const std::string& name, CellRef& ref);
// {1, 1} to "B2".
std::string cellName(CellRef ref);

// A formula that cannot be read; position counts characters of the formula from 1.
class SyntaxError : public std::runtime_error {
public:
    SyntaxError(const std::string& message, std::size_t position);
    std::size_t position() const { return position_; }

private:
    std::size_t position_;
};

struct Expr {
    enum class Kind {
        Literal,
        Missing,
        Call,
        Reference,
        Range,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide
    };
    Kind kind = Kind::Literal;
    Value literal;            // Literal
    std::string name;         // Call: the function's name as written
    std::vector<Expr> args;   // Call: the arguments; Negate: the operand; Add...: both operands
    CellRef from, to;         // Reference (from), Range (from:to)
    std::size_t position = 1; // where the expression starts in the formula
};

// Reads a formula; the text must begin with "=". Throws SyntaxError.
Expr parseFormula(const std::string& text);

} // namespace sheet
