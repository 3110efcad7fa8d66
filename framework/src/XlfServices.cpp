#include "xlf/XlfServices.h"
#include "xlf/Frame.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfException.h"

namespace xlf {

void CommandOrRaise(int command, const XlfOper& first, const XlfOper& second,
                    const char* operation) {
    const XlfOper a = ReturnToHost(first);
    const XlfOper b = ReturnToHost(second);
    HostOwnedRecord result;
    const int code = XlfExcel::Instance().Call(command, result.get(), a.GetXLOPER(), b.GetXLOPER());
    if (code != xlretSuccess) {
        XLF_RAISE(std::string(operation) + " failed with result code " + std::to_string(code));
    }
}

void SetStatusBar(const std::string& text) {
    CommandOrRaise(xlcMessage, XlfOper(true), XlfOper(text), "Set Status Bar");
}

void ClearStatusBar() {
    CommandOrRaise(xlcMessage, XlfOper(false), XlfOper(std::int32_t{0}), "Clear Status Bar");
}

} // namespace xlf
