#include "sheet/sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sheet {

namespace {

// Thrown when a formula needs another one evaluated first: it is tried again, from the
// start, once that one is done.
struct NeedsFirst {
    CellRef ref;
    bool lookAhead;
};

// Thrown when a formula looked at ahead of its turn needs one that waits for it: the
// look-ahead at that place of the work stack, and all it began, are abandoned.
struct LookAheadWaits {
    std::size_t from;
};

// Outside a sheet every reference is an error.
class NoCells : public CellSource {
public:
    Value cell(CellRef) override { return Value::ofError(ErrorCode::Ref); }
    Value range(CellRef from, CellRef to) override {
        const int rows = to.row - from.row + 1, columns = to.column - from.column + 1;
        return Value::array(rows, columns,
                            std::vector<Value>(static_cast<std::size_t>(rows) * columns,
                                               Value::ofError(ErrorCode::Ref)));
    }
};

// Does the area from..to hold a cell of the spill anchored at anchor, other than the
// anchor itself (a formula cell, never read empty)?
bool overlapsSpill(CellRef from, CellRef to, CellRef anchor, CellRef last) {
    const CellRef top{std::max(from.row, anchor.row), std::max(from.column, anchor.column)};
    const CellRef bottom{std::min(to.row, last.row), std::min(to.column, last.column)};
    return top.row <= bottom.row && top.column <= bottom.column &&
           !(top == anchor && bottom == anchor);
}

// The key of an entry of an ordered set or map of cells.
CellRef keyOf(const CellRef& ref) {
    return ref;
}
template <typename T> CellRef keyOf(const std::pair<const CellRef, T>& entry) {
    return entry.first;
}

// Calls visit with each cell of an ordered set or map of cells that lies in the area
// from..to, row by row, jumping over the cells beside the area.
template <typename Cells, typename Visit>
void forEachIn(Cells& cells, CellRef from, CellRef to, Visit visit) {
    for (auto it = cells.lower_bound(from); it != cells.end() && keyOf(*it).row <= to.row;) {
        const CellRef at = keyOf(*it);
        if (at.column < from.column) {
            it = cells.lower_bound({at.row, from.column});
        } else if (at.column > to.column) {
            it = cells.lower_bound({at.row + 1, from.column});
        } else {
            visit(*it);
            ++it;
        }
    }
}

// An operand cell as a number: a truth value is 1 or 0, an empty cell 0, a text that reads
// as a number that number. Otherwise the error it holds or gives.
bool asNumber(const Value& v, double& x, ErrorCode& error) {
    switch (v.kind) {
    case Value::Kind::Number:
        x = v.number;
        return true;
    case Value::Kind::Boolean:
        x = v.boolean ? 1.0 : 0.0;
        return true;
    case Value::Kind::Nil:
    case Value::Kind::Missing:
        x = 0.0;
        return true;
    case Value::Kind::Text:
        if (readNumber(v.text, x))
            return true;
        error = ErrorCode::Value;
        return false;
    case Value::Kind::Error:
        error = v.error;
        return false;
    case Value::Kind::Array:
        break;
    }
    error = ErrorCode::Value;
    return false;
}

// Negates a cell where it is, an array cell by cell: no cell is copied.
void negateInPlace(Value& v) {
    if (v.is(Value::Kind::Array)) {
        for (Value& cell : v.cells)
            negateInPlace(cell);
        return;
    }
    double x = 0;
    ErrorCode error = ErrorCode::Value;
    // An empty cell negated is -0, as the host passes it to a function.
    if (v.is(Value::Kind::Nil) || v.is(Value::Kind::Missing))
        v = Value::of(-0.0);
    else if (v.is(Value::Kind::Number))
        v.number = -v.number;
    else if (asNumber(v, x, error))
        v = Value::of(-x);
    else
        v = Value::ofError(error);
}

// One cell of x op y into result: the left operand's error first, then the right one's; a
// division by 0 gives #DIV/0!, a result beyond the numbers #NUM!.
void arithmeticCell(Expr::Kind op, const Value& left, const Value& right, Value& result) {
    double x = 0, y = 0;
    ErrorCode error = ErrorCode::Value;
    if (!asNumber(left, x, error) || !asNumber(right, y, error)) {
        result = Value::ofError(error);
        return;
    }
    double z = 0;
    switch (op) {
    case Expr::Kind::Add:
        z = x + y;
        break;
    case Expr::Kind::Subtract:
        z = x - y;
        break;
    case Expr::Kind::Multiply:
        z = x * y;
        break;
    default:
        if (y == 0) {
            result = Value::ofError(ErrorCode::Div0);
            return;
        }
        z = x / y;
        break;
    }
    if (!std::isfinite(z))
        result = Value::ofError(ErrorCode::Num);
    else if (result.is(Value::Kind::Number))
        result.number = z;
    else
        result = Value::of(z);
}

int rowsOf(const Value& v) {
    return v.is(Value::Kind::Array) ? v.rows : 1;
}
int columnsOf(const Value& v) {
    return v.is(Value::Kind::Array) ? v.columns : 1;
}

// The cell of an operand that meets the result's cell (row, column): a single value meets
// every cell, a single row or column repeats, and beyond an operand's rows or columns it
// is #N/A.
const Value& operandCell(const Value& v, int row, int column) {
    static const Value beyond = Value::ofError(ErrorCode::NA);
    if (!v.is(Value::Kind::Array))
        return v;
    const int r = v.rows == 1 ? 0 : row, c = v.columns == 1 ? 0 : column;
    if (r >= v.rows || c >= v.columns)
        return beyond;
    return v.at(r, c);
}

// x op y, element by element over arrays. The result takes the place of an operand of its
// size, so that an operation over a range copies no cell; only a result larger than both
// operands (a row against a column) makes cells, counted against the budget.
Value arithmetic(Expr::Kind op, Value left, Value right, long long& budget) {
    if (!left.is(Value::Kind::Array) && !right.is(Value::Kind::Array)) {
        Value result;
        arithmeticCell(op, left, right, result);
        return result;
    }
    const int rows = std::max(rowsOf(left), rowsOf(right));
    const int columns = std::max(columnsOf(left), columnsOf(right));
    const auto fits = [&](const Value& v) {
        return v.is(Value::Kind::Array) && v.rows == rows && v.columns == columns;
    };
    if (fits(left)) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                Value& cell = left.cells[static_cast<std::size_t>(r) * columns + c];
                arithmeticCell(op, cell, operandCell(right, r, c), cell);
            }
        return left;
    }
    if (fits(right)) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                Value& cell = right.cells[static_cast<std::size_t>(r) * columns + c];
                arithmeticCell(op, operandCell(left, r, c), cell, cell);
            }
        return right;
    }
    const long long size = static_cast<long long>(rows) * columns;
    if (size > budget)
        return Value::ofError(ErrorCode::Num);
    budget -= size;
    std::vector<Value> cells(static_cast<std::size_t>(size));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            arithmeticCell(op, operandCell(left, r, c), operandCell(right, r, c),
                           cells[static_cast<std::size_t>(r) * columns + c]);
    return Value::array(rows, columns, std::move(cells));
}

// A CSV field as a cell: a number, TRUE/FALSE, or a text.
Value constantFromField(const std::string& field) {
    const auto first = field.find_first_not_of(" \t");
    if (first == std::string::npos)
        return Value::nil();
    const auto last = field.find_last_not_of(" \t");
    const std::string trimmed = field.substr(first, last - first + 1);
    double x = 0;
    if (readNumber(trimmed, x))
        return Value::of(x);
    if (trimmed == "TRUE" || trimmed == "true" || trimmed == "True")
        return Value::ofBool(true);
    if (trimmed == "FALSE" || trimmed == "false" || trimmed == "False")
        return Value::ofBool(false);
    ErrorCode code;
    if (parseErrorText(trimmed, code))
        return Value::ofError(code);
    return Value::ofText(field);
}

// Splits CSV text into rows of fields; quoted fields may hold commas, quotes ("") and
// line breaks. An unquoted formula (a field beginning with "=") may hold commas inside its
// parentheses, braces and texts, so that hand-written sheets need no quoting:
// =TciCe(A2:A9,B2:B9,...) is one field.
std::vector<std::vector<std::string>> splitCsv(const std::string& csv) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false, fieldStarted = false;
    bool formula = false, inText = false;
    int depth = 0;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (!quoted && !formula && c == '=' &&
            field.find_first_not_of(" \t") == std::string::npos) {
            formula = true;
            depth = 0;
            inText = false;
        }
        if (formula && c != '\n' && c != '\r') {
            if (c == '"')
                inText = !inText;
            else if (!inText && (c == '(' || c == '{'))
                ++depth;
            else if (!inText && (c == ')' || c == '}'))
                --depth;
            if (inText || depth > 0 || c != ',') {
                field += c;
                fieldStarted = true;
                continue;
            }
        }
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == ',') {
            rows.back().push_back(field);
            field.clear();
            fieldStarted = formula = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n')
                ++i;
            rows.back().push_back(field);
            field.clear();
            fieldStarted = formula = false;
            rows.emplace_back();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !rows.back().empty())
        rows.back().push_back(field);
    if (rows.back().empty())
        rows.pop_back();
    return rows;
}

// Evaluates e; budget is how many more cells the formula's ranges may read.
Value evaluateWithin(const Expr& e, const FunctionCaller& call, CellSource& cells,
                     long long& budget) {
    switch (e.kind) {
    case Expr::Kind::Literal:
        return e.literal;
    case Expr::Kind::Missing:
        return Value::missing();
    case Expr::Kind::Negate: {
        Value v = evaluateWithin(e.args.front(), call, cells, budget);
        negateInPlace(v);
        return v;
    }
    case Expr::Kind::Add:
    case Expr::Kind::Subtract:
    case Expr::Kind::Multiply:
    case Expr::Kind::Divide: {
        Value left = evaluateWithin(e.args[0], call, cells, budget);
        Value right = evaluateWithin(e.args[1], call, cells, budget);
        return arithmetic(e.kind, std::move(left), std::move(right), budget);
    }
    case Expr::Kind::Reference:
        return cells.cell(e.from);
    case Expr::Kind::Range: {
        const long long size = (static_cast<long long>(e.to.row) - e.from.row + 1) *
                               (static_cast<long long>(e.to.column) - e.from.column + 1);
        if (size > budget)
            return Value::ofError(ErrorCode::Num);
        budget -= size;
        return cells.range(e.from, e.to);
    }
    case Expr::Kind::Call: {
        std::vector<Value> args;
        args.reserve(e.args.size());
        for (const Expr& a : e.args)
            args.push_back(evaluateWithin(a, call, cells, budget));
        std::optional<Value> result = call(e.name, args);
        return result ? std::move(*result) : Value::ofError(ErrorCode::Name);
    }
    }
    return Value::ofError(ErrorCode::Value);
}

} // namespace

Value evaluate(const Expr& e, const FunctionCaller& call, CellSource& cells, long long maxCells) {
    long long budget = maxCells;
    return evaluateWithin(e, call, cells, budget);
}

Value evaluateFormula(const Expr& formula, const FunctionCaller& call, long long maxCells) {
    NoCells none;
    return evaluate(formula, call, none, maxCells);
}

Value evaluateFormula(const std::string& formula, const FunctionCaller& call, long long maxCells) {
    return evaluateFormula(parseFormula(formula), call, maxCells);
}

Sheet Sheet::fromCsv(const std::string& csv) {
    Sheet sheet;
    const auto rows = splitCsv(csv);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& field = rows[r][c];
            const CellRef ref{static_cast<int>(r), static_cast<int>(c)};
            const auto first = field.find_first_not_of(" \t");
            if (first == std::string::npos)
                continue;
            Cell cell;
            if (field[first] == '=') {
                try {
                    cell.formula = parseFormula(field);
                } catch (const SyntaxError& e) {
                    throw SyntaxError(cellName(ref) + ": " + e.what(), e.position());
                }
            } else {
                cell.value = constantFromField(field);
                cell.state = State::Done;
            }
            if (cell.formula)
                sheet.pending_.insert(ref);
            sheet.cells_.emplace(ref, std::move(cell));
        }
    }
    return sheet;
}

// What a formula of the sheet reads.
class Sheet::Reader : public CellSource {
public:
    explicit Reader(Sheet& sheet) : sheet_(sheet) {}
    Value cell(CellRef ref) override { return sheet_.readCell(ref); }
    Value range(CellRef from, CellRef to) override { return sheet_.readRange(from, to); }

private:
    Sheet& sheet_;
};

void Sheet::evaluate(const FunctionCaller& call, long long maxCells) {
    call_ = &call;
    cellsLeft_ = maxCells;
    while (!pending_.empty()) {
        stack_.emplace_back(*pending_.begin());
        run();
    }
    call_ = nullptr;
}

// Works the stack off: the top entry's formula is begun, or tried, until it is done.
void Sheet::run() {
    while (!stack_.empty()) {
        const std::size_t top = stack_.size() - 1;
        const State state = cells_.at(stack_[top].ref).state;
        if (state == State::Pending)
            begin(top);
        else if (state == State::Evaluating && begun(top))
            attempt(top);
        else
            stack_.pop_back(); // done since it was queued
    }
}

bool Sheet::begun(std::size_t index) const {
    const Cell& cell = cells_.at(stack_[index].ref);
    return cell.state == State::Evaluating && cell.entry == index;
}

// Begins the formula of the entry: the formulas it refers to that wait to be evaluated go
// on the stack above it, the first of them on top, so that it is tried once they are done.
void Sheet::begin(std::size_t index) {
    const CellRef ref = stack_[index].ref;
    Cell& cell = cells_.at(ref);
    cell.state = State::Evaluating;
    cell.entry = index;
    pending_.erase(ref);
    if (stack_[index].lookAhead)
        lookAheads_.push_back(index);
    queuePending(*cell.formula);
    std::reverse(stack_.begin() + static_cast<std::ptrdiff_t>(index) + 1, stack_.end());
}

void Sheet::queuePending(const Expr& e) {
    if (e.kind == Expr::Kind::Reference && pending_.count(e.from)) {
        stack_.emplace_back(e.from);
    } else if (e.kind == Expr::Kind::Range) {
        forEachIn(pending_, e.from, e.to, [this](CellRef at) { stack_.emplace_back(at); });
    }
    for (const Expr& a : e.args)
        queuePending(a);
}

// Tries the formula of the top entry: it is done, or it needs another formula first, or
// the look-ahead it belongs to is abandoned.
void Sheet::attempt(std::size_t index) {
    const CellRef ref = stack_[index].ref;
    const bool lookAhead = stack_[index].lookAhead;
    Cell& cell = cells_.at(ref);
    emptyReads_.erase(ref);
    Reader reader(*this);
    Value result;
    const long long allowed =
        cellsLeft_ == NO_SHEET_BOUND ? MAX_CELLS_READ : std::min(MAX_CELLS_READ, cellsLeft_);
    long long budget = allowed;
    try {
        result = evaluateWithin(*cell.formula, *call_, reader, budget);
    } catch (const NeedsFirst& first) {
        stack_.emplace_back(first.ref, first.lookAhead);
        return;
    } catch (const LookAheadWaits& waits) {
        abandonFrom(waits.from);
        return;
    }
    stack_.pop_back();
    if (lookAhead)
        lookAheads_.pop_back();
    if (cellsLeft_ != NO_SHEET_BOUND)
        cellsLeft_ -= allowed - budget;
    cell.state = State::Done;
    if (cyclic_.count(ref)) {
        cell.value = Value::ofError(ErrorCode::Cycle);
        return;
    }
    cell.value = std::move(result);
    spill(ref, cell);
}

// Abandons the look-ahead at this place of the stack and everything it began: those
// formulas are evaluated again later, from the start, and the look-ahead is not tried
// again for the formula below it.
void Sheet::abandonFrom(std::size_t from) {
    for (std::size_t i = from; i < stack_.size(); ++i) {
        if (!begun(i))
            continue;
        const CellRef ref = stack_[i].ref;
        cells_.at(ref).state = State::Pending;
        pending_.insert(ref);
        emptyReads_.erase(ref);
    }
    while (!lookAheads_.empty() && lookAheads_.back() >= from)
        lookAheads_.pop_back();
    const CellRef waiting = stack_[from].ref;
    stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(from), stack_.end());
    stack_.back().waiting.insert(waiting);
}

void Sheet::spill(CellRef anchor, Cell& cell) {
    const Value& v = cell.value;
    if (!v.is(Value::Kind::Array) || v.cells.size() <= 1)
        return;
    const CellRef last{anchor.row + v.rows - 1, anchor.column + v.columns - 1};
    bool blocked = false;
    forEachIn(cells_, anchor, last, [&](const std::pair<const CellRef, Cell>& entry) {
        blocked = blocked || entry.first != anchor;
    });
    forEachSpilledIn(anchor, last, [&](CellRef, const Value&) { blocked = true; });
    if (blocked) {
        cell.spillBlocked = true;
        return;
    }
    // A formula that read one of these cells while it was empty took part in computing
    // this result, or waits for it: a circle through the spill.
    std::set<CellRef> circle;
    for (const auto& [reader, areas] : emptyReads_)
        for (const EmptyRead& area : areas)
            if (overlapsSpill(area.from, area.to, anchor, last))
                circle.insert(reader);
    if (!circle.empty()) {
        circle.insert(anchor);
        for (const CellRef& ref : circle) {
            cyclic_.insert(ref);
            cells_.at(ref).inCircle = true;
        }
        return;
    }
    for (int column = anchor.column; column <= last.column; ++column) {
        const int first = column == anchor.column ? anchor.row + 1 : anchor.row;
        if (first <= last.row)
            spills_[column].emplace(first, SpillRun{last.row, anchor});
    }
}

// The value a spill shows in the cell, or none.
const Value* Sheet::spilledAt(CellRef ref) const {
    const auto column = spills_.find(ref.column);
    if (column == spills_.end())
        return nullptr;
    auto run = column->second.upper_bound(ref.row);
    if (run == column->second.begin())
        return nullptr;
    --run;
    if (run->second.lastRow < ref.row)
        return nullptr;
    const CellRef anchor = run->second.anchor;
    return &cells_.at(anchor).value.at(ref.row - anchor.row, ref.column - anchor.column);
}

// Calls visit(cell, value) for each spilled cell in the area from..to, column by column.
template <typename Visit>
void Sheet::forEachSpilledIn(CellRef from, CellRef to, Visit visit) const {
    for (auto column = spills_.lower_bound(from.column);
         column != spills_.end() && column->first <= to.column; ++column) {
        const SpillColumn& runs = column->second;
        auto run = runs.upper_bound(from.row);
        if (run != runs.begin())
            --run;
        for (; run != runs.end() && run->first <= to.row; ++run) {
            const CellRef anchor = run->second.anchor;
            const Value& array = cells_.at(anchor).value;
            const int end = std::min(run->second.lastRow, to.row);
            for (int row = std::max(run->first, from.row); row <= end; ++row)
                visit(CellRef{row, column->first},
                      array.at(row - anchor.row, column->first - anchor.column));
        }
    }
}

Value Sheet::readCell(CellRef ref) {
    const auto it = cells_.find(ref);
    if (it == cells_.end()) {
        if (!spilledAt(ref)) {
            lookAhead(ref);
            emptyReads_[stack_.back().ref].push_back({ref, ref});
        }
        return shown(ref);
    }
    switch (it->second.state) {
    case State::Pending:
        throw NeedsFirst{ref, false};
    case State::Evaluating:
        readEvaluating(it->second);
        return Value::ofError(ErrorCode::Cycle);
    case State::Done:
        break;
    }
    return shown(ref);
}

Value Sheet::readRange(CellRef from, CellRef to) {
    const int rows = to.row - from.row + 1, columns = to.column - from.column + 1;
    const std::size_t size = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    // First the formulas and constants in the range: each must be done, or is a circle.
    std::vector<CellRef> filled;
    forEachIn(cells_, from, to, [&](const std::pair<const CellRef, Cell>& entry) {
        if (entry.second.state == State::Pending)
            throw NeedsFirst{entry.first, false};
        if (entry.second.state == State::Evaluating)
            readEvaluating(entry.second);
        filled.push_back(entry.first);
    });
    if (filled.size() < size) {
        lookAhead(to);
        emptyReads_[stack_.back().ref].push_back({from, to});
    }
    // The array: empty, then what the filled and the spilled cells show.
    std::vector<Value> cells(size, Value::nil());
    auto at = [&](CellRef ref) -> Value& {
        return cells[static_cast<std::size_t>(ref.row - from.row) * columns +
                     (ref.column - from.column)];
    };
    for (const CellRef& ref : filled)
        at(ref) = cells_.at(ref).state == State::Evaluating ? Value::ofError(ErrorCode::Cycle)
                                                            : shown(ref);
    forEachSpilledIn(from, to, [&](CellRef ref, const Value& value) { at(ref) = value; });
    return Value::array(rows, columns, std::move(cells));
}

// A formula reads one that is being evaluated. Below the latest look-ahead, the
// look-ahead waits; otherwise it is a circular reference through every formula from the
// one read to the one reading.
void Sheet::readEvaluating(const Cell& cell) {
    if (!lookAheads_.empty() && cell.entry < lookAheads_.back())
        throw LookAheadWaits{lookAheads_.back()};
    for (std::size_t i = cell.entry; i < stack_.size(); ++i)
        if (begun(i))
            cyclic_.insert(stack_[i].ref);
}

// Before a formula reads an empty cell, the formulas above and to the left of it that
// might spill into it are evaluated, except those that wait for this formula.
void Sheet::lookAhead(CellRef to) {
    const std::set<CellRef>& waiting = stack_.back().waiting;
    for (auto it = pending_.begin(); it != pending_.end() && it->row <= to.row; ++it)
        if (it->column <= to.column && !waiting.count(*it))
            throw NeedsFirst{*it, true};
}

Value Sheet::shown(CellRef ref) const {
    auto it = cells_.find(ref);
    if (it == cells_.end()) {
        const Value* spilled = spilledAt(ref);
        return spilled ? *spilled : Value::nil();
    }
    const Cell& cell = it->second;
    if (cell.inCircle)
        return Value::ofError(ErrorCode::Cycle);
    if (cell.spillBlocked)
        return Value::ofError(ErrorCode::Spill);
    if (cell.value.is(Value::Kind::Array))
        return cell.value.cells.empty() ? Value::nil() : cell.value.cells.front();
    return cell.value;
}

CellRef Sheet::extent() const {
    CellRef end{-1, -1};
    auto grow = [&end](CellRef r) {
        end.row = std::max(end.row, r.row);
        end.column = std::max(end.column, r.column);
    };
    for (const auto& [ref, cell] : cells_)
        grow(ref);
    for (const auto& [column, runs] : spills_)
        for (const auto& [first, run] : runs)
            grow({run.lastRow, column});
    return end;
}

std::string Sheet::toCsv() const {
    const CellRef end = extent();
    std::string out;
    for (int r = 0; r <= end.row; ++r) {
        for (int c = 0; c <= end.column; ++c) {
            if (c > 0)
                out += ',';
            out += formatCell(shown({r, c}));
        }
        out += '\n';
    }
    return out;
}

std::string Sheet::toTable() const {
    // Each cell as shown: numbers to the right; a text whose right neighbour is empty runs
    // on over the empty cells, as in the spreadsheet, without widening its column.
    struct Shown {
        std::string text;
        bool right = false;
        bool overflows = false;
    };
    const CellRef end = extent();
    const std::size_t columns = static_cast<std::size_t>(end.column) + 2;
    std::vector<std::vector<Shown>> grid(end.row + 2, std::vector<Shown>(columns));
    for (int c = 0; c <= end.column; ++c) {
        const std::string name = cellName({0, c});
        grid[0][c + 1].text = name.substr(0, name.size() - 1);
    }
    for (int r = 0; r <= end.row; ++r) {
        grid[r + 1][0] = {std::to_string(r + 1), true, false};
        for (int c = 0; c <= end.column; ++c) {
            const Value v = shown({r, c});
            const Value& single = v.is(Value::Kind::Array) && !v.cells.empty() ? v.cells[0] : v;
            grid[r + 1][c + 1] = {formatCellForReading(v), single.is(Value::Kind::Number), false};
        }
        for (std::size_t c = 1; c + 1 < columns; ++c)
            grid[r + 1][c].overflows = shown({r, static_cast<int>(c) - 1}).is(Value::Kind::Text) &&
                                       grid[r + 1][c + 1].text.empty();
        grid[r + 1][columns - 1].overflows = !grid[r + 1][columns - 1].right;
    }
    constexpr std::size_t GAP = 2;
    std::vector<std::size_t> width(columns, 0);
    for (const auto& row : grid)
        for (std::size_t c = 0; c < columns; ++c)
            if (!row[c].overflows)
                width[c] = std::max(width[c], row[c].text.size());
    // A running-on text that does not reach the next filled cell widens its own column.
    for (const auto& row : grid)
        for (std::size_t c = 0; c < columns; ++c) {
            if (!row[c].overflows)
                continue;
            std::size_t room = width[c], k = c + 1;
            for (; k < columns && row[k].text.empty(); ++k)
                room += GAP + width[k];
            if (k < columns && row[c].text.size() > room)
                width[c] += row[c].text.size() - room;
        }
    std::vector<std::size_t> start(columns, 0);
    for (std::size_t c = 1; c < columns; ++c)
        start[c] = start[c - 1] + width[c - 1] + GAP;
    std::string out;
    for (const auto& row : grid) {
        std::string line(start.back() + width.back(), ' ');
        for (std::size_t c = 0; c < columns; ++c) {
            const Shown& cell = row[c];
            const std::size_t at = cell.right && cell.text.size() < width[c]
                                       ? start[c] + width[c] - cell.text.size()
                                       : start[c];
            if (at + cell.text.size() > line.size())
                line.resize(at + cell.text.size(), ' ');
            line.replace(at, cell.text.size(), cell.text);
        }
        out += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
    }
    return out;
}

} // namespace sheet
