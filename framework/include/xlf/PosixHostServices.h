#pragma once

// What a host program offers the framework on POSIX, where no operating-system service
// stands for the spreadsheet's call library, its windows or a debugger's output window.
// The host program exports these C entries beside "MdCallBack12"; the framework looks
// each one up in the process's global symbols and does without when it is absent.

#include <cstdint>
#if !defined(__EMSCRIPTEN__)
#include <dlfcn.h>
#endif

extern "C" {

// Visits one window; title is null when it cannot be read. Returns 0 to stop.
using XlfHostWindowVisitor = int (*)(const char16_t* className, int classLength,
                                     const char16_t* title, int titleLength, void* context);

// "XlfHostLoadLibrary": loads one of the host's own libraries by name; null when absent.
using XlfHostLoadLibraryFn = void* (*)(const char* name);
// "XlfHostFindMainExport": an entry of the host program; null when it has none.
using XlfHostFindMainExportFn = void* (*)(const char* name);
// "XlfHostEnumThreadWindows": the top-level windows of one thread, in order.
using XlfHostEnumThreadWindowsFn = void (*)(std::uint64_t thread, XlfHostWindowVisitor visit,
                                            void* context);
// "XlfHostDebuggerPresent": non-zero while a debugger is attached.
using XlfHostDebuggerPresentFn = int (*)();
// "XlfHostDebugOutput": the debugger's output window.
using XlfHostDebugOutputFn = void (*)(const char* text);
}

// Threads are named by the kernel's thread identifier (gettid on Linux).

namespace xlf::platform {
inline constexpr const char* kHostLoadLibraryEntry = "XlfHostLoadLibrary";
inline constexpr const char* kHostFindMainExportEntry = "XlfHostFindMainExport";
inline constexpr const char* kHostEnumThreadWindowsEntry = "XlfHostEnumThreadWindows";
inline constexpr const char* kHostDebuggerPresentEntry = "XlfHostDebuggerPresent";
inline constexpr const char* kHostDebugOutputEntry = "XlfHostDebugOutput";

#if !defined(__EMSCRIPTEN__)
// An entry exported by the program the process runs (not by a library it loaded), or null.
inline void* ProgramExport(const char* name) noexcept {
    void* self = dlopen(nullptr, RTLD_LAZY);
    if (self == nullptr) {
        return nullptr;
    }
    void* entry = dlsym(self, name);
    dlclose(self);
    return entry;
}
#endif
} // namespace xlf::platform
