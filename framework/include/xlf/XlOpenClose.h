#pragma once

// The add-in's lifecycle: xlAutoOpen registers every function of the registry,
// xlAutoRemove marks the add-in as removed, xlAutoClose unregisters them (only after a
// removal) and releases the gateway and all temporary memory. The add-in's code may hang
// callbacks on each step; an add-in may also ask for the few things in which the two
// add-ins' loading differs.

#include "xlf/HostApi.h"

#include <cstdint>
#include <functional>
#include <vector>

XLF_EXPORT int XLF_PASCAL xlAutoOpen();
XLF_EXPORT int XLF_PASCAL xlAutoClose();
XLF_EXPORT int XLF_PASCAL xlAutoRemove();
// Help documentation entry: does nothing.
XLF_EXPORT void XLF_PASCAL xlwGenDoc();

namespace xlf {

struct Open {};
struct Close {};
struct Remove {};

// Callbacks run, in the order added, at one step of the lifecycle.
template <class Step> class MacroCache {
public:
    static MacroCache& Instance() {
        static MacroCache cache;
        return cache;
    }
    void Add(std::function<void()> callback) { callbacks_.push_back(std::move(callback)); }
    void Clear() noexcept { callbacks_.clear(); }
    void ExecuteMacros() const {
        for (const auto& callback : callbacks_) {
            callback();
        }
    }

private:
    MacroCache() = default;
    std::vector<std::function<void()>> callbacks_;
};

// How an add-in's loading differs from the plain framework's.
struct AddinOptions {
    // Every host call carries the host's international flag.
    bool internationalCalls = false;
    // xlAutoOpen calls xlwGenDoc right after creating the gateway.
    bool genDocAtOpen = false;
    // xlAutoOpen declines to load on a host of a lower version (0: any host).
    std::int32_t minimumHostVersion = 0;
    // The type text of every registration gets a closing NUL after its suffixes.
    bool nulTerminatedTypeText = false;
};

const AddinOptions& GetAddinOptions() noexcept;
// Built once, as a static object of the add-in, before the host's first call.
class AddinOptionsSetting {
public:
    explicit AddinOptionsSetting(const AddinOptions& options) noexcept;
};

// Set by xlAutoRemove; xlAutoClose unregisters the functions only when it is set.
bool IsRemoved() noexcept;
void SetRemoved(bool removed) noexcept;

} // namespace xlf
