#include "xlf/Frame.h"
#include "xlf/XlfException.h"

#include <algorithm>
#include <string>

namespace xlf {

namespace {

// Copies the value of a record, and whatever hangs from it, into temporary memory.
void DeepCopy(const XLOPER12& from, XLOPER12& to) {
    to = from;
    to.xltype = from.xltype & ~xlbitXLFree;
    switch (to.xltype & xltypeMask) {
    case xltypeStr: {
        const std::size_t length = from.val.str != nullptr ? from.val.str[0] : 0;
        XCHAR* copy = TempMemory::Get<XCHAR>(length + 2);
        if (from.val.str != nullptr) {
            std::copy_n(from.val.str, length + 1, copy);
        }
        copy[length + 1] = 0;
        to.val.str = copy;
        break;
    }
    case xltypeMulti: {
        const std::int32_t rows = std::max(from.val.array.rows, 0);
        const std::int32_t columns = std::max(from.val.array.columns, 0);
        const auto count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
        XLOPER12* cells = TempMemory::Get<XLOPER12>(count);
        for (std::size_t k = 0; k < count && from.val.array.lparray != nullptr; ++k) {
            DeepCopy(from.val.array.lparray[k], cells[k]);
        }
        to.val.array.lparray = cells;
        break;
    }
    case xltypeRef: {
        const XLMREF12* areas = from.val.mref.lpmref;
        if (areas != nullptr) {
            const std::size_t count = areas->count;
            const std::size_t bytes =
                sizeof(XLMREF12) + (count > 0 ? count - 1 : 0) * sizeof(XLREF12);
            auto* copy = static_cast<XLMREF12*>(TempMemory::GetMemory(bytes));
            copy->count = areas->count;
            std::copy_n(areas->reftbl, count, copy->reftbl);
            to.val.mref.lpmref = copy;
        }
        break;
    }
    default:
        break;
    }
}

// Releases the host's record when the scope ends, whatever happens in between.
struct ReleaseWhenDone {
    XLOPER12* record;
    ~ReleaseWhenDone() { FreeIfHostOwned(*record); }
};

} // namespace

XLOPER12* ReturnToHost(XLOPER12* record) {
    if (record == nullptr || (record->xltype & xlbitXLFree) == 0) {
        return record;
    }
    ReleaseWhenDone release{record};
    if ((record->xltype & xltypeMask) == xltypeBigData) {
        XLF_RAISE("can't copy a big data oper");
    }
    XLOPER12* copy = TempMemory::Get<XLOPER12>();
    DeepCopy(*record, *copy);
    return copy;
}

namespace detail {

XLOPER12* HandOver(XLOPER12* record) noexcept {
    try {
        // The copy never carries xlbitXLFree: the host's storage is released inside.
        return ReturnToHost(record);
    } catch (...) {
        return ResultForCurrentException();
    }
}

XLOPER12* ResultForCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const XlfException&) {
            return nullptr;
        } catch (const std::exception& error) {
            return ReturnToHost(XlfOper(error.what()).GetXLOPER());
        } catch (const std::string& text) {
            return ReturnToHost(XlfOper(text).GetXLOPER());
        } catch (const char* text) {
            return ReturnToHost(XlfOper(text != nullptr ? text : "").GetXLOPER());
        } catch (...) {
            return ReturnToHost(XlfOper(ErrorCode{xlerrValue}).GetXLOPER());
        }
    } catch (...) {
        // Not even a cell value could be made (no memory left): a null result.
        return nullptr;
    }
}

} // namespace detail

} // namespace xlf
