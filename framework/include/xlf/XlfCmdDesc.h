#pragma once

// XlfCmdDesc: a command (a macro without result) that the host shows in a menu of the
// worksheet menu bar. Neither add-in declares one; registering one without a menu is
// refused.

#include "xlf/XlfAbstractCmdDesc.h"

#include <string>

namespace xlf {

class XlfCmdDesc : public XlfAbstractCmdDesc {
public:
    static constexpr double kNotRegistered = -1.0;

    XlfCmdDesc(std::string name, std::string alias, std::string comment, std::string menu,
               std::string text, bool hidden);

    // Puts the command into its menu, and takes it out again; a refusal of the host is a
    // diagnostic line only.
    void AddToMenuBar() const;
    void RemoveFromMenuBar() const;

    const std::string& GetMenu() const noexcept { return menu_; }
    const std::string& GetText() const noexcept { return text_; }
    bool IsHidden() const noexcept { return hidden_; }
    double GetRegisteredId() const noexcept { return id_; }

protected:
    int DoRegister(const std::string& dllName, const std::string& helpTopic) const override;
    int DoUnregister(const std::string& dllName) const override;

private:
    std::string menu_;
    std::string text_;
    bool hidden_;
    mutable double id_ = kNotRegistered;
};

} // namespace xlf
