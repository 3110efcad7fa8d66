#include "xlf/XlfArgDesc.h"
#include "xlf/Diagnostics.h"

namespace xlf {

XlfArgDesc::XlfArgDesc(std::string name, std::string description, std::string type)
    : name_(std::move(name)), comment_(std::move(description)), type_(std::move(type)) {
    CheckNameLength();
}

void XlfArgDesc::SetName(std::string name) {
    name_ = std::move(name);
    CheckNameLength();
}

void XlfArgDesc::CheckNameLength() const {
    if (name_.size() >= kLongName) {
        WriteDiagnosticLine("Argument name \"" + name_ +
                            "\" may be too long to fit the in the function wizard");
    }
}

} // namespace xlf
