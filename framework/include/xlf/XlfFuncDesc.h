#pragma once

// XlfFuncDesc: a worksheet function as the host registers it: the type text built from
// the host's letters for each argument and the result, the argument names, the category
// and help texts, and the identifier the host gave it (-1 while not registered).

#include "xlf/XlfAbstractCmdDesc.h"

#include <cstdint>
#include <memory>
#include <string>

namespace xlf {

// What several descriptors of one add-in may share.
struct XlfFuncDescImpl {
    std::int32_t recalcPolicy = 0; // 1: volatile
    std::string category;
    bool threadSafe = false;
    bool asynchronous = false;
    bool macroSheetEquivalent = false;
    bool clusterSafe = false;
};

class XlfFuncDesc : public XlfAbstractCmdDesc {
public:
    static constexpr std::int32_t kVolatile = 1;
    static constexpr std::int32_t kNotVolatile = 0;
    static constexpr double kNotRegistered = -1.0;
    // The host reads at most this many characters of the argument-name text.
    static constexpr std::size_t kMaxArgumentNamesLength = 255;
    // Argument help texts passed beyond the ten fixed arguments of the registration.
    static constexpr std::int32_t kMaxHelpTexts = 245;
    static constexpr std::int32_t kMaxHelpTextsBefore12 = 20;

    XlfFuncDesc(std::string name, std::string alias, std::string comment, std::string category,
                std::int32_t recalcPolicy, bool threadSafe, std::string returnTypeCode,
                std::string helpTopic, bool asynchronous, bool macroSheetEquivalent,
                bool clusterSafe);

    const std::string& GetHelpTopic() const noexcept { return helpTopic_; }
    const std::string& GetReturnTypeCode() const noexcept { return returnTypeCode_; }
    const XlfFuncDescImpl& GetImpl() const noexcept { return *impl_; }
    double GetRegisteredId() const noexcept { return id_; }

    // The host's letters for a type code of an argument or result; any code that is not
    // symbolic is its own letters.
    static std::string TypeLetters(const std::string& code);

protected:
    int DoRegister(const std::string& dllName, const std::string& helpTopic) const override;
    int DoUnregister(const std::string& dllName) const override;

private:
    std::string helpTopic_;
    std::string returnTypeCode_;
    std::shared_ptr<XlfFuncDescImpl> impl_;
    mutable double id_ = kNotRegistered;
};

} // namespace xlf
