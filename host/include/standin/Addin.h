#pragma once

// Add-ins in the stand-in host: loading a shared library, driving its entries
// (xlAutoOpen, xlAutoRemove, xlAutoClose, xlwGenDoc) with xlGetName answering its path,
// and calling the worksheet functions it registered. Several add-ins may be loaded at
// once, each with its own symbols (RTLD_LOCAL).

#include "standin/Call.h"
#include "standin/Host.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace standin {

class AddinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The texts of one xlfRegister call, in the order of its arguments.
struct RegistrationTexts {
    std::string addin; // the add-in being served when the call came
    std::u16string path;
    std::u16string procedure;
    std::u16string typeText;
    std::u16string worksheetName;
    std::u16string argumentNames;
    Value macroType; // the number 1 for a function
    std::u16string category;
    std::u16string shortcut;
    std::u16string helpTopic;
    std::u16string functionHelp;
    std::vector<std::u16string> argumentHelps;
    bool active = true; // not unregistered since

    // A text argument as the host reads it: a value that is not a text is coerced to
    // one; an omitted argument is empty.
    static RegistrationTexts Of(const Registration& registration);
};

class Addin {
public:
    // Loads the library (a name without a folder is taken from the current folder).
    // Throws AddinError with the loader's message.
    explicit Addin(const std::string& path);
    ~Addin();
    Addin(const Addin&) = delete;
    Addin& operator=(const Addin&) = delete;

    // The absolute path, which xlGetName answers while the add-in is served.
    const std::string& Path() const { return path_; }
    // An exported entry, or null.
    void* Entry(const std::string& name) const;

    // The entry's result; no value when the add-in does not export it.
    std::optional<int> AutoOpen();
    std::optional<int> AutoRemove();
    std::optional<int> AutoClose();
    bool GenDoc();

    // Runs a call with xlGetName answering this add-in's path.
    template <class F> auto Serve(F&& f) {
        Serving guard(path_);
        return f();
    }

private:
    struct Serving {
        explicit Serving(const std::string& path);
        ~Serving();
        std::string previous;
    };
    std::optional<int> RunEntry(const char* name);

    std::string path_;
    void* handle_ = nullptr;
};

// A worksheet function as registered, ready to be called.
class Function {
public:
    Function(Addin& addin, RegistrationTexts texts);

    const RegistrationTexts& Texts() const { return texts_; }
    // Why the function cannot be called (an unknown procedure, a type text the stand-in
    // does not serve); empty when it can.
    const std::string& Problem() const { return problem_; }

    // Calls it as the spreadsheet does (see Invoke); a function with a problem gives
    // #VALUE!. No value: a null result.
    std::optional<Value> Call(const std::vector<Value>& arguments) const;

private:
    Addin* addin_;
    RegistrationTexts texts_;
    void* procedure_ = nullptr;
    std::optional<Signature> signature_;
    AutoFree autoFree_ = nullptr;
    std::string problem_;
};

// The add-ins of one spreadsheet session and the functions they registered.
class Session {
public:
    Session() = default;
    // Closes what is still open (as Shutdown) and unloads in reverse order.
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads one more add-in; throws AddinError.
    Addin& Load(const std::string& path);
    const std::vector<std::unique_ptr<Addin>>& Addins() const { return addins_; }

    // xlAutoOpen of every add-in in load order. Returns one line per add-in that
    // declined (returned 0) or exports no xlAutoOpen.
    std::vector<std::string> Open();
    // xlAutoRemove then xlAutoClose of every open add-in, in reverse load order.
    void Shutdown();

    // Every xlfRegister call the add-ins made, in call order.
    std::vector<RegistrationTexts> Registrations() const;
    // The functions registered and not unregistered, in registration order.
    const std::vector<Function>& Functions() const { return functions_; }
    // The function registered under a worksheet name, compared without regard to case
    // as the spreadsheet does; a later registration of a name wins. Null: no such name.
    const Function* Find(std::u16string_view name) const;

private:
    void Refresh();

    std::vector<std::unique_ptr<Addin>> addins_;
    std::vector<Function> functions_;
    std::size_t firstRegistration_ = 0; // the host's registrations before this session's
    bool open_ = false;
};

// The worksheet name as the spreadsheet compares it (case folded).
std::u16string FoldedName(std::u16string_view name);

} // namespace standin
