#include "sheet/sheet.h"

#include <algorithm>
#include <cstdlib>

namespace sheet {

namespace {

// Thrown to abandon the evaluation of a formula looked at ahead of its turn.
struct LookAheadWaits {};

Value negate(const Value& v) {
    switch (v.kind) {
    case Value::Kind::Number:
        return Value::of(-v.number);
    case Value::Kind::Boolean:
        return Value::of(v.boolean ? -1.0 : -0.0);
    case Value::Kind::Nil:
    case Value::Kind::Missing:
        return Value::of(-0.0);
    case Value::Kind::Error:
        return v;
    case Value::Kind::Array: {
        Value result = v;
        for (Value& cell : result.cells)
            cell = negate(cell);
        return result;
    }
    case Value::Kind::Text: {
        double x = 0;
        if (readNumber(v.text, x))
            return Value::of(-x);
        return Value::ofError(ErrorCode::Value);
    }
    }
    return Value::ofError(ErrorCode::Value);
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

} // namespace

Value evaluate(const Expr& e, const FunctionCaller& call, const CellReader& read) {
    switch (e.kind) {
    case Expr::Kind::Literal:
        return e.literal;
    case Expr::Kind::Missing:
        return Value::missing();
    case Expr::Kind::Negate:
        return negate(evaluate(e.args.front(), call, read));
    case Expr::Kind::Reference:
        return read(e.from);
    case Expr::Kind::Range: {
        const int rows = e.to.row - e.from.row + 1, columns = e.to.column - e.from.column + 1;
        std::vector<Value> cells;
        cells.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        for (int r = e.from.row; r <= e.to.row; ++r)
            for (int c = e.from.column; c <= e.to.column; ++c)
                cells.push_back(read({r, c}));
        return Value::array(rows, columns, std::move(cells));
    }
    case Expr::Kind::Call: {
        std::vector<Value> args;
        args.reserve(e.args.size());
        for (const Expr& a : e.args)
            args.push_back(evaluate(a, call, read));
        std::optional<Value> result = call(e.name, args);
        return result ? std::move(*result) : Value::ofError(ErrorCode::Name);
    }
    }
    return Value::ofError(ErrorCode::Value);
}

Value evaluateFormula(const std::string& formula, const FunctionCaller& call) {
    return evaluate(parseFormula(formula), call,
                    [](CellRef) { return Value::ofError(ErrorCode::Ref); });
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
            sheet.cells_.emplace(ref, std::move(cell));
        }
    }
    return sheet;
}

void Sheet::evaluate(const FunctionCaller& call) {
    call_ = &call;
    for (auto& [ref, cell] : cells_)
        if (cell.state == State::Pending)
            evaluateCell(ref);
    call_ = nullptr;
}

void Sheet::evaluateCell(CellRef ref) {
    Cell& cell = cells_.at(ref);
    cell.state = State::Evaluating;
    evaluating_.push_back(ref);
    Value result;
    try {
        result = sheet::evaluate(*cell.formula, *call_, [this](CellRef r) { return read(r); });
    } catch (const LookAheadWaits&) {
        // Evaluated again later, from the start.
        evaluating_.pop_back();
        cell.state = State::Pending;
        for (auto& [empty, readers] : emptyReads_)
            readers.erase(ref);
        throw;
    }
    evaluating_.pop_back();
    cell.state = State::Done;
    if (cyclic_.count(ref)) {
        cell.value = Value::ofError(ErrorCode::Cycle);
        return;
    }
    cell.value = std::move(result);
    spill(ref, cell);
}

void Sheet::spill(CellRef anchor, Cell& cell) {
    const Value& v = cell.value;
    if (!v.is(Value::Kind::Array) || v.cells.size() <= 1)
        return;
    for (int r = 0; r < v.rows; ++r)
        for (int c = 0; c < v.columns; ++c) {
            const CellRef target{anchor.row + r, anchor.column + c};
            if ((r || c) && (cells_.count(target) || spilled_.count(target))) {
                cell.spillBlocked = true;
                return;
            }
        }
    // A formula that read one of these cells while it was empty took part in computing
    // this result, or waits for it: a circle through the spill.
    std::set<CellRef> circle;
    for (int r = 0; r < v.rows; ++r)
        for (int c = 0; c < v.columns; ++c) {
            const auto readers = emptyReads_.find({anchor.row + r, anchor.column + c});
            if ((r || c) && readers != emptyReads_.end())
                circle.insert(readers->second.begin(), readers->second.end());
        }
    if (!circle.empty()) {
        circle.insert(anchor);
        for (const CellRef& ref : circle) {
            cyclic_.insert(ref);
            cells_.at(ref).value = Value::ofError(ErrorCode::Cycle);
        }
        return;
    }
    for (int r = 0; r < v.rows; ++r)
        for (int c = 0; c < v.columns; ++c)
            if (r || c)
                spilled_[{anchor.row + r, anchor.column + c}] = v.at(r, c);
}

Value Sheet::read(CellRef ref) {
    auto it = cells_.find(ref);
    if (it != cells_.end()) {
        Cell& cell = it->second;
        if (cell.state == State::Evaluating) {
            const auto from = std::find(evaluating_.begin(), evaluating_.end(), ref);
            // Met while looking ahead for a spill: the formula looked at waits.
            if (!lookAheads_.empty() &&
                static_cast<std::size_t>(from - evaluating_.begin()) < lookAheads_.back())
                throw LookAheadWaits{};
            // A circular reference: every cell from the referenced one to the current one.
            cyclic_.insert(from, evaluating_.end());
            return Value::ofError(ErrorCode::Cycle);
        }
        if (cell.state == State::Pending)
            evaluateCell(ref);
        return shown(ref);
    }
    // An empty cell may be filled by the spill of a formula above or to the left of it:
    // evaluate those first.
    for (auto& [other, cell] : cells_) {
        if (other.row > ref.row)
            break;
        if (other.column <= ref.column && cell.state == State::Pending) {
            lookAheads_.push_back(evaluating_.size());
            try {
                evaluateCell(other);
            } catch (const LookAheadWaits&) {
            }
            lookAheads_.pop_back();
        }
    }
    if (!spilled_.count(ref) && !evaluating_.empty())
        emptyReads_[ref].insert(evaluating_.back());
    return shown(ref);
}

Value Sheet::shown(CellRef ref) const {
    auto it = cells_.find(ref);
    if (it == cells_.end()) {
        auto s = spilled_.find(ref);
        return s != spilled_.end() ? s->second : Value::nil();
    }
    const Cell& cell = it->second;
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
    for (const auto& [ref, value] : spilled_)
        grow(ref);
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
