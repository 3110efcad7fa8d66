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

// What references read: one cell, or a range as an array of its cells row by row.
class CellSource {
public:
    virtual ~CellSource() = default;
    virtual Value cell(CellRef ref) = 0;
    virtual Value range(CellRef from, CellRef to) = 0;
};

// A formula reads and makes at most this many cells through its ranges and the arrays its
// arithmetic widens (a row against a column), four full columns of the spreadsheet's grid;
// a range or an array beyond that gives #NUM! instead of exhausting the memory.
inline constexpr long long MAX_CELLS_READ = 4LL * 1048576;

// Evaluates an expression: references read from the cells, calls go to the caller, an
// unknown function gives #NAME?. The expression reads and makes at most maxCells cells.
Value evaluate(const Expr& e, const FunctionCaller& call, CellSource& cells,
               long long maxCells = MAX_CELLS_READ);

// Evaluates a formula outside any sheet: references give #REF!.
Value evaluateFormula(const Expr& formula, const FunctionCaller& call,
                      long long maxCells = MAX_CELLS_READ);
Value evaluateFormula(const std::string& formula, const FunctionCaller& call,
                      long long maxCells = MAX_CELLS_READ);

class Sheet {
public:
    // Reads a CSV grid. Throws SyntaxError (its text naming the cell) for a formula that
    // cannot be read.
    static Sheet fromCsv(const std::string& csv);

    // Evaluates every formula. maxCells bounds the cells that all formulas together read
    // and make, beyond the bound of each formula: a formula that would pass it gives #NUM!
    // (a fuzzer bounds the work of one input so).
    void evaluate(const FunctionCaller& call, long long maxCells = NO_SHEET_BOUND);
    static constexpr long long NO_SHEET_BOUND = -1;

    // What the cell shows after evaluation.
    Value shown(CellRef ref) const;
    // The cells that form circular references.
    const std::set<CellRef>& cycles() const { return cyclic_; }

    // The last row and column that show something; {-1, -1} for an empty sheet.
    CellRef extent() const;

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
        bool inCircle = false; // shows #CYCLE!; a spill it made stays
        std::size_t entry = 0; // while evaluating: its place in the work stack
    };
    // A formula to evaluate. The work stack is explicit, so that a long chain of cells
    // referring to each other needs no deep recursion. An entry that has begun evaluating
    // needs the entries above it that have begun: one needs the next through a reference
    // or, for a "look-ahead" entry, because its spill might fill an empty cell that the
    // entry below reads.
    struct Entry {
        explicit Entry(CellRef r, bool isLookAhead = false) : ref(r), lookAhead(isLookAhead) {}
        CellRef ref;
        bool lookAhead;
        std::set<CellRef> waiting; // look-aheads that need this entry: not tried again
    };
    // An area that a formula read while cells of it were empty: a spill into them later
    // closes a circle through the spill.
    struct EmptyRead {
        CellRef from, to;
    };
    class Reader;

    // Cells that another cell's array result fills: in each column, runs of rows, each
    // showing the cells of its anchor's array. A spill of a million rows is one run per
    // column, and a lookup one search.
    struct SpillRun {
        int lastRow;
        CellRef anchor;
    };
    using SpillColumn = std::map<int, SpillRun>; // by the run's first row

    std::map<CellRef, Cell> cells_;
    std::map<int, SpillColumn> spills_; // by column
    std::set<CellRef> pending_;         // formulas not yet evaluated
    std::vector<Entry> stack_;
    std::vector<std::size_t> lookAheads_; // the places of the look-ahead entries begun
    std::set<CellRef> cyclic_;
    std::map<CellRef, std::vector<EmptyRead>> emptyReads_; // by the formula that read
    const FunctionCaller* call_ = nullptr;
    long long cellsLeft_ = NO_SHEET_BOUND; // what all formulas may still read and make

    void run();
    void begin(std::size_t index);
    void attempt(std::size_t index);
    void abandonFrom(std::size_t index);
    bool begun(std::size_t index) const;
    void queuePending(const Expr& e);
    Value readCell(CellRef ref);
    Value readRange(CellRef from, CellRef to);
    void readEvaluating(const Cell& cell);
    void lookAhead(CellRef to);
    void spill(CellRef anchor, Cell& cell);
    const Value* spilledAt(CellRef ref) const;
    template <typename Visit> void forEachSpilledIn(CellRef from, CellRef to, Visit visit) const;
};

} // namespace sheet
