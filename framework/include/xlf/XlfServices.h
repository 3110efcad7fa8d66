#pragma once

// Host services the add-ins use while loading: the status bar, on one host-command call
// that raises when the host refuses.

#include "xlf/XlfOper.h"

#include <string>

namespace xlf {

// Calls a host command with two arguments. A refusal raises the operation's name,
// " failed with result code " and the code.
void CommandOrRaise(int command, const XlfOper& first, const XlfOper& second,
                    const char* operation);

// Shows a text in the host's status bar, and gives the bar back to the host.
void SetStatusBar(const std::string& text);
void ClearStatusBar();

} // namespace xlf
