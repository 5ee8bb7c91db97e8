// The audio thread must never allocate. This test program replaces the C allocation functions
// (which operator new and the framework's own buffers all end up in) with ones that count the
// calls made while a test marks its thread as the audio thread, then hand over to glibc.

#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace
{
thread_local bool countingAllocations = false;
std::atomic<int> allocationsSeen { 0 };

inline void noteAllocation() noexcept
{
    if (countingAllocations)
        allocationsSeen.fetch_add (1, std::memory_order_relaxed);
}

/** Counts the allocations made on this thread while it lives. */
struct AudioThreadScope
{
    AudioThreadScope() { allocationsSeen = 0; countingAllocations = true; }
    ~AudioThreadScope() { countingAllocations = false; }
    int count() const { return allocationsSeen.load(); }
};

using namespace ParameterIDs;
const char* id (int index) { return ids[(size_t) index]; }
} // namespace

extern "C"
{
void* __libc_malloc (size_t);
void* __libc_calloc (size_t, size_t);
void* __libc_realloc (void*, size_t);
void* __libc_memalign (size_t, size_t);

void* malloc (size_t size) { noteAllocation(); return __libc_malloc (size); }
void* calloc (size_t count, size_t size) { noteAllocation(); return __libc_calloc (count, size); }
void* realloc (void* p, size_t size) { noteAllocation(); return __libc_realloc (p, size); }
void* memalign (size_t alignment, size_t size) { noteAllocation(); return __libc_memalign (alignment, size); }
void* aligned_alloc (size_t alignment, size_t size) { noteAllocation(); return __libc_memalign (alignment, size); }

int posix_memalign (void** result, size_t alignment, size_t size)
{
    noteAllocation();
    auto* p = __libc_memalign (alignment, size);

    if (p == nullptr)
        return ENOMEM;

    *result = p;
    return 0;
}
}

TEST (Realtime, CountingSeesAllocations)
{
    AudioThreadScope scope;
    juce::HeapBlock<float> block (64);
    juce::AudioBuffer<float> buffer (2, 64);
    juce::String text (juce::String::repeatedString ("allocated ", 10));
    EXPECT_GE (scope.count(), 3);
}

TEST (Realtime, RenderingAndApplyingChangesAllocateNothing)
{
    for (const int channels : { 1, 2 })
    {
        ProcessorHarness harness (channels);
        harness.prepare (44100.0, 256);
        juce::AudioBuffer<float> buffer (channels, 256);
        juce::Random random (4);
        juce::MidiBuffer midi;

        // Changes made elsewhere, each applied by the next block: every section, the rate
        // switch both ways, mid/side, phase and drive.
        const std::vector<std::pair<int, float>> changes {
            { graphicGain1 + 4, 7.0f }, { parametricFreq1 + 3, 15000.0f }, { tubeBandwidth, 4.0f },
            { quality, 1.0f }, { midSide, 2.0f }, { drive, 12.0f }, { phase, 1.0f }, { highpass, 300.0f },
            { quality, 0.0f }, { trim, -6.0f }, { midSide, 0.0f }, { quality, 1.0f },
        };

        for (const auto& [index, value] : changes)
        {
            harness.set (id (index), value);
            TestSignals::fillNoise (buffer, random);

            AudioThreadScope scope;
            harness.processor->processBlock (buffer, midi);
            EXPECT_EQ (scope.count(), 0) << "after " << id (index) << " on " << channels << " channel(s)";
        }

        // More changes than the queue holds, then a block that catches up with them.
        for (int n = 0; n < 5000; ++n)
            harness.set (id (graphicGain1 + n % 10), (float) (n % 25) - 12.0f);

        {
            TestSignals::fillNoise (buffer, random);
            AudioThreadScope scope;
            harness.processor->processBlock (buffer, midi);
            EXPECT_EQ (scope.count(), 0) << "after a flood of changes on " << channels << " channel(s)";
        }

        // A block longer than the prepared maximum, with oversampling on.
        juce::AudioBuffer<float> longBlock (channels, 256 * 9 + 17);
        TestSignals::fillNoise (longBlock, random);
        AudioThreadScope scope;
        harness.processor->processBlock (longBlock, midi);
        EXPECT_EQ (scope.count(), 0) << "long block on " << channels << " channel(s)";
    }
}

TEST (Realtime, AutomationArrivingOnTheAudioThreadAllocatesNothingInTheEngine)
{
    // The engine's listener only marks the settings as stale; the next block applies them.
    ProcessorHarness harness;
    harness.prepare (48000.0, 128);
    juce::AudioBuffer<float> buffer (2, 128);
    juce::MidiBuffer midi;
    juce::Random random (8);

    for (int round = 0; round < 200; ++round)
    {
        auto& parameter = *harness.processor->getParameters()[random.nextInt (count)];
        const auto value = random.nextFloat();
        TestSignals::fillNoise (buffer, random);

        AudioThreadScope scope;
        parameter.setValueNotifyingHost (value);
        harness.processor->processBlock (buffer, midi);
        ASSERT_EQ (scope.count(), 0) << "round " << round << ", " << parameter.getName (100);
    }
}
