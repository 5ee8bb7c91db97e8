// The audio thread must never allocate. Every allocation of this test program goes through the
// replacement operator new below, which counts those made while a test marks its thread as
// the audio thread.

#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
thread_local bool countingAllocations = false;
std::atomic<int> allocationsSeen { 0 };

void* allocate (std::size_t size)
{
    if (countingAllocations)
        ++allocationsSeen;

    if (auto* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    if (countingAllocations)
        ++allocationsSeen;

    const auto align = (std::size_t) alignment;
    if (auto* p = std::aligned_alloc (align, (size + align - 1) / align * align))
        return p;

    throw std::bad_alloc();
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

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { try { return allocate (size); } catch (...) { return nullptr; } }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { try { return allocate (size); } catch (...) { return nullptr; } }
void* operator new (std::size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }
void operator delete (void* p, std::align_val_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { std::free (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { std::free (p); }

TEST (Realtime, CountingSeesAllocations)
{
    AudioThreadScope scope;
    auto* p = new int (3);
    delete p;
    EXPECT_EQ (scope.count(), 1);
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
