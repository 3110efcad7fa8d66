#pragma once

// XlfAbstractCmdDesc: what function and command descriptors share: the exported symbol
// the host calls (name), the name users see (alias), the help text (comment) and the
// arguments. Register and Unregister take the add-in's path from the gateway and report
// a refusal of the host as one diagnostic line; the subclass builds the host's call.

#include "xlf/XlfArgDesc.h"

#include <string>
#include <vector>

namespace xlf {

class XlfAbstractCmdDesc {
public:
    XlfAbstractCmdDesc(std::string name, std::string alias, std::string comment);
    virtual ~XlfAbstractCmdDesc() = default;
    XlfAbstractCmdDesc(const XlfAbstractCmdDesc&) = delete;
    XlfAbstractCmdDesc& operator=(const XlfAbstractCmdDesc&) = delete;

    // Registers with the host; index is the function's place in registration order (from
    // 1), which is also its topic in the add-in's help file. Raises "Could not get
    // library name" when the host gave no path for the add-in.
    void Register(int index) const;
    void Unregister() const;

    const std::string& GetName() const noexcept { return name_; }
    const std::string& GetAlias() const noexcept { return alias_; }
    const std::string& GetComment() const noexcept { return comment_; }
    const std::vector<XlfArgDesc>& GetArguments() const noexcept { return arguments_; }
    void AddArgument(XlfArgDesc argument) { arguments_.push_back(std::move(argument)); }

protected:
    // The host's result code.
    virtual int DoRegister(const std::string& dllName, const std::string& helpTopic) const = 0;
    virtual int DoUnregister(const std::string& dllName) const = 0;

private:
    std::string name_;
    std::string alias_;
    std::string comment_;
    std::vector<XlfArgDesc> arguments_;
};

// The add-in's own path as the host gave it; raises "Could not get library name" when
// it is empty.
const std::string& LibraryNameOrRaise();

} // namespace xlf
