#pragma once

// The frame of every exported worksheet function: it enters the thread's temporary-memory
// scope, answers the function wizard with TRUE without computing, runs the wrapper's body
// (convert the arguments, call the routine, return its result), hands the record to the
// host and turns every exception into a cell value. Nothing escapes it.
//
//     XLF_EXPORT xlf::LPXLOPER12 XLF_PASCAL xlPropSchnider(double Age, double Weight,
//                                                          double Height, double LBM) {
//         return xlf::Frame([&] { return PropSchnider(Age, Weight, Height, LBM); });
//     }
//
// The body returns anything an XlfOper is built from: a number, a vector of numbers (one
// column), a text, a truth value or an XlfOper.

#include "xlf/HostApi.h"
#include "xlf/TempMemory.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfOper.h"

#include <utility>

namespace xlf {

// A record the host owns (xlbitXLFree) is deep-copied into temporary memory and released
// with xlFree, and the copy is returned; any other record is returned unchanged. Big data
// cannot be copied: the host's record is released and "can't copy a big data oper" raised.
XLOPER12* ReturnToHost(XLOPER12* record);
inline XlfOper ReturnToHost(const XlfOper& oper) {
    return XlfOper(ReturnToHost(oper.GetXLOPER()));
}

namespace detail {
// ReturnToHost that maps its own failure to a cell value.
XLOPER12* HandOver(XLOPER12* record) noexcept;
// The cell value for the exception being handled: null for a host interruption, the text
// of a standard exception, a thrown std::string or C string, else #VALUE!.
XLOPER12* ResultForCurrentException() noexcept;
} // namespace detail

template <class Body> XLOPER12* Frame(Body&& body) noexcept {
    try {
        FrameScope scope;
        try {
            if (IsCalledByFunctionWizard()) {
                return detail::HandOver(XlfOper(true).GetXLOPER());
            }
            const XlfOper result(std::forward<Body>(body)());
            return detail::HandOver(result.GetXLOPER());
        } catch (...) {
            return detail::ResultForCurrentException();
        }
    } catch (...) {
        // The scope itself could not be entered.
        return detail::ResultForCurrentException();
    }
}

} // namespace xlf
