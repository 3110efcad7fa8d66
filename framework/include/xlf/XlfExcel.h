#pragma once

// XlfExcel: the one gateway from the add-in into the host. It binds the host callback,
// learns the host version, the add-in's own path and its help file, keeps the host's type
// letters and records the host's main thread.

#include "xlf/HostApi.h"
#include "xlf/Platform.h"

#include <array>
#include <span>
#include <string>

namespace xlf {

class XlfExcel {
public:
    // The gateway, created and initialised at the first use.
    static XlfExcel& Instance();
    // Destroys the gateway (close); the next Instance builds a new one.
    static void DeleteInstance() noexcept;
    static bool HasInstance() noexcept;

    // Sets the host's international flag on the function number of every later call.
    static void SetInternationalCalls(bool on) noexcept;

    // Calls a host function. More than 255 arguments, or a host without callback, answer
    // xlretInvCount or xlretFailed without calling. A result that holds host storage
    // comes back marked with xlbitXLFree.
    int Callv(int xlfn, XLOPER12* result, int count, XLOPER12* const* args) const noexcept;
    int Call(int xlfn, XLOPER12* result, std::span<XLOPER12* const> args) const noexcept {
        return Callv(xlfn, result, static_cast<int>(args.size()), args.data());
    }
    template <class... Args> int Call(int xlfn, XLOPER12* result, Args*... args) const noexcept {
        static_assert(sizeof...(Args) <= 10, "Call takes up to ten arguments; use Callv");
        XLOPER12* array[sizeof...(Args) + 1] = {args..., nullptr};
        return Callv(xlfn, result, static_cast<int>(sizeof...(Args)), array);
    }

    // Clears xlbitXLFree and hands the record's storage back to the host; nothing for a
    // record the host does not own.
    void Free(XLOPER12& record) const noexcept;

    std::int32_t Version() const noexcept { return version_; }
    const std::string& AddinPath() const noexcept { return addinPath_; }
    const std::string& HelpFilePath() const noexcept { return helpFilePath_; }
    platform::ThreadId MainThread() const noexcept { return mainThread_; }
    // The host's letters for "XLF_OPER", "XLF_XLOPER", "XLW_WSTR" and "XLW_FP".
    const std::string& XlfOperType() const noexcept { return letters_[0]; }
    const std::string& XlfXloperType() const noexcept { return letters_[1]; }
    const std::string& WStrType() const noexcept { return letters_[2]; }
    const std::string& FpArrayType() const noexcept { return letters_[3]; }

    // True while the host's function-wizard dialog asks for a preview value.
    bool IsCalledByFunctionWizard() const;

    XlfExcel(const XlfExcel&) = delete;
    XlfExcel& operator=(const XlfExcel&) = delete;

private:
    XlfExcel() = default;
    void Initialise();
    void FindHelpFile();

    platform::ModuleHandle library_ = nullptr;
    HostCallback callback_ = nullptr;
    std::int32_t version_ = 0;
    std::array<std::string, 4> letters_;
    std::string addinPath_;
    std::string helpFilePath_;
    platform::ThreadId mainThread_ = 0;
};

// Releases a host-owned record (xlbitXLFree) through the gateway; never throws.
void FreeIfHostOwned(XLOPER12& record) noexcept;

// Owns a record the host may fill with its own storage: releases it when destroyed.
class HostOwnedRecord {
public:
    HostOwnedRecord() noexcept : record_{} { record_.xltype = xltypeNil; }
    ~HostOwnedRecord() { FreeIfHostOwned(record_); }
    HostOwnedRecord(const HostOwnedRecord&) = delete;
    HostOwnedRecord& operator=(const HostOwnedRecord&) = delete;
    XLOPER12* get() noexcept { return &record_; }
    XLOPER12& operator*() noexcept { return record_; }
    XLOPER12* operator->() noexcept { return &record_; }

private:
    XLOPER12 record_;
};

bool IsCalledByFunctionWizard();

} // namespace xlf
