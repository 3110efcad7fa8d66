#include "binding.h"

#include "catalogue/conversions.h"
#include "names.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>

namespace rbinding {

namespace {

namespace conversions = catalogue::conversions;

// R's own text when lengths do not recycle evenly.
constexpr const char* UNEVEN_RECYCLING =
    "longer object length is not a multiple of shorter object length";

[[noreturn]] void refuse(const char* message, Argument argument, const char* context) {
    const std::string name = rName(argument.entry.arguments[argument.index].name);
    throw rbinding::ConversionError(conversions::ErrorText(message, name.c_str(), context));
}

// ---- Unwinding

SEXP unwindToken = nullptr;

void throwOnJump(void*, Rboolean jump) {
    if (jump)
        throw RJump{};
}

// Numbers, integers and truth values, but no factor (its codes are no numbers).
bool isNumeric(SEXP value) {
    const int type = TYPEOF(value);
    return (type == REALSXP || type == INTSXP || type == LGLSXP) && !Rf_isFactor(value);
}

// Element k of a numeric vector as a double; NA_REAL for NA.
double numberAt(SEXP value, R_xlen_t k) {
    if (TYPEOF(value) == REALSXP)
        return REAL(value)[k];
    const int n = TYPEOF(value) == INTSXP ? INTEGER(value)[k] : LOGICAL(value)[k];
    return n == NA_INTEGER ? NA_REAL : n;
}

// The one number of a number or a flag argument.
double singleNumber(SEXP value, Argument argument, const char* context) {
    if (Rf_isNull(value))
        refuse(conversions::MISSING, argument, context);
    if (!isNumeric(value) || XLENGTH(value) != 1)
        refuse(conversions::NOT_A_NUMBER, argument, context);
    const double number = numberAt(value, 0);
    if (R_IsNA(number))
        refuse(conversions::MISSING, argument, context);
    return number;
}

// The extents of an array, longer than 1, or none for a plain vector.
int longAxes(SEXP value) {
    const SEXP dim = Rf_getAttrib(value, R_DimSymbol);
    if (Rf_isNull(dim))
        return XLENGTH(value) > 1 ? 1 : 0;
    int axes = 0;
    for (R_xlen_t k = 0; k < XLENGTH(dim); ++k)
        axes += INTEGER(dim)[k] > 1;
    return axes;
}

char refusalText[4096];

} // namespace

// ---- R's API where it may jump

SEXP protectedCall(SEXP (*body)(void*), void* data) {
    return R_UnwindProtect(body, data, throwOnJump, nullptr, unwindToken);
}

SEXP allocate(SEXPTYPE type, R_xlen_t length) {
    return guarded([=] { return Rf_allocVector(type, length); });
}

SEXP textOf(const std::string& utf8) {
    return guarded(
        [&] { return Rf_mkCharLenCE(utf8.data(), static_cast<int>(utf8.size()), CE_UTF8); });
}

void setAttribute(SEXP object, SEXP name, SEXP value) {
    guarded([=] { return Rf_setAttrib(object, name, value); });
}

void warn(const char* text) {
    guarded([=] {
        Rf_warning("%s", text);
        return R_NilValue;
    });
}

void checkInterrupt() {
    guarded([] {
        R_CheckUserInterrupt();
        return R_NilValue;
    });
}

void initialise() {
    unwindToken = R_MakeUnwindCont();
    R_PreserveObject(unwindToken);
}

// ---- Conversions

double toNumber(SEXP value, Argument argument) {
    return singleNumber(value, argument, conversions::TO_DOUBLE);
}

bool toFlag(SEXP value, Argument argument) {
    const double number = singleNumber(value, argument, conversions::TO_BOOL);
    if (number != 1.0 && number != 0.0)
        refuse(conversions::NEITHER_0_NOR_1, argument, conversions::TO_BOOL);
    return number == 1.0;
}

namespace {

// The cells of a data.frame of numeric columns of one row (a model's row of a population) or
// of one column.
std::vector<double> dataFrameCells(SEXP frame, Argument argument) {
    const R_xlen_t columns = XLENGTH(frame);
    R_xlen_t rows = 0;
    for (R_xlen_t j = 0; j < columns; ++j) {
        const SEXP column = VECTOR_ELT(frame, j);
        if (!isNumeric(column) || !Rf_isNull(Rf_getAttrib(column, R_DimSymbol)))
            refuse(conversions::NOT_A_NUMBER, argument, conversions::TO_COLUMN);
        rows = XLENGTH(column);
    }
    if (rows > 1 && columns > 1)
        refuse(conversions::NOT_ONE_DIMENSIONAL_VALUE, argument, conversions::TO_COLUMN);
    std::vector<double> cells;
    cells.reserve(static_cast<std::size_t>(rows * columns));
    for (R_xlen_t j = 0; j < columns; ++j)
        for (R_xlen_t i = 0; i < rows; ++i)
            cells.push_back(numberAt(VECTOR_ELT(frame, j), i));
    return cells;
}

// The cells of a numeric vector, or of an array of one long axis.
std::vector<double> vectorCells(SEXP value, Argument argument) {
    if (!isNumeric(value))
        refuse(conversions::NOT_A_NUMBER, argument, conversions::TO_COLUMN);
    if (longAxes(value) > 1)
        refuse(conversions::NOT_ONE_DIMENSIONAL_VALUE, argument, conversions::TO_COLUMN);
    std::vector<double> cells(static_cast<std::size_t>(XLENGTH(value)));
    if (TYPEOF(value) == REALSXP && !cells.empty())
        std::memcpy(cells.data(), REAL(value), cells.size() * sizeof(double));
    else
        for (R_xlen_t k = 0; k < XLENGTH(value); ++k)
            cells[static_cast<std::size_t>(k)] = numberAt(value, k);
    return cells;
}

} // namespace

std::vector<double> toColumn(SEXP value, Argument argument) {
    if (Rf_isNull(value))
        refuse(conversions::MISSING, argument, conversions::TO_COLUMN);
    std::vector<double> column = TYPEOF(value) == VECSXP && Rf_inherits(value, "data.frame")
                                     ? dataFrameCells(value, argument)
                                     : vectorCells(value, argument);
    if (column.empty())
        refuse(conversions::EMPTY, argument, conversions::TO_COLUMN);
    for (const double cell : column)
        if (R_IsNA(cell))
            refuse(conversions::MISSING, argument, conversions::TO_COLUMN);
    return column;
}

catalogue::Samples toSamples(SEXP value, Argument argument) {
    if (Rf_isNull(value))
        refuse(conversions::MISSING, argument, conversions::TO_COLUMN);
    const std::vector<double> column = TYPEOF(value) == VECSXP && Rf_inherits(value, "data.frame")
                                           ? dataFrameCells(value, argument)
                                           : vectorCells(value, argument);
    if (column.empty())
        refuse(conversions::EMPTY, argument, conversions::TO_COLUMN);
    catalogue::Samples samples(column.size());
    for (std::size_t k = 0; k < column.size(); ++k)
        if (!std::isnan(column[k]))
            samples[k] = column[k];
    return samples;
}

catalogue::Identifiers toIdentifiers(SEXP value, Argument argument) {
    constexpr const char* context = conversions::TO_STRING;
    if (Rf_isNull(value))
        refuse(conversions::MISSING, argument, context);
    // A factor names its subjects by its labels.
    SEXP labels = Rf_isFactor(value) ? Rf_asCharacterFactor(value) : value;
    PROTECT(labels);
    const bool texts = TYPEOF(labels) == STRSXP;
    if (!texts && !isNumeric(labels)) {
        UNPROTECT(1);
        refuse(conversions::NOT_A_NUMBER, argument, context);
    }
    if (longAxes(labels) > 1) {
        UNPROTECT(1);
        refuse(conversions::NOT_ONE_DIMENSIONAL_VALUE, argument, context);
    }
    catalogue::Identifiers identifiers;
    for (R_xlen_t k = 0; k < XLENGTH(labels); ++k) {
        if (texts) {
            const SEXP text = STRING_ELT(labels, k);
            identifiers.push_back(text == NA_STRING ? "" : Rf_translateCharUTF8(text));
        } else if (TYPEOF(labels) == LGLSXP && LOGICAL(labels)[k] != NA_LOGICAL) {
            identifiers.push_back(LOGICAL(labels)[k] != 0 ? "TRUE" : "FALSE");
        } else {
            const double number = numberAt(labels, k);
            identifiers.push_back(std::isnan(number) ? "" : catalogue::identifierOf(number));
        }
    }
    UNPROTECT(1);
    if (identifiers.empty())
        refuse(conversions::EMPTY, argument, context);
    return identifiers;
}

catalogue::Block toBlock(SEXP value, Argument argument) {
    constexpr const char* context = conversions::TO_DOUBLE;
    if (Rf_isNull(value))
        refuse(conversions::MISSING, argument, context);
    const bool frame = TYPEOF(value) == VECSXP && Rf_inherits(value, "data.frame");
    if (!frame && !isNumeric(value))
        refuse(conversions::NOT_A_NUMBER, argument, context);
    // R keeps a matrix and a data.frame column by column; a vector is one row.
    std::size_t rows = 1, columns = 0;
    std::function<double(std::size_t, std::size_t)> cell;
    if (frame) {
        columns = static_cast<std::size_t>(XLENGTH(value));
        for (std::size_t j = 0; j < columns; ++j) {
            const SEXP column = VECTOR_ELT(value, static_cast<R_xlen_t>(j));
            if (!isNumeric(column) || !Rf_isNull(Rf_getAttrib(column, R_DimSymbol)))
                refuse(conversions::NOT_A_NUMBER, argument, context);
            rows = static_cast<std::size_t>(XLENGTH(column));
        }
        cell = [value](std::size_t i, std::size_t j) {
            return numberAt(VECTOR_ELT(value, static_cast<R_xlen_t>(j)), static_cast<R_xlen_t>(i));
        };
    } else {
        const SEXP dim = Rf_getAttrib(value, R_DimSymbol);
        if (!Rf_isNull(dim) && XLENGTH(dim) > 2)
            refuse(conversions::NOT_A_BLOCK, argument, context);
        if (!Rf_isNull(dim) && XLENGTH(dim) == 2) {
            rows = static_cast<std::size_t>(INTEGER(dim)[0]);
            columns = static_cast<std::size_t>(INTEGER(dim)[1]);
        } else {
            columns = static_cast<std::size_t>(XLENGTH(value));
        }
        cell = [value, rows](std::size_t i, std::size_t j) {
            return numberAt(value, static_cast<R_xlen_t>(j * rows + i));
        };
    }
    if (rows == 0 || columns == 0)
        refuse(conversions::EMPTY, argument, context);
    catalogue::Block block{rows, columns, std::vector<double>(rows * columns)};
    for (std::size_t i = 0; i < rows; ++i)
        for (std::size_t j = 0; j < columns; ++j) {
            const double number = cell(i, j);
            if (R_IsNA(number))
                refuse(conversions::MISSING, argument, context);
            block.cells[i * columns + j] = number;
        }
    return block;
}

std::string toEnteredText(SEXP value) {
    if (TYPEOF(value) != STRSXP || XLENGTH(value) != 1 || STRING_ELT(value, 0) == NA_STRING)
        return "";
    const char* utf8 = nullptr;
    guarded([&] {
        utf8 = Rf_translateCharUTF8(STRING_ELT(value, 0));
        return R_NilValue;
    });
    return utf8;
}

std::optional<double> toEnteredNumber(SEXP value) {
    if (Rf_isNull(value))
        return std::nullopt;
    if (TYPEOF(value) == STRSXP && XLENGTH(value) == 1 && STRING_ELT(value, 0) != NA_STRING &&
        CHAR(STRING_ELT(value, 0))[0] == '\0')
        return std::nullopt;
    if (!isNumeric(value) || XLENGTH(value) != 1 || R_IsNA(numberAt(value, 0)))
        return std::nan("");
    return numberAt(value, 0);
}

namespace {

// The names of a result's cells, when its reference names as many as it has and several.
SEXP cellNames(const catalogue::FunctionEntry& entry, std::size_t count) {
    if (count < 2 || entry.cells.size() != count)
        return R_NilValue;
    const Protected names(allocate(STRSXP, static_cast<R_xlen_t>(count)));
    for (std::size_t k = 0; k < count; ++k)
        SET_STRING_ELT(names.get(), static_cast<R_xlen_t>(k), textOf(entry.cells[k].name));
    return names.get();
}

} // namespace

SEXP toR(const std::vector<double>& values, const catalogue::FunctionEntry& entry) {
    const Protected result(allocate(REALSXP, static_cast<R_xlen_t>(values.size())));
    if (!values.empty())
        std::memcpy(REAL(result.get()), values.data(), values.size() * sizeof(double));
    const Protected names(cellNames(entry, values.size()));
    if (!Rf_isNull(names.get()))
        setAttribute(result.get(), R_NamesSymbol, names.get());
    return result.get();
}

SEXP toR(double value, const catalogue::FunctionEntry&) {
    const SEXP result = allocate(REALSXP, 1);
    REAL(result)[0] = value;
    return result;
}

SEXP toR(bool value, const catalogue::FunctionEntry&) {
    const SEXP result = allocate(LGLSXP, 1);
    LOGICAL(result)[0] = value ? 1 : 0;
    return result;
}

SEXP toR(const std::string& text, const catalogue::FunctionEntry&) {
    const Protected result(allocate(STRSXP, 1));
    SET_STRING_ELT(result.get(), 0, textOf(text));
    return result.get();
}

SEXP toR(const std::vector<std::string>& texts, const catalogue::FunctionEntry&) {
    const Protected result(allocate(STRSXP, static_cast<R_xlen_t>(texts.size())));
    for (std::size_t k = 0; k < texts.size(); ++k)
        SET_STRING_ELT(result.get(), static_cast<R_xlen_t>(k), textOf(texts[k]));
    return result.get();
}

// ---- Population calls

Covariate::Covariate(SEXP value, Argument argument, bool flag) {
    const char* context = flag ? conversions::TO_BOOL : conversions::TO_DOUBLE;
    if (Rf_isNull(value))
        refuse(conversions::MISSING, argument, context);
    if (!isNumeric(value))
        refuse(conversions::NOT_A_NUMBER, argument, context);
    length_ = XLENGTH(value);
    if (TYPEOF(value) == REALSXP)
        reals_ = REAL(value);
    else
        integers_ = TYPEOF(value) == INTSXP ? INTEGER(value) : LOGICAL(value);
    if (flag)
        for (R_xlen_t k = 0; k < length_; ++k) {
            const double v = at(k);
            if (v != 0.0 && v != 1.0 && !R_IsNA(v))
                refuse(conversions::NEITHER_0_NOR_1, argument, context);
        }
}

R_xlen_t patientCount(const Covariate* covariates, std::size_t count) {
    R_xlen_t longest = 1;
    for (std::size_t j = 0; j < count; ++j) {
        if (covariates[j].length() == 0)
            return 0;
        longest = covariates[j].length() > longest ? covariates[j].length() : longest;
    }
    for (std::size_t j = 0; j < count; ++j)
        if (longest % covariates[j].length() != 0) {
            warn(UNEVEN_RECYCLING);
            break;
        }
    return longest;
}

ModelRows::ModelRows(const catalogue::FunctionEntry& entry, std::size_t rowLength,
                     R_xlen_t patients, bool onePatient)
    : rowLength_(rowLength), onePatient_(onePatient),
      result_(onePatient ? allocate(REALSXP, static_cast<R_xlen_t>(rowLength))
                         : allocate(VECSXP, static_cast<R_xlen_t>(rowLength))),
      columns_(rowLength) {
    const Protected names(cellNames(entry, rowLength));
    setAttribute(result_.get(), R_NamesSymbol, names.get());
    if (onePatient_) {
        for (std::size_t k = 0; k < rowLength; ++k)
            columns_[k] = REAL(result_.get()) + k;
        return;
    }
    for (std::size_t k = 0; k < rowLength; ++k) {
        const SEXP column = allocate(REALSXP, patients);
        SET_VECTOR_ELT(result_.get(), static_cast<R_xlen_t>(k), column);
        columns_[k] = REAL(column);
    }
    // A data.frame: its columns, their names, its class and compact row names, as
    // .set_row_names(n) makes them (c(NA, -n), or none for no rows).
    const Protected rowNames(allocate(INTSXP, patients > 0 ? 2 : 0));
    if (patients > 0) {
        INTEGER(rowNames.get())[0] = NA_INTEGER;
        INTEGER(rowNames.get())[1] = -static_cast<int>(patients);
    }
    setAttribute(result_.get(), R_RowNamesSymbol, rowNames.get());
    const Protected dataFrame(allocate(STRSXP, 1));
    SET_STRING_ELT(dataFrame.get(), 0, textOf("data.frame"));
    setAttribute(result_.get(), R_ClassSymbol, dataFrame.get());
}

void ModelRows::set(R_xlen_t patient, const std::vector<double>& row) {
    if (row.size() != rowLength_)
        throw std::logic_error("a model row differs in length from its catalogue entry");
    for (std::size_t k = 0; k < rowLength_; ++k)
        columns_[k][patient] = row[k];
}

void ModelRows::setMissing(R_xlen_t patient) {
    for (std::size_t k = 0; k < rowLength_; ++k)
        columns_[k][patient] = NA_REAL;
}

Numbers::Numbers(R_xlen_t count)
    : result_(allocate(REALSXP, count)), values_(REAL(result_.get())) {}

// ---- Native entries

void keepRefusal(const char* text) noexcept {
    std::snprintf(refusalText, sizeof refusalText, "%s", text);
}

void finish(Outcome outcome) {
    if (outcome == Outcome::Refused)
        Rf_error("%s", refusalText);
    if (outcome == Outcome::Jumped)
        R_ContinueUnwind(unwindToken);
}

namespace {

std::map<std::string, Timer>& timers() {
    static std::map<std::string, Timer> byName;
    return byName;
}

SEXP routineSeconds(SEXP name, SEXP arguments, SEXP repeat) {
    return answer([=] {
        const auto found = timers().find(Rf_isString(name) && XLENGTH(name) == 1
                                             ? std::string(CHAR(STRING_ELT(name, 0)))
                                             : std::string());
        if (found == timers().end())
            throw std::invalid_argument("no such function");
        if (TYPEOF(arguments) != VECSXP)
            throw std::invalid_argument("the arguments are a list");
        const double seconds = found->second(arguments, static_cast<long>(Rf_asInteger(repeat)));
        const SEXP result = allocate(REALSXP, 1);
        REAL(result)[0] = seconds;
        return result;
    });
}

} // namespace

double timed(long repeat, const std::function<std::size_t()>& body) {
    if (repeat < 1)
        throw std::invalid_argument("repeat is at least 1");
    std::size_t sink = 0;
    const std::clock_t start = std::clock();
    for (long r = 0; r < repeat; ++r)
        sink += body();
    const double took = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    volatile std::size_t keep = sink;
    (void)keep;
    return took / static_cast<double>(repeat);
}

void addTimer(const char* worksheetName, Timer timer) {
    timers()[worksheetName] = timer;
}

void registerDefinitions(DllInfo* dll, std::vector<R_CallMethodDef> definitions) {
    definitions.push_back({"routine_seconds",
                           reinterpret_cast<DL_FUNC>(reinterpret_cast<void (*)()>(&routineSeconds)),
                           3});
    definitions.push_back({nullptr, nullptr, 0});
    R_registerRoutines(dll, nullptr, definitions.data(), nullptr, nullptr);
    R_useDynamicSymbols(dll, FALSE);
    R_forceSymbols(dll, TRUE);
}

} // namespace rbinding
