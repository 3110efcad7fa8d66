// The platform layer on POSIX. The host program stands in for the spreadsheet's process:
// its exported entries (PosixHostServices.h) give the call library, the windows and the
// debugger output; everything else is the operating system's.
#if !defined(_WIN32)

#include "xlf/Platform.h"
#include "xlf/PosixHostServices.h"

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <new>
#include <pthread.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__EMSCRIPTEN__)
// A WebAssembly module has no symbol table to search: the host is linked into the same
// module, and its entries are weak references, null when the module holds no host.
extern "C" {
__attribute__((weak)) void* XlfHostLoadLibrary(const char* name);
__attribute__((weak)) void* XlfHostFindMainExport(const char* name);
__attribute__((weak)) void XlfHostEnumThreadWindows(std::uint64_t thread,
                                                    XlfHostWindowVisitor visit, void* context);
__attribute__((weak)) int XlfHostDebuggerPresent();
__attribute__((weak)) void XlfHostDebugOutput(const char* text);
}
#endif

namespace xlf::platform {

namespace {

#if defined(__EMSCRIPTEN__)
// The host's entries, linked into the module (see above).
template <class Fn> Fn HostEntry(const char* name) noexcept {
    const std::string_view entry(name);
    if (entry == kHostLoadLibraryEntry)
        return reinterpret_cast<Fn>(&XlfHostLoadLibrary);
    if (entry == kHostFindMainExportEntry)
        return reinterpret_cast<Fn>(&XlfHostFindMainExport);
    if (entry == kHostEnumThreadWindowsEntry)
        return reinterpret_cast<Fn>(&XlfHostEnumThreadWindows);
    if (entry == kHostDebuggerPresentEntry)
        return reinterpret_cast<Fn>(&XlfHostDebuggerPresent);
    if (entry == kHostDebugOutputEntry)
        return reinterpret_cast<Fn>(&XlfHostDebugOutput);
    return nullptr;
}
#else
template <class Fn> Fn HostEntry(const char* name) noexcept {
    return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
}
#endif

// Set when the thread that owns it ends: the thread-local holder's destructor runs at
// thread exit.
struct AliveFlag {
    std::atomic<bool> ended{false};
};

struct AliveHolder {
    std::shared_ptr<AliveFlag> flag = std::make_shared<AliveFlag>();
    ~AliveHolder() { flag->ended.store(true, std::memory_order_release); }
};

} // namespace

bool AllocateTlsIndex(TlsIndex& index) noexcept {
    pthread_key_t key;
    if (pthread_key_create(&key, nullptr) != 0) {
        return false;
    }
    index = static_cast<TlsIndex>(key);
    return true;
}

void FreeTlsIndex(TlsIndex index) noexcept {
    pthread_key_delete(static_cast<pthread_key_t>(index));
}

void* GetTlsValue(TlsIndex index) noexcept {
    return pthread_getspecific(static_cast<pthread_key_t>(index));
}

bool SetTlsValue(TlsIndex index, void* value) noexcept {
    return pthread_setspecific(static_cast<pthread_key_t>(index), value) == 0;
}

Lock::Lock() : impl_(new std::mutex) {}
Lock::~Lock() {
    delete static_cast<std::mutex*>(impl_);
}
void Lock::Enter() noexcept {
    static_cast<std::mutex*>(impl_)->lock();
}
void Lock::Leave() noexcept {
    static_cast<std::mutex*>(impl_)->unlock();
}

ThreadId CurrentThreadId() noexcept {
#if defined(__linux__)
    return static_cast<ThreadId>(gettid());
#else
    return static_cast<ThreadId>(reinterpret_cast<std::uintptr_t>(pthread_self()));
#endif
}

ThreadWatch ThreadWatch::OfCurrentThread() {
    thread_local AliveHolder holder;
    ThreadWatch watch;
    watch.id_ = CurrentThreadId();
    watch.handle_ = holder.flag;
    return watch;
}

ThreadState ThreadWatch::State() const noexcept {
    if (!handle_) {
        return ThreadState::Unknown;
    }
    return static_cast<const AliveFlag*>(handle_.get())->ended.load(std::memory_order_acquire)
               ? ThreadState::Ended
               : ThreadState::Running;
}

namespace {

class HostWindow final : public WindowTexts {
public:
    HostWindow(const char16_t* cls, int clsLength, const char16_t* title, int titleLength)
        : cls_(cls), clsLength_(clsLength), title_(title), titleLength_(titleLength) {}
    std::optional<std::u16string> ClassName() const override { return Read(cls_, clsLength_); }
    std::optional<std::u16string> Title() const override { return Read(title_, titleLength_); }

private:
    static std::optional<std::u16string> Read(const char16_t* text, int length) {
        if (text == nullptr || length < 0) {
            return std::nullopt;
        }
        return std::u16string(text, std::min<std::size_t>(length, kMaxWindowText));
    }
    const char16_t* cls_;
    int clsLength_;
    const char16_t* title_;
    int titleLength_;
};

struct VisitContext {
    const std::function<bool(const WindowTexts&)>* visit;
    bool failed = false;
};

int VisitOne(const char16_t* cls, int clsLength, const char16_t* title, int titleLength,
             void* context) {
    auto* ctx = static_cast<VisitContext*>(context);
    try {
        return (*ctx->visit)(HostWindow(cls, clsLength, title, titleLength)) ? 1 : 0;
    } catch (...) {
        // Nothing may unwind through the host's C frames.
        ctx->failed = true;
        return 0;
    }
}

// The host's window enumeration, asked at every worksheet call (the function-wizard test):
// looked up in the global symbols until found, then kept, since a symbol of the running
// host program stays where it is. A search of every loaded module's symbol table costs
// more than the rest of a small call.
XlfHostEnumThreadWindowsFn WindowEnumeration() noexcept {
    static std::atomic<XlfHostEnumThreadWindowsFn> found{nullptr};
    XlfHostEnumThreadWindowsFn entry = found.load(std::memory_order_acquire);
    if (entry == nullptr) {
        entry = HostEntry<XlfHostEnumThreadWindowsFn>(kHostEnumThreadWindowsEntry);
        found.store(entry, std::memory_order_release);
    }
    return entry;
}

} // namespace

void ForEachTopLevelWindow(ThreadId thread, const std::function<bool(const WindowTexts&)>& visit) {
    auto enumerate = WindowEnumeration();
    if (enumerate == nullptr) {
        return;
    }
    VisitContext context{&visit};
    enumerate(thread, &VisitOne, &context);
    if (context.failed) {
        throw std::bad_alloc();
    }
}

bool EqualsIgnoreCaseEnglishUs(std::u16string_view a, std::u16string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    auto fold = [](char16_t c) -> char16_t {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

ModuleHandle LoadHostLibrary(const char* name) noexcept {
    auto load = HostEntry<XlfHostLoadLibraryFn>(kHostLoadLibraryEntry);
    return load != nullptr ? load(name) : nullptr;
}

void* FindMainModuleExport(const char* name) noexcept {
    if (auto find = HostEntry<XlfHostFindMainExportFn>(kHostFindMainExportEntry)) {
        return find(name);
    }
#if defined(__EMSCRIPTEN__)
    return nullptr;
#else
    return ProgramExport(name);
#endif
}

std::optional<std::string> ModulePathOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) {
        return std::nullopt;
    }
    return std::string(info.dli_fname);
}

bool IsExistingFile(const std::string& path) noexcept {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

char PathSeparator() noexcept {
    return '/';
}

std::optional<std::string> ReadEnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

bool WriteEnvironmentVariable(const std::string& name, const std::string& value) noexcept {
    return setenv(name.c_str(), value.c_str(), 1) == 0;
}

// The active code page on POSIX is UTF-8.
std::u16string WidenFromActiveCodePage(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        unsigned char c = s[i];
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else {
            // Lead byte: 2, 3 or 4 byte sequences; anything else is malformed.
            const int extra = (c >= 0xC2 && c <= 0xDF)   ? 1
                              : (c >= 0xE0 && c <= 0xEF) ? 2
                              : (c >= 0xF0 && c <= 0xF4) ? 3
                                                         : 0;
            char32_t v = c & (0x3F >> extra);
            bool ok = extra > 0 && i + static_cast<std::size_t>(extra) < n;
            for (int k = 1; ok && k <= extra; ++k) {
                ok = (s[i + k] & 0xC0) == 0x80;
                v = (v << 6) | (s[i + k] & 0x3F);
            }
            static constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
            if (ok && v >= kShortest[extra] && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                cp = v;
                len = static_cast<std::size_t>(extra) + 1;
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string NarrowToActiveCodePage(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            out.push_back('?'); // an unpaired surrogate has no equivalent
            continue;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool DebuggerPresent() noexcept {
    auto present = HostEntry<XlfHostDebuggerPresentFn>(kHostDebuggerPresentEntry);
    return present != nullptr && present() != 0;
}

void OutputToDebugger(const std::string& text) noexcept {
    if (auto output = HostEntry<XlfHostDebugOutputFn>(kHostDebugOutputEntry)) {
        output(text.c_str());
    }
}

} // namespace xlf::platform

#endif
