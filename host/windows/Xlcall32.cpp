// The host's call library as the stand-in host plays it on Windows: the framework loads
// "XLCALL32.DLL" by name when it starts. Its one entry hands a call to the host's
// callback, "MdCallBack12" in the process's main module, as an add-in that links the call
// library would make it: Excel12v(function, result, count, arguments).

#include "xlf/HostApi.h"

#include <windows.h>

using namespace xlf;

XLF_EXPORT int XLF_PASCAL Excel12v(int xlfn, LPXLOPER12 result, int count, LPXLOPER12* args) {
    const auto callback = reinterpret_cast<HostCallback>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), kHostCallbackName)));
    if (callback == nullptr) {
        return xlretFailed;
    }
    return callback(xlfn, count, args, result);
}
