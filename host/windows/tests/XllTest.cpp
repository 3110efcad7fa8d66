// Velmora.xll and Corvane.xll in the Windows build of the stand-in host, run under Wine:
// they load, register their functions, compute, answer the function wizard from the
// host's real windows and give everything back at close.

#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"
#include "standin/Addin.h"
#include "standin/Host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <windows.h>

using namespace standin;

namespace {

// The folder of this program, where the build puts the add-ins and XLCALL32.DLL.
std::filesystem::path ProgramFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return std::filesystem::path(buffer).parent_path();
}

std::string AddinFile(const char* name) {
    return (ProgramFolder() / name).string();
}

// The names in a loaded module's export directory.
std::set<std::string> ExportedNames(HMODULE module) {
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (entry.Size == 0) {
        return names;
    }
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD k = 0; k < exports->NumberOfNames; ++k) {
        names.insert(reinterpret_cast<const char*>(base + nameRvas[k]));
    }
    return names;
}

// Bytes in use in every heap of the process.
std::size_t BusyHeapBytes() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::size_t busy = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) {
                busy += entry.cbData;
            }
        }
        HeapUnlock(heap);
    }
    return busy;
}

// A top-level window of the calling thread with a class name and a title.
class TopLevelWindow {
public:
    TopLevelWindow(const wchar_t* className, const wchar_t* title) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        RegisterClassW(&wc); // a second registration of the class fails harmlessly
        hwnd_ = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);
    }
    ~TopLevelWindow() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
    }
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;
    bool Created() const { return hwnd_ != nullptr; }

private:
    HWND hwnd_ = nullptr;
};

std::vector<double> Numbers(const std::optional<Value>& value) {
    std::vector<double> out;
    if (!value) {
        return out;
    }
    if (value->kind == Value::Kind::Num) {
        out.push_back(value->num);
    }
    for (const Value& item : value->items) {
        out.push_back(item.kind == Value::Kind::Num ? item.num : std::nan(""));
    }
    return out;
}

std::vector<std::u16string> WorksheetNames(const Session& session) {
    std::vector<std::u16string> names;
    for (const Function& f : session.Functions()) {
        names.push_back(f.Texts().worksheetName);
    }
    return names;
}

Value Column(std::vector<double> values) {
    std::vector<Value> cells;
    for (double v : values) {
        cells.push_back(Value::Number(v));
    }
    const auto rows = static_cast<std::int32_t>(cells.size());
    return Value::Array(rows, 1, std::move(cells));
}

// Runs a job's function on a thread of its own, as a calculation thread would.
template <class Job> DWORD WINAPI CalculationThread(void* p) {
    auto* job = static_cast<Job*>(p);
    job->result = job->function->Call({Value::Number(70)});
    return 0;
}

class Xll : public ::testing::Test {
protected:
    void SetUp() override { Host::Instance().Reset(); }
};

} // namespace

TEST_F(Xll, BothLoadRegisterTheirFunctionsAndExportExactlyThoseAndTheFourEntries) {
    Session session;
    Addin& velmora = session.Load(AddinFile("Velmora.xll"));
    Addin& corvane = session.Load(AddinFile("Corvane.xll"));
    EXPECT_TRUE(session.Open().empty());

    std::size_t fromVelmora = 0;
    std::size_t fromCorvane = 0;
    std::map<std::string, std::set<std::string>> procedures;
    for (const Function& f : session.Functions()) {
        EXPECT_EQ(f.Problem(), "") << Utf8(f.Texts().worksheetName);
        (f.Texts().addin == velmora.Path() ? fromVelmora : fromCorvane) += 1;
        procedures[f.Texts().addin].insert(Utf8(f.Texts().procedure));
    }
    // Velmora: the models and the covariate check; Corvane: the tools and the schedule check,
    // one function per row of each add-in's table.
    const std::size_t velmoraCount = catalogue::rowCount<decltype(drugmodels::VELMORA_FUNCTIONS)>;
    EXPECT_EQ(fromVelmora, velmoraCount);
    EXPECT_EQ(fromCorvane, catalogue::rowCount<decltype(pktools::CORVANE_FUNCTIONS)>);

    // Registered in byte-wise worksheet-name order within each add-in ("RemiMinto" before
    // "RemimazEleveld").
    std::vector<std::u16string> names = WorksheetNames(session);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.begin() + velmoraCount));

    for (Addin* addin : {&velmora, &corvane}) {
        HMODULE module = GetModuleHandleW(std::filesystem::path(addin->Path()).c_str());
        ASSERT_NE(module, nullptr);
        std::set<std::string> expected = procedures[addin->Path()];
        expected.insert({"xlAutoOpen", "xlAutoClose", "xlAutoRemove", "xlwGenDoc"});
        EXPECT_EQ(ExportedNames(module), expected) << addin->Path();
    }
}

TEST_F(Xll, FunctionsComputeThroughTheirEntriesAndChain) {
    Session session;
    session.Load(AddinFile("Velmora.xll"));
    session.Load(AddinFile("Corvane.xll"));
    ASSERT_TRUE(session.Open().empty());

    const Function* schnider = session.Find(u"PropSchnider");
    ASSERT_NE(schnider, nullptr);
    const std::vector<double> row = Numbers(schnider->Call(
        {Value::Number(53), Value::Number(77), Value::Number(177), Value::Number(59)}));
    ASSERT_EQ(row.size(), 7u);
    EXPECT_NEAR(row[0], 4.27, 1e-12);
    EXPECT_NEAR(row[6], 0.456, 1e-12);

    // A flag and a range argument through the value record.
    const Function* white = session.Find(u"PropWhite");
    ASSERT_NE(white, nullptr);
    EXPECT_NE(Numbers(white->Call({Value::Number(40), Value::Number(70), Value::Truth(true)})),
              Numbers(white->Call({Value::Number(40), Value::Number(70), Value::Truth(false)})));

    const Function* cl2hyb = session.Find(u"Cl2Hyb");
    const Function* hyb2cl = session.Find(u"Hyb2Cl");
    ASSERT_NE(cl2hyb, nullptr);
    ASSERT_NE(hyb2cl, nullptr);
    const std::vector<double> hybrid =
        Numbers(cl2hyb->Call({Column({row.begin(), row.begin() + 6})}));
    ASSERT_EQ(hybrid.size(), 6u);
    const std::vector<double> back = Numbers(hyb2cl->Call({Column(hybrid)}));
    ASSERT_EQ(back.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_NEAR(back[k], row[k], 1e-9 * row[k]) << k;
    }

    // A routine's error reaches the cell as its text.
    const Function* tciCp = session.Find(u"TciCp");
    ASSERT_NE(tciCp, nullptr);
    std::vector<Value> uneven = {Column({0, 1, 1}), Column({0, 4}), Value::Number(200)};
    for (double h : hybrid) {
        uneven.push_back(Value::Number(h));
    }
    const std::optional<Value> unevenResult = tciCp->Call(uneven);
    ASSERT_TRUE(unevenResult.has_value());
    EXPECT_EQ(unevenResult->kind, Value::Kind::Str);
}

TEST_F(Xll, TheFunctionWizardIsADialogOfTheMainThreadTitledWithoutPasteOrReplace) {
    Session session;
    session.Load(AddinFile("Velmora.xll"));
    ASSERT_TRUE(session.Open().empty());
    const Function* marsh = session.Find(u"PropMarsh");
    ASSERT_NE(marsh, nullptr);
    const std::vector<Value> weight = {Value::Number(70)};
    const std::size_t computed = Numbers(marsh->Call(weight)).size();
    ASSERT_EQ(computed, 6u);

    {
        TopLevelWindow wizard(L"bosa_sdm_XL9", L"Function Arguments");
        ASSERT_TRUE(wizard.Created()) << "no window: is there a display?";
        EXPECT_EQ(marsh->Call(weight), Value::Truth(true));
        // Not even an argument that cannot be converted is read.
        const Function* white = session.Find(u"PropWhite");
        ASSERT_NE(white, nullptr);
        EXPECT_EQ(white->Call({Value::Number(40), Value::Number(70), Value::Text(u"not a flag")}),
                  Value::Truth(true));
    }
    EXPECT_EQ(Numbers(marsh->Call(weight)).size(), computed);
    {
        // The class name is compared without regard to case, by its first 11 characters.
        TopLevelWindow wizard(L"BOSA_SDM_xl12", L"Function Arguments");
        ASSERT_TRUE(wizard.Created());
        EXPECT_EQ(marsh->Call(weight), Value::Truth(true));
    }
    {
        TopLevelWindow paste(L"bosa_sdm_XL9", L"Paste Function");
        ASSERT_TRUE(paste.Created());
        EXPECT_EQ(Numbers(marsh->Call(weight)).size(), computed);
    }
    {
        TopLevelWindow replace(L"bosa_sdm_XL9", L"Find and Replace");
        TopLevelWindow shortName(L"bosa_sdm_X", L"Function Arguments");
        TopLevelWindow untitled(L"bosa_sdm_XL9", L"");
        ASSERT_TRUE(replace.Created() && shortName.Created() && untitled.Created());
        EXPECT_EQ(Numbers(marsh->Call(weight)).size(), computed);
    }
}

TEST_F(Xll, TheWizardCheckReadsTheMainThreadsWindowsFromACalculationThread) {
    Session session;
    session.Load(AddinFile("Velmora.xll"));
    ASSERT_TRUE(session.Open().empty());
    const Function* marsh = session.Find(u"PropMarsh");
    ASSERT_NE(marsh, nullptr);
    TopLevelWindow wizard(L"bosa_sdm_XL9", L"Function Arguments");
    ASSERT_TRUE(wizard.Created());

    struct Job {
        const Function* function;
        std::optional<Value> result;
    } job{marsh, std::nullopt};
    HANDLE thread = CreateThread(nullptr, 0, &CalculationThread<Job>, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The title of a window is asked of its thread: the main thread keeps its messages
    // flowing while it waits, as the spreadsheet's does.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    CloseHandle(thread);
    EXPECT_EQ(job.result, Value::Truth(true));
}

TEST_F(Xll, OpenAppendsTheAddinFolderToPathOnceAndCloseReleasesEverything) {
    const std::string folder = ProgramFolder().string();
    auto pathValue = [] {
        std::vector<char> buffer(GetEnvironmentVariableA("PATH", nullptr, 0) + 1);
        buffer.resize(
            GetEnvironmentVariableA("PATH", buffer.data(), static_cast<DWORD>(buffer.size())));
        return std::string(buffer.data(), buffer.size());
    };
    const std::string before = pathValue();

    Session session;
    Addin& corvane = session.Load(AddinFile("Corvane.xll"));
    ASSERT_TRUE(session.Open().empty());
    EXPECT_EQ(pathValue(), before + ";" + folder);
    ASSERT_EQ(corvane.AutoClose(), 1);
    ASSERT_EQ(corvane.AutoOpen(), 1);
    EXPECT_EQ(pathValue(), before + ";" + folder); // only at the first open in the process

    // A long dosing history fills this thread's temporary memory with megabytes.
    const Function* predCp = session.Find(u"PredCp");
    ASSERT_NE(predCp, nullptr);
    const std::size_t rows = 200000;
    const Value deltaTimes = Column(std::vector<double>(rows, 0.1));
    const Value rates = Column(std::vector<double>(rows, 10.0));
    const Value boluses = Column(std::vector<double>(rows, 0.0));
    const std::vector<double> hybrid = {0.22, 0.0056, 0.0004, 0.96, 0.045, 0.0024};
    std::vector<Value> arguments = {deltaTimes, rates, boluses};
    for (double h : hybrid) {
        arguments.push_back(Value::Number(h));
    }
    ASSERT_EQ(Numbers(predCp->Call(arguments)).size(), rows);

    const std::size_t registered = session.Functions().size();
    ASSERT_EQ(corvane.AutoRemove(), 1);
    const std::size_t busyBefore = BusyHeapBytes();
    ASSERT_EQ(corvane.AutoClose(), 1);
    const std::size_t busyAfter = BusyHeapBytes();
    // The result column alone took rows value records of the host's size.
    EXPECT_GT(busyBefore, busyAfter + rows * sizeof(xlf::XLOPER12))
        << busyBefore << " " << busyAfter;
    EXPECT_EQ(Host::Instance().Unregistered().size(), registered);
    EXPECT_EQ(Host::Instance().OutstandingRecords(), 0u);
    EXPECT_EQ(Host::Instance().ForeignFrees(), 0u);
}
