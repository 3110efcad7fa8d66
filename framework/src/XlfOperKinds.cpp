// The conversion of the argument kind beyond numbers, flags and columns (catalogue/kinds.h):
// a block of numbers.

#include "xlf/ConversionTexts.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfOper.h"

namespace xlf {

namespace {

// The cells of an argument, row by row: an array's own, one value as a single cell, a
// reference's values asked of the host. A missing argument or an error value raises.
class Cells {
public:
    Cells(const XlfOper& value, const char* name, const char* context) {
        const XLOPER12* record = value.GetXLOPER();
        switch (value.Type()) {
        case xltypeMulti:
            break;
        case xltypeSRef:
        case xltypeRef: {
            XLOPER12 wanted{};
            wanted.xltype = xltypeInt;
            wanted.val.w = xltypeMulti;
            const int code = XlfExcel::Instance().Call(xlCoerce, coerced_.get(),
                                                       const_cast<XLOPER12*>(record), &wanted);
            if (code != xlretSuccess)
                XlfOper::RaiseForResultCode(code, name, context);
            if ((coerced_->xltype & xltypeMask) != xltypeMulti)
                XlfOper::RaiseForUnconvertible(coerced_->xltype & xltypeMask, name, context);
            record = coerced_.get();
            break;
        }
        case xltypeMissing:
        case xltypeErr:
            XlfOper::RaiseForUnconvertible(value.Type(), name, context);
        default:
            rows_ = columns_ = 1;
            first_ = record;
            return;
        }
        // A malformed array may give negative counts or no cells: refused like a column's.
        if (record->val.array.rows < 1 || record->val.array.columns < 1)
            XlfOper::RaiseForResultCode(xlretInvXloper, name, kNotOneDimensional);
        rows_ = static_cast<std::size_t>(record->val.array.rows);
        columns_ = static_cast<std::size_t>(record->val.array.columns);
        first_ = record->val.array.lparray;
    }

    std::size_t rows() const { return rows_; }
    std::size_t columns() const { return columns_; }
    std::size_t count() const { return rows_ * columns_; }
    // Cell k, row by row.
    const XLOPER12& operator[](std::size_t k) const { return first_[k]; }

private:
    HostOwnedRecord coerced_;
    std::size_t rows_ = 0, columns_ = 0;
    const XLOPER12* first_ = nullptr;
};

// A cell as a number, as a column's cell converts (an empty cell raises).
double NumberOf(const XLOPER12& cell, const char* name) {
    if ((cell.xltype & xltypeMask) == xltypeNum)
        return cell.val.num;
    return XlfOper(const_cast<XLOPER12*>(&cell)).ToDouble(name);
}

} // namespace

catalogue::Block XlfOper::ToBlock(const char* name) const {
    const Cells cells(*this, name, kToDoubleContext);
    catalogue::Block block{cells.rows(), cells.columns(), std::vector<double>(cells.count())};
    for (std::size_t k = 0; k < cells.count(); ++k)
        block.cells[k] = NumberOf(cells[k], name);
    return block;
}

} // namespace xlf
