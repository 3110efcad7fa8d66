#include "standin/Addin.h"

#include <algorithm>
#include <filesystem>
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {

using namespace xlf;

namespace {

// xlfRegister's arguments, by position.
enum RegisterArgument : std::size_t {
    kPath,
    kProcedure,
    kTypeText,
    kWorksheetName,
    kArgumentNames,
    kMacroType,
    kCategory,
    kShortcut,
    kHelpTopic,
    kFunctionHelp,
    kFirstArgumentHelp,
};

constexpr double kCommandMacroType = 2;

} // namespace

std::u16string FoldedName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) {
        // ASCII and the Latin-1 letters (but the division sign).
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
            c = static_cast<char16_t>(c - 0x20);
        }
    }
    return folded;
}

RegistrationTexts RegistrationTexts::Of(const Registration& registration) {
    const std::vector<Value>& args = registration.arguments;
    auto text = [&](std::size_t k) -> std::u16string {
        if (k >= args.size()) {
            return u"";
        }
        const Value& value = args[k];
        if (value.kind == Value::Kind::Str) {
            return value.str;
        }
        if (value.kind == Value::Kind::Missing || value.kind == Value::Kind::Nil) {
            return u"";
        }
        const std::optional<Value> coerced = Host::Instance().Coerce(value, xltypeStr);
        return coerced && coerced->kind == Value::Kind::Str ? coerced->str : u"";
    };
    RegistrationTexts t;
    t.addin = registration.addin;
    t.path = text(kPath);
    t.procedure = text(kProcedure);
    t.typeText = text(kTypeText);
    t.worksheetName = text(kWorksheetName);
    t.argumentNames = text(kArgumentNames);
    t.macroType = kMacroType < args.size() ? args[kMacroType] : Value::Missing();
    t.category = text(kCategory);
    t.shortcut = text(kShortcut);
    t.helpTopic = text(kHelpTopic);
    t.functionHelp = text(kFunctionHelp);
    for (std::size_t k = kFirstArgumentHelp; k < args.size(); ++k) {
        t.argumentHelps.push_back(text(k));
    }
    t.active = registration.active;
    return t;
}

// ---------------------------------------------------------------------------------------
// Add-ins

Addin::Serving::Serving(const std::string& path) : previous(Host::Instance().AddinPath()) {
    Host::Instance().SetAddinPath(path);
}

Addin::Serving::~Serving() {
    Host::Instance().SetAddinPath(previous);
}

Addin::Addin(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        throw AddinError("cannot load add-in " + path + ": " + error.message());
    }
    absolute = absolute.lexically_normal();
    path_ = absolute.string();
#if defined(_WIN32)
    handle_ = LoadLibraryW(absolute.c_str());
    if (handle_ == nullptr) {
        throw AddinError("cannot load add-in " + path + ": error " +
                         std::to_string(GetLastError()));
    }
#else
    dlerror();
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* message = dlerror();
        throw AddinError("cannot load add-in " + path + ": " +
                         (message != nullptr ? message : "unknown error"));
    }
#endif
}

Addin::~Addin() {
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

void* Addin::Entry(const std::string& name) const {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name.c_str()));
#else
    return dlsym(handle_, name.c_str());
#endif
}

std::optional<int> Addin::RunEntry(const char* name) {
    auto entry = reinterpret_cast<int(XLF_PASCAL*)()>(Entry(name));
    if (entry == nullptr) {
        return std::nullopt;
    }
    return Serve([&] { return entry(); });
}

std::optional<int> Addin::AutoOpen() {
    return RunEntry("xlAutoOpen");
}
std::optional<int> Addin::AutoRemove() {
    return RunEntry("xlAutoRemove");
}
std::optional<int> Addin::AutoClose() {
    return RunEntry("xlAutoClose");
}

bool Addin::GenDoc() {
    auto entry = reinterpret_cast<void(XLF_PASCAL*)()>(Entry("xlwGenDoc"));
    if (entry == nullptr) {
        return false;
    }
    Serve([&] { entry(); });
    return true;
}

// ---------------------------------------------------------------------------------------
// Functions

Function::Function(Addin& addin, RegistrationTexts texts)
    : addin_(&addin), texts_(std::move(texts)) {
    const std::string procedure = Utf8(texts_.procedure);
    procedure_ = addin.Entry(procedure);
    autoFree_ = reinterpret_cast<AutoFree>(addin.Entry("xlAutoFree12"));
    if (procedure_ == nullptr) {
        problem_ = "the add-in exports no procedure \"" + procedure + "\"";
        return;
    }
    try {
        signature_ = Signature::Parse(texts_.typeText);
    } catch (const SignatureError& e) {
        problem_ = e.what();
    }
}

std::optional<Value> Function::Call(const std::vector<Value>& arguments) const {
    if (!signature_ || procedure_ == nullptr) {
        return Value::Error(xlerrValue);
    }
    try {
        return addin_->Serve([&] { return Invoke(procedure_, *signature_, arguments, autoFree_); });
    } catch (const SignatureError&) {
        return Value::Error(xlerrValue);
    }
}

// ---------------------------------------------------------------------------------------
// Sessions

Session::~Session() {
    Shutdown();
    while (!addins_.empty()) {
        addins_.pop_back();
    }
}

Addin& Session::Load(const std::string& path) {
    if (addins_.empty()) {
        firstRegistration_ = Host::Instance().Registrations().size();
    }
    addins_.push_back(std::make_unique<Addin>(path));
    return *addins_.back();
}

std::vector<std::string> Session::Open() {
    std::vector<std::string> declined;
    open_ = true;
    for (const auto& addin : addins_) {
        const std::optional<int> result = addin->AutoOpen();
        if (!result) {
            declined.push_back(addin->Path() + " exports no xlAutoOpen");
        } else if (*result == 0) {
            declined.push_back("xlAutoOpen of " + addin->Path() + " returned 0");
        }
    }
    Refresh();
    return declined;
}

void Session::Shutdown() {
    if (!open_) {
        return;
    }
    open_ = false;
    for (auto it = addins_.rbegin(); it != addins_.rend(); ++it) {
        (*it)->AutoRemove();
        (*it)->AutoClose();
    }
    Refresh();
}

std::vector<RegistrationTexts> Session::Registrations() const {
    const std::vector<Registration> all = Host::Instance().Registrations();
    std::vector<RegistrationTexts> mine;
    for (std::size_t k = std::min(firstRegistration_, all.size()); k < all.size(); ++k) {
        const bool ours = std::any_of(addins_.begin(), addins_.end(),
                                      [&](const auto& a) { return a->Path() == all[k].addin; });
        if (ours) {
            mine.push_back(RegistrationTexts::Of(all[k]));
        }
    }
    return mine;
}

void Session::Refresh() {
    functions_.clear();
    for (RegistrationTexts& texts : Registrations()) {
        if (!texts.active || (texts.macroType.kind == Value::Kind::Num &&
                              texts.macroType.num == kCommandMacroType)) {
            continue;
        }
        auto addin = std::find_if(addins_.begin(), addins_.end(),
                                  [&](const auto& a) { return a->Path() == texts.addin; });
        functions_.emplace_back(**addin, std::move(texts));
    }
}

const Function* Session::Find(std::u16string_view name) const {
    const std::u16string folded = FoldedName(name);
    for (auto it = functions_.rbegin(); it != functions_.rend(); ++it) {
        if (FoldedName(it->Texts().worksheetName) == folded) {
            return &*it;
        }
    }
    return nullptr;
}

} // namespace standin
