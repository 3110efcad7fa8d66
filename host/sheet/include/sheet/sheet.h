#pragma once

// A small sheet: a CSV grid whose cells hold numbers, TRUE/FALSE, texts or formulas
// beginning with "=". Formulas are evaluated in dependency order; an array result spills
// down and right from its cell, and a spill onto a cell that is not empty gives #SPILL!.
// The cells of a circular reference show #CYCLE!.

#include "sheet/formula.h"
#include "sheet/value.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sheet {

// Calls a worksheet function by name; no value for a function that does not exist.
using FunctionCaller =
    std::function<std::optional<Value>(const std::string& name, const std::vector<Value>& args)>;

// Gives the value a reference reads.
using CellReader = std::function<Value(CellRef)>;

// Evaluates an expression: references read through the reader, calls go to the caller,
// an unknown function gives #NAME?.
Value evaluate(const Expr& e, const FunctionCaller& call, const CellReader& read);

// Evaluates a formula outside any sheet: references give #REF!.
Value evaluateFormula(const std::string& formula, const FunctionCaller& call);

class Sheet {
public:
    // Reads a CSV grid. Throws SyntaxError (its text naming the cell) for a formula that
    // cannot be read.
    static Sheet fromCsv(const std::string& csv);

    void evaluate(const FunctionCaller& call);

    // What the cell shows after evaluation.
    Value shown(CellRef ref) const;
    // The cells that form circular references.
    const std::set<CellRef>& cycles() const { return cyclic_; }

    std::string toCsv() const;
    // An aligned table with column letters and row numbers, for reading.
    std::string toTable() const;

private:
    enum class State { Pending, Evaluating, Done };
    struct Cell {
        std::optional<Expr> formula; // constants have none
        Value value;                 // a constant, or the formula's result once evaluated
        State state = State::Pending;
        bool spillBlocked = false;
    };

    std::map<CellRef, Cell> cells_;
    std::map<CellRef, Value> spilled_; // cells filled by another cell's array result
    std::vector<CellRef> evaluating_;
    std::set<CellRef> cyclic_;
    // Reading an empty cell first evaluates the formulas that might spill into it. Such a
    // formula that needs a cell still being evaluated waits (it is no cycle): each entry
    // is the depth of evaluating_ where one such look-ahead began.
    std::vector<std::size_t> lookAheads_;
    // The formulas that read each empty cell: a spill into one of them later closes a
    // circle through the spill.
    std::map<CellRef, std::set<CellRef>> emptyReads_;
    const FunctionCaller* call_ = nullptr;

    void evaluateCell(CellRef ref);
    Value read(CellRef ref);
    void spill(CellRef anchor, Cell& cell);
    CellRef extent() const;
};

} // namespace sheet
