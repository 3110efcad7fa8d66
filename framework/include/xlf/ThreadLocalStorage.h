#pragma once

// One thread-local slot: a platform thread-local-storage index, allocated when the object
// is built and released when it is destroyed. Each thread sees its own pointer, initially
// null.

#include "xlf/Platform.h"
#include "xlf/XlfException.h"

namespace xlf {

template <class T> class ThreadLocalStorage {
public:
    ThreadLocalStorage() {
        if (!platform::AllocateTlsIndex(index_)) {
            XLF_RAISE("TLS run out of TLS indices");
        }
    }
    ~ThreadLocalStorage() { platform::FreeTlsIndex(index_); }
    ThreadLocalStorage(const ThreadLocalStorage&) = delete;
    ThreadLocalStorage& operator=(const ThreadLocalStorage&) = delete;

    T* Get() const noexcept { return static_cast<T*>(platform::GetTlsValue(index_)); }
    bool Set(T* value) noexcept { return platform::SetTlsValue(index_, value); }

private:
    platform::TlsIndex index_ = 0;
};

} // namespace xlf
