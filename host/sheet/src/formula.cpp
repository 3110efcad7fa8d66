#include "sheet/formula.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace sheet {

namespace {

constexpr int MAX_ROWS = 1048576;
constexpr int MAX_COLUMNS = 16384;
constexpr int MAX_COLUMN_LETTERS = 3;
// The deepest nesting of calls, signs and parentheses a formula may have: the parser and
// the evaluation recurse once per level, so an unbounded depth would overflow the stack.
constexpr int MAX_NESTING = 255;

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    Expr formula() {
        skipBlanks();
        if (!consume('='))
            fail("a formula begins with \"=\"");
        Expr e = expression();
        skipBlanks();
        if (pos_ < text_.size())
            fail(std::string("unexpected \"") + text_[pos_] + "\"");
        return e;
    }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
    int depth_ = 0;

    // One level deeper while it exists.
    struct Nesting {
        int& depth;
        explicit Nesting(int& d) : depth(d) { ++depth; }
        ~Nesting() { --depth; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
    };

    [[noreturn]] void fail(const std::string& message) const {
        throw SyntaxError(message, pos_ + 1);
    }
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool consume(char c) {
        if (peek() != c)
            return false;
        ++pos_;
        return true;
    }
    void skipBlanks() {
        while (peek() == ' ' || peek() == '\t')
            ++pos_;
    }

    // Terms joined by "+" and "-".
    Expr expression() {
        return leftToRight([this] { return term(); }, '+', Expr::Kind::Add, '-',
                           Expr::Kind::Subtract);
    }

    // Signed factors joined by "*" and "/": they bind tighter.
    Expr term() {
        return leftToRight([this] { return signedFactor(); }, '*', Expr::Kind::Multiply, '/',
                           Expr::Kind::Divide);
    }

    // Operands joined by the two operators of one precedence, from left to right.
    template <typename Operand>
    Expr leftToRight(Operand operand, char one, Expr::Kind oneKind, char other,
                     Expr::Kind otherKind) {
        Expr e = operand();
        for (;;) {
            skipBlanks();
            const char c = peek();
            if (c != one && c != other)
                return e;
            ++pos_;
            e = binary(c == one ? oneKind : otherKind, std::move(e), operand());
        }
    }

    static Expr binary(Expr::Kind kind, Expr left, Expr right) {
        Expr e;
        e.kind = kind;
        e.position = left.position;
        e.args.push_back(std::move(left));
        e.args.push_back(std::move(right));
        return e;
    }

    // A factor with its signs, which bind tighter than any other operator: -2*3 is (-2)*3.
    // A sign before a number is part of the number. Each sign, call and parenthesis is one
    // level of nesting.
    Expr signedFactor() {
        const Nesting nesting(depth_);
        if (depth_ > MAX_NESTING)
            fail("the formula nests more than " + std::to_string(MAX_NESTING) + " levels");
        skipBlanks();
        const std::size_t start = pos_;
        const char c = peek();
        if (c != '-' && c != '+')
            return factor();
        ++pos_;
        skipBlanks();
        if (std::isdigit(static_cast<unsigned char>(peek())) || peek() == '.') {
            Expr e = literal(Value::of(number()), start);
            if (c == '-')
                e.literal.number = -e.literal.number;
            return e;
        }
        Expr operand = signedFactor();
        if (c == '+')
            return operand;
        Expr e;
        e.kind = Expr::Kind::Negate;
        e.position = start + 1;
        e.args.push_back(std::move(operand));
        return e;
    }

    Expr factor() {
        const std::size_t start = pos_;
        const char c = peek();
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
            return literal(Value::of(number()), start);
        if (c == '"')
            return literal(Value::ofText(text()), start);
        if (c == '#')
            return literal(error(), start);
        if (c == '{')
            return literal(arrayConstant(), start);
        if (c == '(') {
            ++pos_;
            Expr e = expression();
            skipBlanks();
            if (!consume(')'))
                fail(peek() == '\0' ? "a \"(\" is not closed" : "\")\" is expected");
            return e;
        }
        if (isNameStart(c) || c == '$')
            return nameOrReference();
        if (c == '\0')
            fail("the formula ends where a value is expected");
        fail(std::string("unexpected \"") + c + "\"");
    }

    static Expr literal(Value v, std::size_t start) {
        Expr e;
        e.kind = Expr::Kind::Literal;
        e.literal = std::move(v);
        e.position = start + 1;
        return e;
    }

    double number() {
        const std::size_t length = decimalNumberLength(text_, pos_);
        if (length == 0)
            fail("a number is expected");
        const double x = std::strtod(text_.substr(pos_, length).c_str(), nullptr);
        pos_ += length;
        if (isNameChar(peek()))
            fail("a number is followed by letters");
        return x;
    }

    std::string text() {
        ++pos_; // the opening quote
        std::string s;
        for (;;) {
            if (pos_ >= text_.size())
                fail("a text is not closed");
            const char c = text_[pos_++];
            if (c == '"') {
                if (peek() != '"')
                    return s;
                ++pos_;
            }
            s += c;
        }
    }

    Value error() {
        // The longest error text that matches wins ("#N/A" has no closing mark).
        for (std::size_t length : {7u, 6u, 5u, 4u}) {
            ErrorCode code;
            if (text_.size() - pos_ >= length && parseErrorText(text_.substr(pos_, length), code) &&
                code != ErrorCode::Spill && code != ErrorCode::Cycle) {
                pos_ += length;
                return Value::ofError(code);
            }
        }
        fail("unknown error value");
    }

    Value arrayScalar() {
        skipBlanks();
        const char c = peek();
        Value v;
        if (c == '-' || c == '+') {
            ++pos_;
            v = Value::of(number());
            if (c == '-')
                v.number = -v.number;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            v = Value::of(number());
        } else if (c == '"') {
            v = Value::ofText(text());
        } else if (c == '#') {
            v = error();
        } else if (isNameStart(c)) {
            const std::string word = name();
            if (!booleanWord(word, v))
                fail("an array constant holds only numbers, texts, truth values and errors");
        } else {
            fail("a value is expected in the array constant");
        }
        skipBlanks();
        return v;
    }

    Value arrayConstant() {
        ++pos_; // "{"
        std::vector<Value> cells;
        int rows = 0, columns = 0, inRow = 0;
        for (;;) {
            cells.push_back(arrayScalar());
            ++inRow;
            if (consume(','))
                continue;
            if (rows > 0 && inRow != columns)
                fail("the rows of an array constant differ in length");
            columns = inRow;
            ++rows;
            inRow = 0;
            if (consume(';'))
                continue;
            if (consume('}'))
                break;
            fail("\",\", \";\" or \"}\" is expected");
        }
        if (rows == 1 && columns == 1)
            return cells.front();
        return Value::array(rows, columns, std::move(cells));
    }

    std::string name() {
        const std::size_t start = pos_;
        while (isNameChar(peek()))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    static bool booleanWord(const std::string& word, Value& v) {
        std::string upper;
        for (char c : word)
            upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper != "TRUE" && upper != "FALSE")
            return false;
        v = Value::ofBool(upper == "TRUE");
        return true;
    }

    // A name with the "$" marks a cell name may carry: the marks fix a reference when a
    // formula is copied to other cells, which never happens here.
    std::string referenceName() {
        const std::size_t start = pos_;
        while (isNameChar(peek()) || peek() == '$')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // "B2", "$B2", "B$2" or "$B$2".
    static bool markedCellName(const std::string& word, CellRef& ref) {
        std::string plain;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '$') {
                plain += word[i];
                continue;
            }
            const bool beforeLetters = i == 0;
            const bool beforeDigits =
                i > 0 && std::isalpha(static_cast<unsigned char>(word[i - 1])) &&
                i + 1 < word.size() && std::isdigit(static_cast<unsigned char>(word[i + 1]));
            if (!beforeLetters && !beforeDigits)
                return false;
        }
        return parseCellName(plain, ref);
    }

    Expr nameOrReference() {
        const std::size_t start = pos_;
        const std::string word = referenceName();
        const bool marked = word.find('$') != std::string::npos;
        skipBlanks();
        if (!marked && peek() == '(')
            return call(word, start);
        Value b;
        if (!marked && booleanWord(word, b))
            return literal(b, start);
        CellRef from;
        if (!markedCellName(word, from)) {
            pos_ = start;
            fail("unknown name \"" + word + "\"");
        }
        Expr e;
        e.kind = Expr::Kind::Reference;
        e.position = start + 1;
        e.from = from;
        if (consume(':')) {
            skipBlanks();
            const std::size_t endStart = pos_;
            const std::string endWord = referenceName();
            CellRef to;
            if (!markedCellName(endWord, to)) {
                pos_ = endStart;
                fail("a cell name is expected after \":\"");
            }
            e.kind = Expr::Kind::Range;
            e.from = {std::min(from.row, to.row), std::min(from.column, to.column)};
            e.to = {std::max(from.row, to.row), std::max(from.column, to.column)};
        }
        return e;
    }

    Expr call(const std::string& functionName, std::size_t start) {
        Expr e;
        e.kind = Expr::Kind::Call;
        e.name = functionName;
        e.position = start + 1;
        ++pos_; // "("
        skipBlanks();
        if (consume(')'))
            return e;
        for (;;) {
            skipBlanks();
            if (peek() == ',' || peek() == ')') {
                Expr missing;
                missing.kind = Expr::Kind::Missing;
                missing.position = pos_ + 1;
                e.args.push_back(missing);
            } else {
                e.args.push_back(expression());
            }
            skipBlanks();
            if (consume(','))
                continue;
            if (consume(')'))
                return e;
            fail("\",\" or \")\" is expected");
        }
    }
};

} // namespace

SyntaxError::SyntaxError(const std::string& message, std::size_t position)
    : std::runtime_error(message), position_(position) {}

bool parseCellName(const std::string& name, CellRef& ref) {
    std::size_t i = 0;
    long column = 0;
    while (i < name.size() && std::isalpha(static_cast<unsigned char>(name[i]))) {
        // Past the longest column name the letters are only counted: a long word must not
        // overflow the column number.
        if (i < MAX_COLUMN_LETTERS)
            column = column * 26 + (std::toupper(static_cast<unsigned char>(name[i])) - 'A' + 1);
        ++i;
    }
    if (i == 0 || i > MAX_COLUMN_LETTERS || i == name.size() || name[i] == '0')
        return false;
    long row = 0;
    for (std::size_t j = i; j < name.size(); ++j) {
        if (!std::isdigit(static_cast<unsigned char>(name[j])) || row > MAX_ROWS)
            return false;
        row = row * 10 + (name[j] - '0');
    }
    if (row > MAX_ROWS || column > MAX_COLUMNS)
        return false;
    ref = {static_cast<int>(row - 1), static_cast<int>(column - 1)};
    return true;
}

std::string cellName(CellRef ref) {
    std::string letters;
    for (int c = ref.column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(ref.row + 1);
}

Expr parseFormula(const std::string& text) {
    return Parser(text).formula();
}

} // namespace sheet
