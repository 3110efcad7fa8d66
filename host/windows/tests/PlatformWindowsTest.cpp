// The framework's platform layer on Windows, for real: thread-local storage, the critical
// section, a thread's exit state, top-level windows, the comparison under locale 1033,
// the module of an address, environment variables, code pages and debugger output.

#include "xlf/Platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <windows.h>

using namespace xlf;

namespace {
void AFunctionOfThisProgram() {}
} // namespace

TEST(PlatformWindows, ThreadLocalSlotsAndTheLock) {
    platform::TlsIndex index = 0;
    ASSERT_TRUE(platform::AllocateTlsIndex(index));
    int mine = 1;
    EXPECT_EQ(platform::GetTlsValue(index), nullptr);
    EXPECT_TRUE(platform::SetTlsValue(index, &mine));
    void* seen = &mine;
    std::thread([&] { seen = platform::GetTlsValue(index); }).join();
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(platform::GetTlsValue(index), &mine);
    platform::FreeTlsIndex(index);

    platform::Lock lock;
    long counter = 0;
    auto add = [&] {
        for (int k = 0; k < 100000; ++k) {
            platform::LockGuard guard(lock);
            counter = counter + 1;
        }
    };
    std::thread a(add);
    std::thread b(add);
    a.join();
    b.join();
    EXPECT_EQ(counter, 200000);
}

TEST(PlatformWindows, ThreadWatchReadsTheExitCodeThatMeansRunning) {
    std::atomic<bool> release{false};
    std::optional<platform::ThreadWatch> watch;
    std::atomic<bool> watched{false};
    std::thread t([&] {
        watch = platform::ThreadWatch::OfCurrentThread();
        watched = true;
        while (!release) {
            Sleep(1);
        }
    });
    while (!watched) {
        Sleep(1);
    }
    EXPECT_EQ(watch->State(), platform::ThreadState::Running);
    EXPECT_EQ(platform::ThreadWatch::OfCurrentThread().State(), platform::ThreadState::Running);
    release = true;
    t.join();
    EXPECT_EQ(watch->State(), platform::ThreadState::Ended);
}

TEST(PlatformWindows, TopLevelWindowsOfAThreadWithTheirClassNamesAndTitles) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"xlf_test_window";
    RegisterClassW(&wc);
    HWND first = CreateWindowExW(0, wc.lpszClassName, L"First \u00E9", WS_OVERLAPPEDWINDOW, 0, 0,
                                 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    HWND second = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(first, nullptr) << "no window: is there a display?";
    ASSERT_NE(second, nullptr);

    std::vector<std::u16string> titles;
    std::size_t ours = 0;
    platform::ForEachTopLevelWindow(platform::CurrentThreadId(),
                                    [&](const platform::WindowTexts& w) {
                                        if (w.ClassName() == u"xlf_test_window") {
                                            ++ours;
                                            titles.push_back(w.Title().value_or(u"(none)"));
                                        }
                                        return true;
                                    });
    EXPECT_EQ(ours, 2u);
    EXPECT_NE(std::find(titles.begin(), titles.end(), u"First \u00E9"), titles.end());
    EXPECT_NE(std::find(titles.begin(), titles.end(), u"(none)"), titles.end()); // empty title

    // Visiting stops when asked; another thread has none of these windows.
    std::size_t visits = 0;
    platform::ForEachTopLevelWindow(platform::CurrentThreadId(), [&](const auto&) {
        ++visits;
        return false;
    });
    EXPECT_EQ(visits, 1u);
    std::size_t elsewhere = 0;
    std::thread([&] {
        platform::ForEachTopLevelWindow(platform::CurrentThreadId(), [&](const auto& w) {
            elsewhere += w.ClassName() == u"xlf_test_window";
            return true;
        });
    }).join();
    EXPECT_EQ(elsewhere, 0u);
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(PlatformWindows, CaseIsIgnoredUnderEnglishUnitedStates) {
    EXPECT_TRUE(platform::EqualsIgnoreCaseEnglishUs(u"bosa_sdm_XL", u"BOSA_SDM_xl"));
    EXPECT_FALSE(platform::EqualsIgnoreCaseEnglishUs(u"bosa_sdm_XL", u"bosa_sdm_X"));
    EXPECT_FALSE(platform::EqualsIgnoreCaseEnglishUs(u"bosa_sdm_XL", u"bosa-sdm_XL"));
    EXPECT_TRUE(platform::EqualsIgnoreCaseEnglishUs(u"\u00C9t\u00E9", u"\u00E9T\u00C9"));
}

TEST(PlatformWindows, ModulesFilesAndEnvironment) {
    wchar_t program[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::optional<std::string> mine =
        platform::ModulePathOf(reinterpret_cast<const void*>(&AFunctionOfThisProgram));
    ASSERT_TRUE(mine.has_value());
    EXPECT_EQ(platform::WidenFromActiveCodePage(*mine),
              std::u16string(reinterpret_cast<const char16_t*>(program)));
    const std::optional<std::string> kernel =
        platform::ModulePathOf(reinterpret_cast<const void*>(&GetTickCount));
    ASSERT_TRUE(kernel.has_value());
    EXPECT_NE(kernel->find("kernel32"), std::string::npos) << *kernel;
    EXPECT_FALSE(platform::ModulePathOf(nullptr).has_value());

    EXPECT_TRUE(platform::IsExistingFile(*mine));
    EXPECT_FALSE(platform::IsExistingFile(mine->substr(0, mine->find_last_of('\\'))));
    EXPECT_FALSE(platform::IsExistingFile(*mine + ".missing"));
    EXPECT_EQ(platform::PathSeparator(), '\\');

    EXPECT_FALSE(platform::ReadEnvironmentVariable("XLF_TEST_UNSET_VARIABLE").has_value());
    EXPECT_TRUE(platform::WriteEnvironmentVariable("XLF_TEST_VARIABLE", ""));
    EXPECT_EQ(platform::ReadEnvironmentVariable("XLF_TEST_VARIABLE"), "");
    // Longer than the first read's 4096 characters: read again at the reported size.
    const std::string long_(10000, 'p');
    EXPECT_TRUE(platform::WriteEnvironmentVariable("XLF_TEST_VARIABLE", long_));
    EXPECT_EQ(platform::ReadEnvironmentVariable("XLF_TEST_VARIABLE"), long_);
    // Names are the same whatever their case: "PATH" is read and "Path" written.
    EXPECT_EQ(platform::ReadEnvironmentVariable(platform::kSearchPathReadName),
              platform::ReadEnvironmentVariable(platform::kSearchPathWriteName));
}

TEST(PlatformWindows, ActiveCodePageAndDebugger) {
    EXPECT_EQ(platform::WidenFromActiveCodePage("Schnider 53"), u"Schnider 53");
    EXPECT_EQ(platform::NarrowToActiveCodePage(u"Schnider 53"), "Schnider 53");
    // What the code page lacks becomes its default character, never a look-alike.
    const std::string narrowed = platform::NarrowToActiveCodePage(u"\u4E2D");
    EXPECT_EQ(narrowed, "?");
    // No debugger under the tests: its output is not written, and writing does no harm.
    EXPECT_FALSE(platform::DebuggerPresent());
    platform::OutputToDebugger("nothing sees this\n");
}
