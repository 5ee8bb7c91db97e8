// Parameter changes made between two blocks reach the audio thread in a queue. Whatever the mix
// of changes, the next blocks must sound exactly as if each change had been applied the moment it
// was made, in arrival order: "quality" re-prepares the engine where it falls in the sequence,
// and the drive and trim ramps start from where the sequence puts them. The reference is a
// processor that applies every change at once and renders every filter plainly.

#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace ParameterIDs;

namespace
{
struct Step
{
    enum Kind { set, restore, block, emptyBlock } kind;
    int index = 0;
    float value = 0.0f;
};

Step set (int index, float value) { return { Step::set, index, value }; }
const Step restore { Step::restore };
const Step block { Step::block };
const Step emptyBlock { Step::emptyBlock };

// A state to restore: quality on, drive 10 dB, trim -6 dB, a graphic band at +5 dB.
juce::MemoryBlock savedState()
{
    ProcessorHarness source;
    source.set (ids[quality], 1.0f);
    source.set (ids[drive], 10.0f);
    source.set (ids[trim], -6.0f);
    source.set (ids[graphicGain1 + 4], 5.0f);
    return source.save();
}

struct Case
{
    const char* name;
    std::vector<Step> steps;
};
} // namespace

TEST (ChangeOrder, TheNextBlocksSoundAsIfEachChangeWasAppliedAtOnceInArrivalOrder)
{
    const auto state = savedState();

    const Case cases[] = {
        { "trim, then quality (the re-preparation ends the trim's ramp)",
          { set (trim, -9.6f), set (quality, 1.0f), block, block, block } },
        { "quality, then drive and trim (both ramp from the re-prepared values)",
          { set (quality, 1.0f), set (drive, 10.0f), set (trim, 9.6f), block, block, block } },
        { "an empty block steps the drive ramp",
          { set (drive, 10.0f), emptyBlock, block, emptyBlock, set (drive, 2.0f), emptyBlock, emptyBlock, block, block } },
        { "quality on and off twice in a row, with drive and trim between",
          { block, set (drive, 8.0f), set (quality, 1.0f), set (quality, 0.0f), set (trim, -3.0f), set (quality, 1.0f),
            set (drive, 0.0f), set (quality, 0.0f), block, block, block } },
        { "a restore, then changes",
          { block, restore, set (trim, 3.0f), set (drive, 0.0f), set (quality, 0.0f), block, block, block } },
        { "changes, then a restore",
          { block, set (drive, 15.0f), set (quality, 1.0f), set (trim, 12.0f), restore, block, block, block } },
        { "every kind of change between two running blocks",
          { block, block, set (graphicGain1 + 2, 6.0f), set (midSide, 1.0f), set (quality, 1.0f), set (drive, 12.0f),
            set (parametricFreq1 + 1, 700.0f), set (trim, -1.5f), set (quality, 0.0f), set (highpass, 80.0f),
            set (drive, 4.0f), set (phase, 1.0f), set (quality, 1.0f), set (tubeGain1 + 3, 7.0f), block, block, block } },
    };

    for (const auto& testCase : cases)
    {
        // A third processor leaves the empty blocks out: where there are some, its output must
        // differ, or they would have stepped nothing.
        ProcessorHarness reference, queued, withoutEmptyBlocks;
        reference.processor->setImmediateParameterRoad (true);
        reference.processor->setReferenceRendering (true);
        reference.prepare (48000.0, 512);
        queued.prepare (48000.0, 512);
        withoutEmptyBlocks.prepare (48000.0, 512);

        juce::Random random (3);
        juce::MidiBuffer midi;
        int blockNumber = 0;
        bool hasEmptyBlocks = false, emptyBlocksMattered = false;

        for (const auto& step : testCase.steps)
        {
            switch (step.kind)
            {
                case Step::set:
                    for (auto* harness : { &reference, &queued, &withoutEmptyBlocks })
                        harness->set (ids[(size_t) step.index], step.value);
                    break;

                case Step::restore:
                    for (auto* harness : { &reference, &queued, &withoutEmptyBlocks })
                        harness->restore (state);
                    break;

                case Step::emptyBlock:
                {
                    juce::AudioBuffer<float> empty (2, 0);
                    reference.processor->processBlock (empty, midi);
                    queued.processor->processBlock (empty, midi);
                    hasEmptyBlocks = true;
                    break;
                }

                case Step::block:
                {
                    juce::AudioBuffer<float> expected (2, 512), actual, other;
                    TestSignals::fillNoise (expected, random, 0.3f);
                    actual.makeCopyOf (expected);
                    other.makeCopyOf (expected);
                    reference.processor->processBlock (expected, midi);
                    queued.processor->processBlock (actual, midi);
                    withoutEmptyBlocks.processor->processBlock (other, midi);

                    for (int ch = 0; ch < 2; ++ch)
                        for (int i = 0; i < 512; ++i)
                            emptyBlocksMattered = emptyBlocksMattered || other.getSample (ch, i) != actual.getSample (ch, i);

                    for (int ch = 0; ch < 2; ++ch)
                        for (int i = 0; i < 512; ++i)
                            ASSERT_EQ (expected.getSample (ch, i), actual.getSample (ch, i))
                                << testCase.name << ": block " << blockNumber << ", channel " << ch << ", sample " << i;

                    ++blockNumber;
                    break;
                }
            }
        }

        EXPECT_EQ (emptyBlocksMattered, hasEmptyBlocks) << testCase.name;
    }
}
