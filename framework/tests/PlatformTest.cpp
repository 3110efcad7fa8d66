#include "xlf/Platform.h"
#include "standin/Host.h"
#include "xlf/PascalStringConversions.h"
#include "xlf/TempMemory.h"
#include "xlf/ThreadLocalStorage.h"
#include "xlf/XlfExcel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <thread>

using namespace xlf;

TEST(Platform, ActiveCodePageRoundTrip) {
    const std::string text = "Sch\xC3\xB6nider \xE2\x82\xAC \xF0\x9F\x92\x89";
    const std::u16string wide = platform::WidenFromActiveCodePage(text);
    EXPECT_EQ(wide, u"Sch\u00F6nider \u20AC \U0001F489");
    EXPECT_EQ(platform::NarrowToActiveCodePage(wide), text);
    // Malformed input and unpaired surrogates have no equivalent.
    EXPECT_EQ(platform::WidenFromActiveCodePage("a\xFF"
                                                "b\xC3"),
              u"a\uFFFDb\uFFFD");
    EXPECT_EQ(platform::WidenFromActiveCodePage("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(platform::NarrowToActiveCodePage(std::u16string(1, char16_t(0xD800)) + u"x"), "?x");
}

TEST(Platform, CountedStrings) {
    const XCHAR* counted = NarrowToCountedWide("abc");
    EXPECT_EQ(CountedWideView(counted), u"abc");
    EXPECT_STREQ(CountedWideToNarrow(counted), "abc");
    EXPECT_STREQ(CountedWideToNarrow(nullptr), "");
    EXPECT_EQ(CountedWideView(WideToCountedWide(std::wstring_view(L"\U0001F489"))), u"\U0001F489");

    const unsigned char* bytes = NarrowToCountedByte(std::string(300, 'b'));
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(std::strlen(CountedByteToNarrow(bytes)), 255u);
    EXPECT_EQ(CountedByteToWide(NarrowToCountedByte("xy")), u"xy");
    EXPECT_EQ(WideToCountedByte(u"\u00E9")[0], 2); // two bytes in the active code page

    // A cut never splits a surrogate pair.
    std::u16string pairs;
    for (int i = 0; i < 20000; ++i) {
        pairs += u"\U0001F489";
    }
    const XCHAR* cut = WideToCountedWide(std::u16string_view(pairs));
    EXPECT_EQ(cut[0], 32766);
    EXPECT_EQ(cut[32766], 0xDC89);
}

TEST(Platform, ThreadLocalSlotsAreSeparatePerThread) {
    ThreadLocalStorage<int> slot;
    int mine = 1;
    EXPECT_EQ(slot.Get(), nullptr);
    EXPECT_TRUE(slot.Set(&mine));
    int* seen = &mine;
    std::thread([&] { seen = slot.Get(); }).join();
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(slot.Get(), &mine);
}

TEST(Platform, ThreadWatchTellsARunningThreadFromAnEndedOne) {
    const platform::ThreadWatch self = platform::ThreadWatch::OfCurrentThread();
    EXPECT_EQ(self.Id(), platform::CurrentThreadId());
    EXPECT_EQ(self.State(), platform::ThreadState::Running);
    platform::ThreadWatch other = self;
    platform::ThreadId otherId = 0;
    std::thread([&] {
        other = platform::ThreadWatch::OfCurrentThread();
        otherId = platform::CurrentThreadId();
    }).join();
    EXPECT_NE(otherId, self.Id());
    EXPECT_EQ(other.Id(), otherId);
    EXPECT_EQ(other.State(), platform::ThreadState::Ended);
}

TEST(Platform, ModulesFilesAndEnvironment) {
    const auto path =
        platform::ModulePathOf(reinterpret_cast<const void*>(&platform::PathSeparator));
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(std::filesystem::path(*path).filename(), "framework_tests");
    EXPECT_TRUE(platform::IsExistingFile(*path));
    EXPECT_FALSE(platform::IsExistingFile(std::filesystem::path(*path).parent_path().string()));
    EXPECT_FALSE(platform::IsExistingFile("/no/such/file"));

    EXPECT_FALSE(platform::ReadEnvironmentVariable("XLF_TEST_UNSET_VARIABLE").has_value());
    EXPECT_TRUE(platform::WriteEnvironmentVariable("XLF_TEST_VARIABLE", "a;b"));
    EXPECT_EQ(platform::ReadEnvironmentVariable("XLF_TEST_VARIABLE"), "a;b");
}

TEST(Platform, TheFrameworkExportsNothingOfItsOwn) {
    // The test program exports its symbols, like the host program: the stand-in host's
    // entries are visible, the framework's are not (each add-in keeps its own copy).
    EXPECT_NE(dlsym(RTLD_DEFAULT, "MdCallBack12"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "_ZN3xlf8XlfExcel8InstanceEv"), nullptr);
    EXPECT_NE(reinterpret_cast<void*>(&XlfExcel::Instance), nullptr);
}

TEST(Platform, DebuggerOutputGoesToTheHostsDebugger) {
    standin::Host& host = standin::Host::Instance();
    host.Reset();
    EXPECT_FALSE(platform::DebuggerPresent());
    platform::OutputToDebugger("dropped\n");
    host.SetDebuggerAttached(true);
    EXPECT_TRUE(platform::DebuggerPresent());
    platform::OutputToDebugger("Stream redirected\n");
    EXPECT_EQ(host.DebuggerOutput(), "Stream redirected\n");
    host.Reset();
}
