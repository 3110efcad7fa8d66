#pragma once

// The stand-in host: plays the spreadsheet for the framework's tests and for the command
// line. It answers the host callback "MdCallBack12" that the host program exports, keeps a
// sheet of cell values, records registrations, shows a status bar, presents top-level
// windows and can be told to misbehave.
//
// One host per process, like the spreadsheet: Host::Instance().

#include "xlf/HostApi.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace standin {

using xlf::XLOPER12;
using xlf::XLREF12;

// A value as the host keeps it: what a value record says, without pointers.
struct Value {
    enum class Kind { Num, Str, Bool, Err, Int, Missing, Nil, Multi, SRef, Ref, BigData };
    Kind kind = Kind::Nil;
    double num = 0;
    std::u16string str;
    bool flag = false;
    std::int32_t code = 0; // error code or integer
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::vector<Value> items; // rows x columns, row by row
    std::vector<XLREF12> areas;
    xlf::IDSHEET sheet = 0;

    static Value Number(double v);
    static Value Text(std::u16string_view v);
    static Value Truth(bool v);
    static Value Error(std::int32_t code);
    static Value Integer(std::int32_t v);
    static Value Missing();
    static Value Nil();
    static Value Array(std::int32_t rows, std::int32_t columns, std::vector<Value> items);
    // A rectangle on the current sheet (zero-based, inclusive).
    static Value Area(std::int32_t firstRow, std::int32_t lastRow, std::int32_t firstColumn,
                      std::int32_t lastColumn);
    // Areas on a given sheet.
    static Value Reference(xlf::IDSHEET sheet, std::vector<XLREF12> areas);

    // Reads a record as the add-in passes it.
    static Value FromRecord(const XLOPER12& record);
    // The text as UTF-8, for messages and comparisons.
    std::string Utf8() const;
    bool operator==(const Value& other) const;
};

struct Registration {
    double id = 0;
    std::vector<Value> arguments; // every argument of xlfRegister, in order
    bool active = true;
    std::string addin; // the add-in path xlGetName answered when the call came
};

struct Window {
    std::u16string className;
    std::optional<std::u16string> title; // nothing: the title cannot be read
    std::uint64_t thread = 0;
};

class Host {
public:
    static Host& Instance();

    // Back to the defaults: version "16.0", an add-in path, no windows, no misbehaviour,
    // nothing recorded. Records the host still owns stay counted.
    void Reset();

    // ---- Configuration.
    void SetVersionText(std::u16string text);
    // The path xlGetName answers: the add-in being served.
    void SetAddinPath(std::string path);
    std::string AddinPath() const;
    // Answers every later call of the function (number without the international flag)
    // with the code, without doing anything.
    void FailWith(int function, int code);
    // Answers every later call of the function with the value (and result code 0),
    // whatever was asked.
    void AnswerWith(int function, Value value);
    // "MdCallBack12" cannot be found in the host program.
    void SetCallbackPresent(bool present);
    // The call library "XLCALL32.DLL" cannot be loaded.
    void SetCallLibraryPresent(bool present);
    void SetDebuggerAttached(bool attached);
    // A top-level window of a thread (by default the calling one).
    void AddWindow(std::u16string className, std::optional<std::u16string> title);
    void AddWindow(std::u16string className, std::optional<std::u16string> title,
                   std::uint64_t thread);
    // A cell of the current sheet (sheet kCurrentSheet).
    void SetCell(std::int32_t row, std::int32_t column, Value value);
    static constexpr xlf::IDSHEET kCurrentSheet = 1;

    // ---- What happened.
    // Every function number as received, flags included.
    std::vector<int> CallLog() const;
    std::vector<Registration> Registrations() const;
    std::vector<std::u16string> NamesSet() const;
    std::vector<double> Unregistered() const;
    std::optional<std::u16string> StatusBar() const;
    // Every status bar change: a text shown, or nothing for a clear.
    std::vector<std::optional<std::u16string>> StatusBarHistory() const;
    std::string DebuggerOutput() const;
    // Records the host handed out and that have not come back through xlFree.
    std::size_t OutstandingRecords() const;
    // xlFree calls for storage the host never handed out (or handed back twice).
    std::size_t ForeignFrees() const;

    // ---- The C API.
    int Callback(int function, int count, XLOPER12** args, XLOPER12* result);
    bool CallbackPresent() const;
    bool CallLibraryPresent() const;
    bool DebuggerAttached() const;
    void DebugOutput(const char* text);
    std::vector<Window> WindowsOf(std::uint64_t thread) const;

    static std::uint64_t CurrentThread();

    // Converts a value as xlCoerce does to one of the wanted types (a bit set of type
    // codes); references read the current sheet. An error value stays the error it is;
    // a value that cannot be converted gives #VALUE!.
    std::optional<Value> Coerce(const Value& value, std::int32_t wanted) const;

private:
    Host();
    struct Storage;

    int Dispatch(int function, int count, XLOPER12** args, XLOPER12* result);
    // Fills a result record with a value, keeping the storage it needs until xlFree.
    void Answer(const Value& value, XLOPER12* result);
    void Release(const XLOPER12& record);
    Value CellValue(xlf::IDSHEET sheet, std::int32_t row, std::int32_t column) const;
    Value Dereferenced(const Value& reference, bool wantsArray) const;

    mutable std::recursive_mutex mutex_;
    std::u16string versionText_;
    std::string addinPath_;
    std::map<int, int> failures_;
    std::map<int, Value> cannedAnswers_;
    bool callbackPresent_ = true;
    bool callLibraryPresent_ = true;
    bool debuggerAttached_ = false;
    std::vector<Window> windows_;
    std::map<std::pair<std::int32_t, std::int32_t>, Value> cells_;

    std::vector<int> callLog_;
    std::vector<Registration> registrations_;
    double nextRegistrationId_ = 1;
    std::vector<std::u16string> namesSet_;
    std::vector<double> unregistered_;
    std::optional<std::u16string> statusBar_;
    std::vector<std::optional<std::u16string>> statusBarHistory_;
    std::string debuggerOutput_;
    std::map<const void*, std::unique_ptr<Storage>> owned_;
    std::size_t foreignFrees_ = 0;
};

// Collects what the framework writes to its diagnostic stream (standard error) while it
// exists.
class DiagnosticCapture {
public:
    DiagnosticCapture();
    ~DiagnosticCapture();
    DiagnosticCapture(const DiagnosticCapture&) = delete;
    DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

    std::string Text() const;
    std::vector<std::string> Lines() const;
    // The lines that contain the text.
    std::size_t Count(const std::string& text) const;

private:
    std::stringbuf buffer_;
    std::streambuf* previous_;
};

std::string Utf8(std::u16string_view text);
std::u16string Utf16(std::string_view text);

} // namespace standin
