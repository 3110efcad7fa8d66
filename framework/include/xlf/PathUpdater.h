#pragma once

// PathUpdater: appends the add-in's own folder to the process's search path for
// libraries, so that libraries beside the add-in are found. Once per process; the old
// search path is not restored.

namespace xlf {

class PathUpdater {
public:
    PathUpdater();
    // Runs the updater at the first call in the process; later calls do nothing. A
    // failure that raises (the status bar refused) leaves it to run at the next call.
    static void RunOnce();
};

} // namespace xlf
