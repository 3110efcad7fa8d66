#include "CellValues.h"

#include <algorithm>
#include <iterator>

namespace sheethost {

namespace {

// The error codes a cell can show: the host's and the sheet's own.
constexpr std::int32_t kKnownErrors[] = {0, 7, 15, 23, 29, 36, 42, 1000, 1001};

} // namespace

standin::Value ToHost(const sheet::Value& value) {
    using K = sheet::Value::Kind;
    switch (value.kind) {
    case K::Missing:
        return standin::Value::Missing();
    case K::Nil:
        return standin::Value::Nil();
    case K::Number:
        return standin::Value::Number(value.number);
    case K::Boolean:
        return standin::Value::Truth(value.boolean);
    case K::Text:
        return standin::Value::Text(standin::Utf16(value.text));
    case K::Error:
        return standin::Value::Error(static_cast<std::int32_t>(value.error));
    case K::Array: {
        std::vector<standin::Value> items;
        items.reserve(value.cells.size());
        for (const sheet::Value& cell : value.cells) {
            items.push_back(ToHost(cell));
        }
        return standin::Value::Array(value.rows, value.columns, std::move(items));
    }
    }
    return standin::Value::Error(xlf::xlerrValue);
}

sheet::Value FromHost(const std::optional<standin::Value>& result) {
    using K = standin::Value::Kind;
    if (!result) {
        return sheet::Value::ofError(sheet::ErrorCode::Num);
    }
    const standin::Value& v = *result;
    switch (v.kind) {
    case K::Num:
        return sheet::Value::of(v.num);
    case K::Int:
        return sheet::Value::of(v.code);
    case K::Str:
        return sheet::Value::ofText(v.Utf8());
    case K::Bool:
        return sheet::Value::ofBool(v.flag);
    case K::Err: {
        const bool known = std::find(std::begin(kKnownErrors), std::end(kKnownErrors), v.code) !=
                           std::end(kKnownErrors);
        return sheet::Value::ofError(known ? static_cast<sheet::ErrorCode>(v.code)
                                           : sheet::ErrorCode::Value);
    }
    case K::Missing:
        return sheet::Value::missing();
    case K::Nil:
        return sheet::Value::nil();
    case K::Multi: {
        std::vector<sheet::Value> cells;
        cells.reserve(v.items.size());
        for (const standin::Value& item : v.items) {
            cells.push_back(item.kind == K::Multi ? sheet::Value::ofError(sheet::ErrorCode::Value)
                                                  : FromHost(item));
        }
        return sheet::Value::array(v.rows, v.columns, std::move(cells));
    }
    default:
        return sheet::Value::ofError(sheet::ErrorCode::Value);
    }
}

} // namespace sheethost
