// Faults found by the hostile-input tests and the fuzz targets, each guarded here at the
// framework's level.

#include "HostFixture.h"
#include "HostileRecords.h"
#include "xlf/Diagnostics.h"
#include "xlf/Frame.h"
#include "xlf/Win32StreamBuf.h"
#include "xlf/XlfOper.h"

#include <string>
#include <thread>
#include <vector>

using namespace xlf;

namespace {

using RobustnessTest = HostTest;

const std::string kNotOneDimensional =
    "invalid OPER structure (memory could be exhausted), param Not unidemensional";

} // namespace

// A 1 x 0 or 0 x 1 array, and an area of no rows or no columns, has one dimension of 1 but
// no cell: it used to pass as an empty vector, which the worksheet functions then returned
// as an empty (missing) cell instead of a message.
TEST_F(RobustnessTest, ToDoubleVectorRefusesAnArrayOrAreaWithoutCells) {
    TempMemory::EnterScope();
    hostile::RecordArena arena;
    XLOPER12 shapes[] = {arena.Array(1, 0, {}), arena.Array(0, 1, {}), arena.SRef(0, 0, 3, 2),
                         arena.SRef(4, 3, 0, 0),
                         arena.Ref(standin::Host::kCurrentSheet, {{0, 0, 3, 2}})};
    for (XLOPER12& shape : shapes) {
        SCOPED_TRACE(shape.xltype);
        EXPECT_EQ(MessageOf([&] { XlfOper(&shape).ToDoubleVector("param"); }), kNotOneDimensional);
    }
    // One cell still gives one number.
    XLOPER12 one = arena.Array(1, 1, {arena.Number(2.5)});
    EXPECT_EQ(XlfOper(&one).ToDoubleVector("param"), std::vector<double>{2.5});
    TempMemory::LeaveScope();
}

// Through the frame: the cell shows the message.
TEST_F(RobustnessTest, AFrameGivenAnArrayWithoutCellsShowsTheMessage) {
    hostile::RecordArena arena;
    XLOPER12 empty = arena.Array(1, 0, {});
    const XLOPER12* result = Frame([&] { return XlfOper(&empty).ToDoubleVector("param"); });
    ASSERT_EQ(hostile::Classify(result), hostile::ResultKind::Text);
    EXPECT_EQ(TextOf(*result), standin::Utf16(kNotOneDimensional));
}

// Conversion errors raised on several threads at once each write a diagnostic line: the
// stream's buffer used to be appended to from all of them at once, which corrupted the heap
// when many threads called the wrappers with bad flags.
TEST_F(RobustnessTest, DiagnosticLinesFromManyThreadsArriveWhole) {
    constexpr int kThreads = 8;
    constexpr int kLines = 2000;
    standin::DiagnosticCapture capture;
    {
        // The add-in's own buffer, as while it is loaded, under the capture.
        DiagnosticStreamRedirection redirection;
        std::vector<std::thread> writers;
        for (int t = 0; t < kThreads; ++t) {
            writers.emplace_back([t] {
                for (int k = 0; k < kLines; ++k) {
                    WriteDiagnosticLine("thread " + std::to_string(t) + " line " +
                                        std::to_string(k));
                }
            });
        }
        for (std::thread& w : writers) {
            w.join();
        }
    }
    // Nothing reached the capture: the buffer hands lines to the debugger only.
    EXPECT_EQ(capture.Lines().size(), 0u);

    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([t] {
            for (int k = 0; k < kLines; ++k) {
                WriteDiagnosticLine("thread " + std::to_string(t) + " line " + std::to_string(k));
            }
        });
    }
    for (std::thread& w : writers) {
        w.join();
    }
    const std::vector<std::string> lines = capture.Lines();
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
    EXPECT_EQ(capture.Count("thread 3 line "), static_cast<std::size_t>(kLines));
}
