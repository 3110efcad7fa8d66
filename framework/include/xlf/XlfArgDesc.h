#pragma once

// XlfArgDesc: one argument of a registered function or command: its name, the help text
// the function wizard shows for it, and its type code (a host type letter such as "B", or
// a symbolic code such as "XLF_OPER" that registration turns into the host's letters).

#include <string>

namespace xlf {

class XlfArgDesc {
public:
    // The function wizard shows at most this many characters of a name comfortably.
    static constexpr std::size_t kLongName = 19;

    // A name of kLongName characters or more writes a warning; the name is kept.
    XlfArgDesc(std::string name, std::string description, std::string type);

    const std::string& GetName() const noexcept { return name_; }
    void SetName(std::string name);
    const std::string& GetComment() const noexcept { return comment_; }
    const std::string& GetType() const noexcept { return type_; }

private:
    void CheckNameLength() const;

    std::string name_;
    std::string comment_;
    std::string type_;
};

} // namespace xlf
