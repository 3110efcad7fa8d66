// A small add-in for the stand-in host's tests, written against the C API alone: its
// xlAutoOpen asks the host for its path and registers its functions with xlfRegister
// directly, with "B" and "Q" arguments and "B" and "Q" results, so that every calling path
// of the host is exercised without the framework.

#include "xlf/HostApi.h"

#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <vector>

using namespace xlf;

namespace {

using Callback = int (*)(int, int, LPXLOPER12*, LPXLOPER12);

Callback Host() {
    return reinterpret_cast<Callback>(dlsym(RTLD_DEFAULT, kHostCallbackName));
}

std::u16string path;
std::vector<double> ids;
std::string entries; // every entry called, in order
bool removed = false;
int addCalls = 0;
int freed = 0;

// One call into the host with text and number arguments.
struct Args {
    std::vector<std::u16string> texts;
    std::vector<std::vector<XCHAR>> counted;
    std::vector<XLOPER12> records;

    void Text(const std::u16string& t) {
        std::vector<XCHAR> c{static_cast<XCHAR>(t.size())};
        c.insert(c.end(), t.begin(), t.end());
        c.push_back(0);
        counted.push_back(std::move(c));
        XLOPER12 r{};
        r.xltype = xltypeStr;
        records.push_back(r);
    }
    void Number(double v) {
        counted.emplace_back();
        XLOPER12 r{};
        r.xltype = xltypeNum;
        r.val.num = v;
        records.push_back(r);
    }
    int Call(int function, XLOPER12* result) {
        std::vector<LPXLOPER12> pointers;
        for (std::size_t k = 0; k < records.size(); ++k) {
            if (records[k].xltype == xltypeStr) {
                records[k].val.str = counted[k].data();
            }
            pointers.push_back(&records[k]);
        }
        return Host()(function, static_cast<int>(pointers.size()), pointers.data(), result);
    }
};

void Free(XLOPER12& record) {
    LPXLOPER12 p[] = {&record};
    Host()(xlFree, 1, p, nullptr);
}

void Register(const std::u16string& procedure, const std::u16string& type,
              const std::u16string& name, const std::u16string& argumentNames,
              const std::vector<std::u16string>& helps, double macroType = 1) {
    Args a;
    a.Text(path);
    a.Text(procedure);
    a.Text(type);
    a.Text(name);
    a.Text(argumentNames);
    a.Number(macroType);
    a.Text(u"Stand-in tests");
    a.Text(u"");
    a.Text(path.substr(0, path.rfind(u'/') + 1) + u"TestAddin.chm!" +
           std::u16string(1, static_cast<char16_t>(u'0' + ids.size() % 10)));
    a.Text(u" " + name + u" for the tests ");
    for (const std::u16string& h : helps) {
        a.Text(h);
    }
    XLOPER12 result{};
    if (a.Call(xlfRegister, &result) == xlretSuccess && result.xltype == xltypeNum) {
        ids.push_back(result.val.num);
    }
    Free(result);
}

std::string Describe(const XLOPER12& r) {
    char buffer[64];
    switch (r.xltype & xltypeMask) {
    case xltypeNum:
        std::snprintf(buffer, sizeof buffer, "Num %g", r.val.num);
        return buffer;
    case xltypeStr:
        return "Str " + std::string(r.val.str + 1, r.val.str + 1 + r.val.str[0]);
    case xltypeBool:
        return "Bool " + std::to_string(r.val.xbool);
    case xltypeErr:
        return "Err " + std::to_string(r.val.err);
    case xltypeInt:
        return "Int " + std::to_string(r.val.w);
    case xltypeMissing:
        return "Missing";
    case xltypeNil:
        return "Nil";
    case xltypeMulti: {
        std::string s = "Multi " + std::to_string(r.val.array.rows) + "x" +
                        std::to_string(r.val.array.columns) + "[";
        for (int k = 0; k < r.val.array.rows * r.val.array.columns; ++k) {
            if (k > 0) {
                s += ',';
            }
            s += Describe(r.val.array.lparray[k]);
        }
        return s + "]";
    }
    default:
        return "Type " + std::to_string(r.xltype);
    }
}

// Results live until the thread's next call, as in the framework's temporary memory.
thread_local XLOPER12 result;
thread_local std::vector<XCHAR> resultText;
thread_local std::vector<XLOPER12> resultCells;

LPXLOPER12 TextResult(const std::string& s) {
    resultText.assign(1, static_cast<XCHAR>(s.size()));
    resultText.insert(resultText.end(), s.begin(), s.end());
    resultText.push_back(0);
    result = XLOPER12{};
    result.xltype = xltypeStr;
    result.val.str = resultText.data();
    return &result;
}

} // namespace

XLF_EXPORT int xlAutoOpen() {
    entries += "open,";
    removed = false;
    ids.clear();
    XLOPER12 name{};
    if (Host()(xlGetName, 0, nullptr, &name) != xlretSuccess || name.xltype != xltypeStr) {
        return 0;
    }
    path.assign(name.val.str + 1, name.val.str + 1 + name.val.str[0]);
    Free(name);
    Register(u"xlTestAdd", u"BBB", u"TestAdd", u"x, y", {u" a number ", u" another number . "});
    Register(u"xlDescribe", u"QQ", u"Describe", u"value", {u" any value . "});
    Register(u"xlColumn", u"QB", u"Column", u"n", {u" rows, none for 0, null below . "});
    Register(u"xlSpread", u"QBQBBBBBBBBBQ", u"Spread", u"a, b, c, d, e, f, g, h, i, j, k, l", {});
    Register(u"xlFreeMe", u"QB", u"FreeMe", u"x", {u" a number . "});
    Register(u"xlFlagged", u"QB!$", u"Flagged", u"x", {u" a number . "});
    Register(u"xlBadLetter", u"QZ", u"BadLetter", u"x", {u" anything . "});
    Register(u"xlNotThere", u"QB", u"NotThere", u"x", {u" anything . "});
    Register(u"xlAddinPath", u"Q", u"AddinPath", u"", {});
    Register(u"xlDescribe", u"QQ", u"describeagain", u"value", {u" any value . "});
    Register(u"xlCommandOnly", u"Q", u"CommandOnly", u"", {}, 2);
    Register(u"xlEcho", u"QQ", u"Echo", u"value", {u" any value . "});
    return 1;
}

XLF_EXPORT int xlAutoRemove() {
    entries += "remove,";
    removed = true;
    return 1;
}

XLF_EXPORT int xlAutoClose() {
    entries += "close,";
    if (removed) {
        for (double id : ids) {
            Args a;
            a.Number(id);
            XLOPER12 r{};
            a.Call(xlfUnregister, &r);
            Free(r);
        }
        ids.clear();
    }
    return 1;
}

XLF_EXPORT void xlwGenDoc() {
    entries += "gendoc,";
}

XLF_EXPORT void xlAutoFree12(LPXLOPER12 record) {
    ++freed;
    delete[] record->val.array.lparray;
    delete record;
}

// ---- Worksheet functions

XLF_EXPORT double xlTestAdd(double x, double y) {
    ++addCalls;
    return x + y;
}

XLF_EXPORT LPXLOPER12 xlDescribe(LPXLOPER12 value) {
    return TextResult(Describe(*value));
}

XLF_EXPORT LPXLOPER12 xlColumn(double n) {
    if (n < 0) {
        return nullptr;
    }
    result = XLOPER12{};
    if (n == 0) {
        result.xltype = xltypeMissing;
        return &result;
    }
    resultCells.assign(static_cast<std::size_t>(n), XLOPER12{});
    for (std::size_t k = 0; k < resultCells.size(); ++k) {
        resultCells[k].xltype = xltypeNum;
        resultCells[k].val.num = static_cast<double>(k + 1);
    }
    result.xltype = xltypeMulti;
    result.val.array.lparray = resultCells.data();
    result.val.array.rows = static_cast<RW>(n);
    result.val.array.columns = 1;
    return &result;
}

XLF_EXPORT LPXLOPER12 xlSpread(double a, LPXLOPER12 b, double c, double d, double e, double f,
                               double g, double h, double i, double j, double k, LPXLOPER12 l) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%g|%s|%g|%g|%g|%g|%g|%g|%g|%g|%g|%s", a,
                  Describe(*b).c_str(), c, d, e, f, g, h, i, j, k, Describe(*l).c_str());
    return TextResult(buffer);
}

XLF_EXPORT LPXLOPER12 xlFreeMe(double x) {
    auto* r = new XLOPER12{};
    r->xltype = xltypeMulti | xlbitDLLFree;
    r->val.array.lparray = new XLOPER12[2]{};
    r->val.array.rows = 2;
    r->val.array.columns = 1;
    r->val.array.lparray[0].xltype = xltypeNum;
    r->val.array.lparray[0].val.num = x;
    r->val.array.lparray[1].xltype = xltypeNum;
    r->val.array.lparray[1].val.num = 2 * x;
    return r;
}

XLF_EXPORT LPXLOPER12 xlFlagged(double x) {
    result = XLOPER12{};
    result.xltype = xltypeNum;
    result.val.num = 3 * x;
    return &result;
}

XLF_EXPORT LPXLOPER12 xlBadLetter(LPXLOPER12) {
    return nullptr;
}

XLF_EXPORT LPXLOPER12 xlAddinPath() {
    std::string narrow(path.begin(), path.end());
    return TextResult(narrow);
}

// Hands back the very record it was given.
XLF_EXPORT LPXLOPER12 xlEcho(LPXLOPER12 value) {
    return value;
}

XLF_EXPORT LPXLOPER12 xlCommandOnly() {
    return nullptr;
}

// ---- What the tests read

XLF_EXPORT const char* TestAddinEntries() {
    return entries.c_str();
}
XLF_EXPORT int TestAddinAddCalls() {
    return addCalls;
}
XLF_EXPORT int TestAddinFreed() {
    return freed;
}
