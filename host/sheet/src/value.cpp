#include "sheet/value.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sheet {

namespace {

struct ErrorName {
    ErrorCode code;
    const char* text;
};
constexpr ErrorName ERROR_NAMES[] = {
    {ErrorCode::Null, "#NULL!"}, {ErrorCode::Div0, "#DIV/0!"},  {ErrorCode::Value, "#VALUE!"},
    {ErrorCode::Ref, "#REF!"},   {ErrorCode::Name, "#NAME?"},   {ErrorCode::Num, "#NUM!"},
    {ErrorCode::NA, "#N/A"},     {ErrorCode::Spill, "#SPILL!"}, {ErrorCode::Cycle, "#CYCLE!"},
};

std::string quotedForCsv(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

const char* errorText(ErrorCode code) {
    for (const ErrorName& e : ERROR_NAMES)
        if (e.code == code)
            return e.text;
    return "#VALUE!";
}

bool parseErrorText(const std::string& text, ErrorCode& code) {
    for (const ErrorName& e : ERROR_NAMES)
        if (text == e.text) {
            code = e.code;
            return true;
        }
    return false;
}

std::size_t decimalNumberLength(const std::string& text, std::size_t start) {
    auto digits = [&](std::size_t i) {
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i;
    };
    std::size_t i = digits(start);
    bool any = i > start;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = digits(i + 1);
        any = any || fraction > i + 1;
        i = fraction;
    }
    if (!any)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t exponent = digits(e);
        if (exponent > e)
            i = exponent;
    }
    return i - start;
}

bool readNumber(const std::string& text, double& x) {
    const std::size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const std::size_t length = decimalNumberLength(text, sign);
    if (length == 0 || sign + length != text.size())
        return false;
    x = std::strtod(text.c_str(), nullptr);
    return true;
}

std::string formatCellForReading(const Value& v) {
    if (v.is(Value::Kind::Number) && std::isfinite(v.number)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.10g", v.number);
        return buffer;
    }
    if (v.is(Value::Kind::Text))
        return v.text;
    if (v.is(Value::Kind::Array))
        return v.cells.empty() ? "" : formatCellForReading(v.cells.front());
    return formatCell(v);
}

std::string formatCell(const Value& v) {
    switch (v.kind) {
    case Value::Kind::Missing:
    case Value::Kind::Nil:
        return "";
    case Value::Kind::Number: {
        if (!std::isfinite(v.number))
            return errorText(ErrorCode::Num);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", v.number);
        return buffer;
    }
    case Value::Kind::Boolean:
        return v.boolean ? "TRUE" : "FALSE";
    case Value::Kind::Text:
        return quotedForCsv(v.text);
    case Value::Kind::Error:
        return errorText(v.error);
    case Value::Kind::Array:
        return v.cells.empty() ? "" : formatCell(v.cells.front());
    }
    return "";
}

std::string formatResult(const Value& v) {
    if (!v.is(Value::Kind::Array))
        return formatCell(v) + "\n";
    std::string out;
    for (int r = 0; r < v.rows; ++r) {
        for (int c = 0; c < v.columns; ++c) {
            if (c > 0)
                out += ',';
            out += formatCell(v.at(r, c));
        }
        out += '\n';
    }
    return out;
}

} // namespace sheet
