#include "xlf/XlfExcel.h"
#include "xlf/Diagnostics.h"
#include "xlf/PascalStringConversions.h"
#include "xlf/XlfException.h"

#include <atomic>
#include <memory>

namespace xlf {

namespace {

XlfExcel* theInstance = nullptr;
std::atomic<bool> internationalCalls{false};

// The version a host is taken to have when it does not say.
constexpr std::int32_t kDefaultVersion = 10;
// xlfGetWorkspace's question for the version text.
constexpr std::int32_t kWorkspaceVersion = 2;

constexpr std::u16string_view kWizardClass = u"bosa_sdm_XL";

bool HoldsHostStorage(const XLOPER12& record) noexcept {
    switch (record.xltype & xltypeMask) {
    case xltypeStr:
    case xltypeMulti:
    case xltypeBigData:
        return true;
    case xltypeRef:
        return record.val.mref.lpmref != nullptr;
    default:
        return false;
    }
}

// The decimal number at the start of a text; nothing when it starts otherwise.
std::optional<std::int32_t> LeadingNumber(std::u16string_view text) {
    std::int64_t value = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && value < 1000000) {
        value = value * 10 + (text[i] - u'0');
        ++i;
    }
    if (i == 0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

XlfExcel& XlfExcel::Instance() {
    if (theInstance == nullptr) {
        // The gateway is in place while it initialises, so that host records it reads
        // are handed back through it; a failed initialisation leaves no gateway.
        std::unique_ptr<XlfExcel> gateway(new XlfExcel);
        theInstance = gateway.get();
        try {
            gateway->Initialise();
        } catch (...) {
            theInstance = nullptr;
            throw;
        }
        gateway.release();
    }
    return *theInstance;
}

void XlfExcel::DeleteInstance() noexcept {
    delete theInstance;
    theInstance = nullptr;
}

bool XlfExcel::HasInstance() noexcept {
    return theInstance != nullptr;
}

void XlfExcel::SetInternationalCalls(bool on) noexcept {
    internationalCalls.store(on);
}

void XlfExcel::Initialise() {
    // The callback is bound once, before the first call, and kept for all later calls.
    callback_ = reinterpret_cast<HostCallback>(platform::FindMainModuleExport(kHostCallbackName));

    library_ = platform::LoadHostLibrary(kHostCallLibraryName);
    if (library_ == nullptr) {
        XLF_RAISE("Could not load library XLCALL32.DLL");
    }

    {
        HostOwnedRecord workspace;
        XLOPER12 which{};
        which.xltype = xltypeInt;
        which.val.w = kWorkspaceVersion;
        const int asked = Call(xlfGetWorkspace, workspace.get(), &which);
        version_ = kDefaultVersion;
        // A refused query leaves nothing to read: the host would turn the empty record into
        // the integer 0, which is no version.
        if (asked == xlretSuccess) {
            HostOwnedRecord coerced;
            XLOPER12 wanted{};
            wanted.xltype = xltypeInt;
            wanted.val.w = static_cast<std::int32_t>(xltypeInt);
            const int converted = Call(xlCoerce, coerced.get(), workspace.get(), &wanted);
            if (converted == xlretSuccess && (coerced->xltype & xltypeMask) == xltypeInt) {
                version_ = coerced->val.w;
            } else if ((workspace->xltype & xltypeMask) == xltypeStr) {
                version_ =
                    LeadingNumber(CountedWideView(workspace->val.str)).value_or(kDefaultVersion);
            }
        }
    }

    letters_ = {"Q", "U", "C%", "K%"};

    {
        HostOwnedRecord name;
        const int code = Call(xlGetName, name.get());
        if (code != xlretSuccess || (name->xltype & xltypeMask) != xltypeStr) {
            XLF_DIAGNOSTIC_AT_HERE("Could not get DLL name");
        } else {
            addinPath_ = platform::NarrowToActiveCodePage(CountedWideView(name->val.str));
        }
    }

    FindHelpFile();
    mainThread_ = platform::CurrentThreadId();
}

// A compiled help file named like the add-in, beside it or one folder up.
void XlfExcel::FindHelpFile() {
    const std::string& path = addinPath_;
    if (path.size() < 5 || path[path.size() - 4] != '.') {
        return;
    }
    const std::string candidate = path.substr(0, path.size() - 3) + "chm";
    if (platform::IsExistingFile(candidate)) {
        helpFilePath_ = candidate;
        return;
    }
    const std::size_t separator = candidate.find_last_of("\\/");
    if (separator == std::string::npos) {
        return;
    }
    std::string oneUp = candidate.substr(0, separator);
    oneUp += platform::PathSeparator();
    oneUp += "..";
    oneUp += candidate.substr(separator);
    if (platform::IsExistingFile(oneUp)) {
        helpFilePath_ = oneUp;
    }
}

int XlfExcel::Callv(int xlfn, XLOPER12* result, int count, XLOPER12* const* args) const noexcept {
    if (count < 0 || count > kMaxHostCallArguments) {
        return xlretInvCount;
    }
    if (callback_ == nullptr) {
        return xlretFailed;
    }
    if (result != nullptr) {
        bool isArgument = false;
        for (int i = 0; i < count; ++i) {
            isArgument = isArgument || args[i] == result;
        }
        // A result the host leaves alone must not be read as stale data.
        if (!isArgument) {
            *result = XLOPER12{};
            result->xltype = xltypeNil;
        }
    }
    const int number = internationalCalls.load() ? (xlfn | xlIntl) : xlfn;
    const int code = callback_(number, count, const_cast<LPXLOPER12*>(args), result);
    if (result != nullptr && HoldsHostStorage(*result)) {
        result->xltype |= xlbitXLFree;
    }
    return code;
}

void XlfExcel::Free(XLOPER12& record) const noexcept {
    if ((record.xltype & xlbitXLFree) == 0) {
        return;
    }
    record.xltype &= ~xlbitXLFree;
    XLOPER12* array[] = {&record};
    Callv(xlFree, nullptr, 1, array);
}

void FreeIfHostOwned(XLOPER12& record) noexcept {
    if ((record.xltype & xlbitXLFree) != 0 && theInstance != nullptr) {
        theInstance->Free(record);
    }
}

bool XlfExcel::IsCalledByFunctionWizard() const {
    bool wizard = false;
    platform::ForEachTopLevelWindow(mainThread_, [&](const platform::WindowTexts& window) {
        const std::optional<std::u16string> className = window.ClassName();
        if (!className) {
            return true;
        }
        std::u16string_view head = *className;
        if (head.size() > kWizardClass.size()) {
            head = head.substr(0, kWizardClass.size());
        }
        if (!platform::EqualsIgnoreCaseEnglishUs(head, kWizardClass)) {
            return true;
        }
        const std::optional<std::u16string> title = window.Title();
        if (!title || title->empty()) {
            return true;
        }
        if (title->find(u"Replace") == std::u16string::npos &&
            title->find(u"Paste") == std::u16string::npos) {
            wizard = true;
        }
        return false;
    });
    return wizard;
}

bool IsCalledByFunctionWizard() {
    return XlfExcel::Instance().IsCalledByFunctionWizard();
}

} // namespace xlf
