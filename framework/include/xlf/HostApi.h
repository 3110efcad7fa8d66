#pragma once

// The spreadsheet host's C API as the add-ins use it: the 12-era value record, its type
// codes and flag bits, the host's result codes and error codes, the numbers of the host
// functions the framework calls, and the host callback's signature. Written from the
// published record layouts; only what the framework touches is declared.

#include <cstdint>

// XLF_PASCAL: the calling convention of everything the host calls (the worksheet functions,
// the four entry points) and of the host callback: the standard one on 32-bit Windows, the
// only one elsewhere. XLF_EXPORT: exported under its plain name.
#if defined(_WIN32)
#define XLF_PASCAL __stdcall
#define XLF_EXPORT extern "C" __declspec(dllexport)
#else
#define XLF_PASCAL
#define XLF_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace xlf {

// One unit of the host's wide strings: UTF-16 on every platform.
using XCHAR = char16_t;
using RW = std::int32_t;
using COL = std::int32_t;
using IDSHEET = std::uintptr_t;

// One rectangular area: first and last row, first and last column (zero-based).
struct XLREF12 {
    RW rwFirst;
    RW rwLast;
    COL colFirst;
    COL colLast;
};

// A list of areas: a 16-bit count followed by that many areas.
struct XLMREF12 {
    std::uint16_t count;
    XLREF12 reftbl[1];
};

struct XLOPER12 {
    union {
        double num;
        // Counted string: str[0] holds the length, the characters follow, then one 0.
        XCHAR* str;
        std::int32_t xbool;
        std::int32_t err;
        std::int32_t w;
        struct {
            std::uint16_t count;
            XLREF12 ref;
        } sref;
        struct {
            XLMREF12* lpmref;
            IDSHEET idSheet;
        } mref;
        struct {
            XLOPER12* lparray; // rows x columns records, row by row
            RW rows;
            COL columns;
        } array;
        struct {
            union {
                std::int32_t level;
                std::int32_t tbctrl;
                IDSHEET idSheet;
            } valflow;
            RW rw;
            COL col;
            std::uint8_t xlflow;
        } flow;
        struct {
            union {
                std::uint8_t* lpbData;
                void* hdata;
            } h;
            std::int32_t cbData;
        } bigdata;
    } val;
    std::uint32_t xltype;
};
using LPXLOPER12 = XLOPER12*;

static_assert(sizeof(void*) != 8 || sizeof(XLOPER12) == 32,
              "the host reads 32-byte value records on 64-bit platforms");

// Type codes (the low 12 bits of xltype).
inline constexpr std::uint32_t xltypeNum = 0x0001;
inline constexpr std::uint32_t xltypeStr = 0x0002;
inline constexpr std::uint32_t xltypeBool = 0x0004;
inline constexpr std::uint32_t xltypeRef = 0x0008;
inline constexpr std::uint32_t xltypeErr = 0x0010;
inline constexpr std::uint32_t xltypeFlow = 0x0020;
inline constexpr std::uint32_t xltypeMulti = 0x0040;
inline constexpr std::uint32_t xltypeMissing = 0x0080;
inline constexpr std::uint32_t xltypeNil = 0x0100;
inline constexpr std::uint32_t xltypeSRef = 0x0400;
inline constexpr std::uint32_t xltypeInt = 0x0800;
inline constexpr std::uint32_t xltypeBigData = xltypeStr | xltypeInt;
inline constexpr std::uint32_t xltypeMask = 0x0FFF;

// Flag bits above the type code.
inline constexpr std::uint32_t xlbitXLFree = 0x1000;  // the host owns the storage
inline constexpr std::uint32_t xlbitDLLFree = 0x4000; // never set by the framework

// Error codes (val.err).
inline constexpr std::int32_t xlerrNull = 0;
inline constexpr std::int32_t xlerrDiv0 = 7;
inline constexpr std::int32_t xlerrValue = 15;
inline constexpr std::int32_t xlerrRef = 23;
inline constexpr std::int32_t xlerrName = 29;
inline constexpr std::int32_t xlerrNum = 36;
inline constexpr std::int32_t xlerrNA = 42;

// Result codes of a host call (a bit set).
inline constexpr int xlretSuccess = 0;
inline constexpr int xlretAbort = 1;
inline constexpr int xlretInvXlfn = 2;
inline constexpr int xlretInvCount = 4;
inline constexpr int xlretInvXloper = 8;
inline constexpr int xlretStackOvfl = 16;
inline constexpr int xlretFailed = 32;
inline constexpr int xlretUncalced = 64;
inline constexpr int xlretNotThreadSafe = 128;
inline constexpr int xlretInvAsynchronousContext = 256;
inline constexpr int xlretNotClusterSafe = 512;

// Function number flags.
inline constexpr int xlCommand = 0x8000;
inline constexpr int xlSpecial = 0x4000;
inline constexpr int xlIntl = 0x2000;
inline constexpr int xlPrompt = 0x1000;

// Host functions the framework calls.
inline constexpr int xlFree = 0 | xlSpecial;    // 16384
inline constexpr int xlCoerce = 2 | xlSpecial;  // 16386
inline constexpr int xlGetName = 9 | xlSpecial; // 16393
inline constexpr int xlfSetName = 88;
inline constexpr int xlfRegister = 149;
inline constexpr int xlfAddCommand = 155;
inline constexpr int xlfDeleteCommand = 159;
inline constexpr int xlfGetWorkspace = 186;
inline constexpr int xlfUnregister = 201;
inline constexpr int xlcMessage = 122 | xlCommand; // 32890

// The menu bar of worksheets, for commands added to a menu.
inline constexpr int kWorksheetMenuBar = 10;

// The most arguments one host call takes.
inline constexpr int kMaxHostCallArguments = 255;

// The host callback exported by the host program as "MdCallBack12".
using HostCallback = int(XLF_PASCAL*)(int xlfn, int count, LPXLOPER12* args, LPXLOPER12 result);

inline constexpr const char* kHostCallbackName = "MdCallBack12";
inline constexpr const char* kHostCallLibraryName = "XLCALL32.DLL";

} // namespace xlf
