// Checks of the sanitizer build itself: the one suppressed framework report stays suppressed,
// and every other report, of the same check or another, still stops the program.

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>

namespace
{
// Values the compiler cannot see through, so the faults below happen at run time.
volatile int largest = INT_MAX;
volatile size_t nothing = 0;
void* volatile nowhere = nullptr;

__attribute__ ((noinline)) void copyNothingIntoNull()
{
    char source[1] = {};
    std::memcpy (nowhere, source, nothing);
}

__attribute__ ((noinline)) int overflowAnInt()
{
    return largest + 1;
}

__attribute__ ((noinline)) int readPastTheEnd()
{
    auto block = std::make_unique<int[]> (4);
    return block[(size_t) (largest - INT_MAX + 4)];
}
} // namespace

TEST (SanitizerBuild, CopyingAnEmptyUrlIsTheSuppressedFrameworkReport)
{
    // The framework's copy of an empty URL hands memcpy two null pointers and no bytes.
    const juce::URL empty;
    juce::URL copy;
    copy = empty;
    EXPECT_TRUE (copy.isEmpty());
}

TEST (SanitizerBuildDeathTest, EveryOtherReportStopsTheProgram)
{
    GTEST_FLAG_SET (death_test_style, "threadsafe");

    // The suppressed check from the project's own code, then other undefined behaviour and a
    // memory error.
    EXPECT_DEATH (copyNothingIntoNull(), "null pointer passed as argument 1");
    EXPECT_DEATH (overflowAnInt(), "signed integer overflow");
    EXPECT_DEATH (readPastTheEnd(), "heap-buffer-overflow");
}
