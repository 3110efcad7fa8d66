#include "sheet/value.h"

#include <cmath>
#include <cstdio>

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
