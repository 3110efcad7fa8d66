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

// A formula reads at most this many cells through its ranges, four full columns of the
// spreadsheet's grid; a range beyond that gives #NUM! instead of exhausting the memory.
inline constexpr long long MAX_CELLS_READ = 4LL * 1048576;

// Evaluates an expression: references read from the cells, calls go to the caller, an
// unknown function gives #NAME?.
Value evaluate(const Expr& e, const FunctionCaller& call, CellSource& cells);

// Evaluates a formula outside any sheet: references give #REF!.
Value evaluateFormula(const Expr& formula, const FunctionCaller& call);
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

    // The last row and column that hold a value or a spilled cell ({-1, -1} when none do).
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

    std::map<CellRef, Cell> cells_;
    std::map<CellRef, Value> spilled_; // cells filled by another cell's array result
    std::set<CellRef> pending_;        // formulas not yet evaluated
    std::vector<Entry> stack_;
    std::vector<std::size_t> lookAheads_; // the places of the look-ahead entries begun
    std::set<CellRef> cyclic_;
    std::map<CellRef, std::vector<EmptyRead>> emptyReads_; // by the formula that read
    const FunctionCaller* call_ = nullptr;

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
};

} // namespace sheet
