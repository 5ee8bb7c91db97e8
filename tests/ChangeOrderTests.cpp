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

//==============================================================================
// Two threads that write one parameter at the same moment can queue their changes in the opposite
// order to their stores: the parameter (and the host, and the editor) then shows the newer value
// while the queue ends on the older one. The engine must still end on the value the parameter
// shows, and a change that arrives after the engine already took its value must change nothing.
// The tests stage those orders without a race: a store that nobody is told about is what the
// parameter holds between a writer's store and its listener call.
namespace
{
constexpr double raceRate = 44100.0;
constexpr int raceBlock = 512;

void storeUnannounced (ProcessorHarness& harness, int index, float value)
{
    auto& parameter = harness.parameter (ids[(size_t) index]);
    parameter.setValue (parameter.convertTo0to1 (value));
    harness.processor->treeState.getRawParameterValue (ids[(size_t) index])->store (value);
}

// Renders the same noise through both, block by block; they must agree sample for sample.
::testing::AssertionResult renderAlike (ProcessorHarness& expected, ProcessorHarness& actual, int numBlocks, juce::Random& random)
{
    juce::MidiBuffer midi;

    for (int n = 0; n < numBlocks; ++n)
    {
        juce::AudioBuffer<float> a (2, raceBlock), b;
        TestSignals::fillNoise (a, random, 0.3f);
        b.makeCopyOf (a);
        expected.processor->processBlock (a, midi);
        actual.processor->processBlock (b, midi);

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < raceBlock; ++i)
                if (a.getSample (ch, i) != b.getSample (ch, i))
                    return ::testing::AssertionFailure() << "block " << n << ", channel " << ch << ", sample " << i << ": "
                                                         << b.getSample (ch, i) << " where " << a.getSample (ch, i) << " was due";
    }

    return ::testing::AssertionSuccess();
}

// The gain of the part of the output that is in phase with a sine input: negative when the
// output is inverted.
double inPhaseGain (ProcessorHarness& harness, double frequency)
{
    const int settle = (int) harness.sampleRate, length = (int) harness.sampleRate / 2;
    const double amplitude = 0.1;
    juce::AudioBuffer<float> buffer (2, settle + length);

    for (int ch = 0; ch < 2; ++ch)
        TestSignals::fillSine (buffer.getWritePointer (ch), buffer.getNumSamples(), frequency, harness.sampleRate, amplitude);

    harness.render (buffer);
    double correlation = 0.0, power = 0.0;

    for (int i = settle; i < settle + length; ++i)
    {
        const double input = amplitude * std::sin (TestSignals::twoPi * frequency * (double) i / harness.sampleRate);
        correlation += (double) buffer.getSample (0, i) * input;
        power += input * input;
    }

    return correlation / power;
}

double gainDecibels (ProcessorHarness& harness, double frequency, double amplitude = 0.1)
{
    return TestSignals::toDecibels (harness.measureGain (frequency, 0, amplitude));
}

// Two processors with the same settings and the same history, running.
struct RacedAndPlain
{
    explicit RacedAndPlain (const std::vector<std::pair<int, float>>& settings)
    {
        for (auto* harness : { &plain, &raced })
        {
            for (const auto& [index, value] : settings)
                harness->set (ids[(size_t) index], value);

            harness->prepare (raceRate, raceBlock);
        }
    }

    ProcessorHarness plain, raced;
    juce::Random random { 11 };
};
} // namespace

TEST (ChangeOrder, AnOvertakenChangeStillLeavesTheEngineOnTheParametersValue)
{
    struct Case
    {
        const char* name;
        std::vector<std::pair<int, float>> settings;
        int index;
        float older, newer;
        std::function<double (ProcessorHarness&)> measure;
        double expected, tolerance;
    };

    const Case cases[] = {
        { "phase", {}, phase, 0.0f, 1.0f,
          [] (ProcessorHarness& h) { return inPhaseGain (h, 1000.0); }, -1.0, 0.01 },
        { "trim", {}, trim, 6.0f, -12.0f,
          [] (ProcessorHarness& h) { return gainDecibels (h, 440.0); }, -12.0, 1e-3 },
        { "drive", {}, drive, 0.0f, 12.0f,
          // In the waveshaper's linear region: 12 dB in, 9 dB out.
          [] (ProcessorHarness& h) { return gainDecibels (h, 1000.0, 0.005); }, 3.0, 1e-3 },
        { "a graphic band's gain", {}, graphicGain1 + 5, -12.0f, 12.0f,
          [] (ProcessorHarness& h) { return gainDecibels (h, warpedCentre (1000.0f)); }, 12.0, 0.02 },
        { "a parametric band's frequency", { { parametricOn, 1.0f }, { parametricGain1 + 1, 12.0f } },
          parametricFreq1 + 1, 400.0f, 1500.0f,
          [] (ProcessorHarness& h) { return gainDecibels (h, warpedCentre (1500.0f)); }, 12.0, 0.02 },
        { "quality", {}, quality, 0.0f, 1.0f,
          // The oversampler's half-band filters delay the output: at 1 kHz it lags by about 26 degrees.
          [] (ProcessorHarness& h) { return inPhaseGain (h, 1000.0); }, 0.9016, 0.001 },
    };

    for (const auto& c : cases)
    {
        RacedAndPlain pair (c.settings);
        ASSERT_TRUE (renderAlike (pair.plain, pair.raced, 2, pair.random)) << c.name;

        // The newer value's change arrives first, the older one's after it; the parameter is
        // left with the newer value.
        pair.plain.set (ids[(size_t) c.index], c.newer);
        pair.raced.set (ids[(size_t) c.index], c.newer);
        pair.raced.set (ids[(size_t) c.index], c.older);
        storeUnannounced (pair.raced, c.index, c.newer);
        ASSERT_EQ (pair.raced.get (ids[(size_t) c.index]), c.newer) << c.name;

        EXPECT_TRUE (renderAlike (pair.plain, pair.raced, 6, pair.random)) << c.name;
        EXPECT_NEAR (c.measure (pair.raced), c.expected, c.tolerance) << c.name;
    }
}

TEST (ChangeOrder, AChangeArrivingAfterTheEngineTookItsValueChangesNothing)
{
    // A writer has stored its value but not yet called the listener when a block starts that
    // brings another parameter's change: the block catches up with the stored value too, and the
    // change queued later finds it applied.
    struct Case
    {
        const char* name;
        std::vector<std::pair<int, float>> settings;
        int index;
        float before, value;
    };

    const Case cases[] = {
        { "quality on (a second re-preparation would clear every filter)", {}, quality, 0.0f, 1.0f },
        { "quality off", { { quality, 1.0f } }, quality, 1.0f, 0.0f },
        { "trim, during its ramp", {}, trim, 0.0f, -9.0f },
        { "drive, during its ramp", {}, drive, 0.0f, 10.0f },
    };

    for (const auto& c : cases)
    {
        // Bands with gain and a high-pass keep state in their filters, which a needless
        // re-preparation would audibly clear.
        std::vector<std::pair<int, float>> settings { { graphicGain1 + 2, 6.0f }, { graphicGain1 + 7, -4.0f }, { highpass, 60.0f } };
        settings.insert (settings.end(), c.settings.begin(), c.settings.end());

        const auto* parameterID = ids[(size_t) c.index];
        RacedAndPlain pair (settings);
        ASSERT_TRUE (renderAlike (pair.plain, pair.raced, 2, pair.random)) << c.name;

        // The other change: a panel switch, which the engine does not hear.
        pair.plain.set (parameterID, c.value);
        pair.plain.set (ids[graphicOn], 0.0f);
        storeUnannounced (pair.raced, c.index, c.value);
        pair.raced.set (ids[graphicOn], 0.0f);
        EXPECT_TRUE (renderAlike (pair.plain, pair.raced, 1, pair.random)) << c.name << ", the block that takes the value";

        // The late listener call, staged: the parameter goes back to its earlier value
        // unannounced, and setting it again announces the value the engine already applies.
        storeUnannounced (pair.raced, c.index, c.before);
        pair.raced.set (parameterID, c.value);
        ASSERT_EQ (pair.raced.get (parameterID), c.value) << c.name;

        EXPECT_TRUE (renderAlike (pair.plain, pair.raced, 6, pair.random)) << c.name << ", after the late change";
    }
}
