#pragma once

// The operating-system services the framework uses, behind one interface with a Windows
// and a POSIX implementation. On POSIX the host program plays the parts that only the
// spreadsheet's own process has on Windows (its call library, its top-level windows, the
// debugger's output window): the framework finds them as symbols exported by the host
// program, the same way it finds the host callback.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace xlf::platform {

// ---- Thread-local storage: one slot per index, holding a pointer per thread.
using TlsIndex = std::uintptr_t;
// Returns false when the platform has no index left.
bool AllocateTlsIndex(TlsIndex& index) noexcept;
void FreeTlsIndex(TlsIndex index) noexcept;
void* GetTlsValue(TlsIndex index) noexcept;
bool SetTlsValue(TlsIndex index, void* value) noexcept;

// ---- A lock (a critical section on Windows).
class Lock {
public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    void Enter() noexcept;
    void Leave() noexcept;

private:
    void* impl_;
};

class LockGuard {
public:
    explicit LockGuard(Lock& lock) noexcept : lock_(lock) { lock_.Enter(); }
    ~LockGuard() { lock_.Leave(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    Lock& lock_;
};

// ---- Thread identity and exit state.
using ThreadId = std::uint64_t;
ThreadId CurrentThreadId() noexcept;

enum class ThreadState { Running, Ended, Unknown };

// Watches one thread so that its exit can be told later, also after its identifier has
// been given to a new thread. Copies watch the same thread.
class ThreadWatch {
public:
    // A watch on the calling thread.
    static ThreadWatch OfCurrentThread();
    ThreadId Id() const noexcept { return id_; }
    // Unknown when the thread could not be opened or queried.
    ThreadState State() const noexcept;

private:
    ThreadId id_ = 0;
    std::shared_ptr<void> handle_;
};

// ---- Top-level windows of a thread.
class WindowTexts {
public:
    virtual ~WindowTexts() = default;
    // Up to 256 characters; nothing when the text cannot be read.
    virtual std::optional<std::u16string> ClassName() const = 0;
    virtual std::optional<std::u16string> Title() const = 0;
};
// Calls visit for each top-level window of the thread, in the platform's order, until
// visit returns false.
void ForEachTopLevelWindow(ThreadId thread, const std::function<bool(const WindowTexts&)>& visit);
inline constexpr std::size_t kMaxWindowText = 256;

// Case-insensitive comparison under the English (United States) locale.
bool EqualsIgnoreCaseEnglishUs(std::u16string_view a, std::u16string_view b) noexcept;

// ---- Modules and files.
using ModuleHandle = void*;
// Loads a library of the host by name; null on failure. Never unloaded.
ModuleHandle LoadHostLibrary(const char* name) noexcept;
// An entry exported by the host process's main module; null when there is none.
void* FindMainModuleExport(const char* name) noexcept;
// The full file path of the module (executable or shared library) holding the address;
// nothing when the address cannot be attributed to a module.
std::optional<std::string> ModulePathOf(const void* address);
// True when the path names an existing file that is not a directory.
bool IsExistingFile(const std::string& path) noexcept;
// The separator between folders of a path.
char PathSeparator() noexcept;

// ---- Environment.
// The process's search path for libraries: the variable read, the one written (the same
// variable on both platforms) and the separator between its folders.
#if defined(_WIN32)
inline constexpr const char* kSearchPathReadName = "PATH";
inline constexpr const char* kSearchPathWriteName = "Path";
inline constexpr char kSearchPathListSeparator = ';';
#else
inline constexpr const char* kSearchPathReadName = "PATH";
inline constexpr const char* kSearchPathWriteName = "PATH";
inline constexpr char kSearchPathListSeparator = ':';
#endif
std::optional<std::string> ReadEnvironmentVariable(const std::string& name);
bool WriteEnvironmentVariable(const std::string& name, const std::string& value) noexcept;

// ---- Code-page conversion: the active code page (UTF-8 on POSIX) to and from UTF-16.
// Narrowing substitutes the default character for what has no exact equivalent; it
// never picks a look-alike.
std::u16string WidenFromActiveCodePage(std::string_view text);
std::string NarrowToActiveCodePage(std::u16string_view text);

// ---- Debugger output.
bool DebuggerPresent() noexcept;
void OutputToDebugger(const std::string& text) noexcept;

} // namespace xlf::platform
