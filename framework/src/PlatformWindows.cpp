// The platform layer on Windows: the services of the spreadsheet's own process.
#if defined(_WIN32)

#include "xlf/Platform.h"

#include <new>
#include <vector>
#include <windows.h>

namespace xlf::platform {

namespace {
// English (United States).
constexpr LCID kEnglishUs = 1033;
// GetExitCodeThread's code for a thread that is still running.
constexpr DWORD kStillActive = 259;
} // namespace

bool AllocateTlsIndex(TlsIndex& index) noexcept {
    const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) {
        return false;
    }
    index = static_cast<TlsIndex>(slot);
    return true;
}

void FreeTlsIndex(TlsIndex index) noexcept {
    TlsFree(static_cast<DWORD>(index));
}

void* GetTlsValue(TlsIndex index) noexcept {
    return TlsGetValue(static_cast<DWORD>(index));
}

bool SetTlsValue(TlsIndex index, void* value) noexcept {
    return TlsSetValue(static_cast<DWORD>(index), value) != FALSE;
}

Lock::Lock() : impl_(new CRITICAL_SECTION) {
    InitializeCriticalSection(static_cast<CRITICAL_SECTION*>(impl_));
}

Lock::~Lock() {
    DeleteCriticalSection(static_cast<CRITICAL_SECTION*>(impl_));
    delete static_cast<CRITICAL_SECTION*>(impl_);
}

void Lock::Enter() noexcept {
    EnterCriticalSection(static_cast<CRITICAL_SECTION*>(impl_));
}
void Lock::Leave() noexcept {
    LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(impl_));
}

ThreadId CurrentThreadId() noexcept {
    return static_cast<ThreadId>(GetCurrentThreadId());
}

// The watch holds a handle to the thread from the start: the thread object then outlives
// the thread, its exit code stays readable and its identifier is not given to another
// thread while the watch exists.
ThreadWatch ThreadWatch::OfCurrentThread() {
    ThreadWatch watch;
    watch.id_ = CurrentThreadId();
    HANDLE handle = OpenThread(THREAD_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                               static_cast<DWORD>(watch.id_));
    if (handle != nullptr) {
        watch.handle_ = std::shared_ptr<void>(handle, [](void* h) { CloseHandle(h); });
    }
    return watch;
}

ThreadState ThreadWatch::State() const noexcept {
    if (!handle_) {
        return ThreadState::Unknown;
    }
    DWORD code = 0;
    if (!GetExitCodeThread(static_cast<HANDLE>(handle_.get()), &code)) {
        return ThreadState::Unknown;
    }
    return code == kStillActive ? ThreadState::Running : ThreadState::Ended;
}

namespace {

class Win32Window final : public WindowTexts {
public:
    explicit Win32Window(HWND hwnd) : hwnd_(hwnd) {}
    std::optional<std::u16string> ClassName() const override {
        wchar_t buffer[kMaxWindowText + 1] = {};
        const int n = GetClassNameW(hwnd_, buffer, static_cast<int>(kMaxWindowText + 1));
        if (n <= 0) {
            return std::nullopt;
        }
        return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(n));
    }
    std::optional<std::u16string> Title() const override {
        wchar_t buffer[kMaxWindowText + 1] = {};
        const int n = GetWindowTextW(hwnd_, buffer, static_cast<int>(kMaxWindowText + 1));
        if (n <= 0) {
            return std::nullopt;
        }
        return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(n));
    }

private:
    HWND hwnd_;
};

struct VisitContext {
    const std::function<bool(const WindowTexts&)>* visit;
    bool failed = false;
};

BOOL CALLBACK VisitOne(HWND hwnd, LPARAM lparam) {
    auto* ctx = reinterpret_cast<VisitContext*>(lparam);
    try {
        return (*ctx->visit)(Win32Window(hwnd)) ? TRUE : FALSE;
    } catch (...) {
        // Nothing may unwind through the system's C frames.
        ctx->failed = true;
        return FALSE;
    }
}

} // namespace

void ForEachTopLevelWindow(ThreadId thread, const std::function<bool(const WindowTexts&)>& visit) {
    VisitContext context{&visit};
    EnumThreadWindows(static_cast<DWORD>(thread), &VisitOne, reinterpret_cast<LPARAM>(&context));
    if (context.failed) {
        throw std::bad_alloc();
    }
}

bool EqualsIgnoreCaseEnglishUs(std::u16string_view a, std::u16string_view b) noexcept {
    return CompareStringW(kEnglishUs, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                          static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

ModuleHandle LoadHostLibrary(const char* name) noexcept {
    return LoadLibraryA(name);
}

void* FindMainModuleExport(const char* name) noexcept {
    HMODULE main = GetModuleHandleW(nullptr);
    if (main == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(main, name));
}

std::optional<std::string> ModulePathOf(const void* address) {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(address, &info, sizeof info) == 0 || info.AllocationBase == nullptr) {
        return std::nullopt;
    }
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(static_cast<HMODULE>(info.AllocationBase), buffer, MAX_PATH);
    if (n == 0) {
        return std::nullopt;
    }
    return std::string(buffer, n);
}

bool IsExistingFile(const std::string& path) noexcept {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

char PathSeparator() noexcept {
    return '\\';
}

std::optional<std::string> ReadEnvironmentVariable(const std::string& name) {
    std::vector<char> buffer(4096);
    SetLastError(ERROR_SUCCESS);
    DWORD n =
        GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n > buffer.size()) {
        // The first buffer was too small: n is the size needed, terminator included.
        buffer.assign(n, '\0');
        n = GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n >= buffer.size()) {
            return std::nullopt;
        }
    }
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
        return std::nullopt;
    }
    return std::string(buffer.data(), n);
}

bool WriteEnvironmentVariable(const std::string& name, const std::string& value) noexcept {
    return SetEnvironmentVariableA(name.c_str(), value.c_str()) != FALSE;
}

std::u16string WidenFromActiveCodePage(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string NarrowToActiveCodePage(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide,
                                      static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return {};
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(text.size()),
                        out.data(), n, nullptr, nullptr);
    return out;
}

bool DebuggerPresent() noexcept {
    return IsDebuggerPresent() != FALSE;
}

void OutputToDebugger(const std::string& text) noexcept {
    OutputDebugStringA(text.c_str());
}

} // namespace xlf::platform

#endif
