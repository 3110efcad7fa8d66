#pragma once

// What a sheet cell holds and what the host passes to an add-in and gets back: the one
// translation between the sheet's values and the host's, for every front end that plays
// the spreadsheet (the command line, the web page).

#include "sheet/value.h"
#include "standin/Host.h"

#include <optional>

namespace sheethost {

// A sheet value as the host passes it to an add-in. The sheet's own errors (#SPILL!,
// #CYCLE!) travel as error values with their sheet codes.
standin::Value ToHost(const sheet::Value& value);
// A result as the cell shows it: a null result is #NUM!, an integer a number, a
// reference or anything the sheet cannot hold #VALUE!.
sheet::Value FromHost(const std::optional<standin::Value>& result);

} // namespace sheethost
