#include "dsp/GraphicEQ.h"
#include "dsp/ParametricEQ.h"
#include "dsp/TubeEQ.h"

#include "TestSignals.h"

#include <gtest/gtest.h>

namespace
{
using Filter = orvane_dsp::SVFilter<float>;
using Context = juce::dsp::ProcessContextReplacing<float>;

template <typename Section>
void run (Section& section, juce::AudioBuffer<float>& buffer)
{
    juce::dsp::AudioBlock<float> block (buffer);
    section.process (Context (block));
}

juce::AudioBuffer<float> noise (int channels, int samples)
{
    juce::AudioBuffer<float> buffer (channels, samples);
    juce::Random random (3);
    TestSignals::fillNoise (buffer, random);
    return buffer;
}

bool equal (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        if (std::memcmp (a.getReadPointer (ch), b.getReadPointer (ch), sizeof (float) * (size_t) a.getNumSamples()) != 0)
            return false;

    return true;
}

// A tube section whose drive smoothers have settled at the given drive.
TubeEQ<float> settledTube (float driveDb, juce::uint32 channels = 1)
{
    TubeEQ<float> tube;
    tube.driveDecibels.setTargetValue (driveDb);
    tube.driveGain.setTargetValue ((float) std::pow (10.0, (double) (driveDb * 0.05f)));
    tube.prepare ({ 44100.0, 512, channels });
    tube.driveDecibels.setCurrentAndTargetValue (driveDb);
    tube.driveGain.setCurrentAndTargetValue ((float) std::pow (10.0, (double) (driveDb * 0.05f)));
    return tube;
}
} // namespace

TEST (GraphicEQ, AllBandsFlatReturnTheBlockUnchanged)
{
    GraphicEQ<float> eq;
    eq.prepare ({ 44100.0, 512, 2 });
    auto buffer = noise (2, 512);
    const auto input = buffer;
    run (eq, buffer);
    EXPECT_TRUE (equal (buffer, input));
}

TEST (GraphicEQ, BandsAreProportionalBellsAtTheirCentres)
{
    GraphicEQ<float> eq;
    eq.prepare ({ 48000.0, 512, 1 });

    for (auto& band : eq.bands)
        EXPECT_NEAR (band.getCoefficients().damping, 0.9, 1e-8);

    eq.bands[5].setParameter (Filter::kGain, 12.0f);
    eq.bands[2].setParameter (Filter::kGain, -12.0f);
    EXPECT_NEAR (eq.bands[5].getCoefficients().damping, 0.6019, 5e-5);
    EXPECT_EQ (eq.bands[2].getCoefficients().damping, eq.bands[5].getCoefficients().damping);

    // The 1000 Hz band boosts by exactly 12 dB at 1000 * 6.28 / 2 pi Hz.
    const double centre = 1000.0 * (double) 6.28f / TestSignals::twoPi;
    const int settle = 48000, length = 24000;
    juce::AudioBuffer<float> buffer (1, settle + length);
    TestSignals::fillSine (buffer.getWritePointer (0), buffer.getNumSamples(), centre, 48000.0, 0.1);
    eq.bands[2].setParameter (Filter::kGain, 0.0f);
    run (eq, buffer);
    const auto gain = TestSignals::sineAmplitude (buffer.getReadPointer (0) + settle, length, centre, 48000.0, settle) / 0.1;
    EXPECT_NEAR (TestSignals::toDecibels (gain), 12.0, 0.01);
}

TEST (ParametricEQ, EveryBandKeepsTheFixedBandwidth)
{
    ParametricEQ<float> eq;
    eq.prepare ({ 44100.0, 512, 2 });

    for (auto& band : eq.bands)
    {
        band.setParameter (Filter::kGain, 12.0f);
        band.setParameter (Filter::kCutoff, 700.0f);
        EXPECT_EQ (band.getCoefficients().damping, 1.0 - (double) 0.1f);
    }
}

TEST (ParametricEQ, BandsHaveTheirTypes)
{
    ParametricEQ<float> eq;
    eq.prepare ({ 44100.0, 8192, 1 });

    // Only the low shelf raised: DC gets the gain; only the high shelf: the top end does.
    auto dcGain = [] (ParametricEQ<float>& section)
    {
        juce::AudioBuffer<float> buffer (1, 44100);
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (0, i, 0.1f);
        run (section, buffer);
        return buffer.getSample (0, buffer.getNumSamples() - 1) / 0.1f;
    };

    eq.bands[0].setParameter (Filter::kGain, 6.0f);
    EXPECT_NEAR (dcGain (eq), std::pow (10.0f, 6.0f / 20.0f), 1e-4);

    ParametricEQ<float> high;
    high.prepare ({ 44100.0, 8192, 1 });
    high.bands[3].setParameter (Filter::kGain, 6.0f);
    EXPECT_NEAR (dcGain (high), 1.0f, 1e-4);
}

TEST (TubeEQ, SaturationIsIdleAtZeroDriveInSteadyState)
{
    auto tube = settledTube (0.0f, 2);
    auto buffer = noise (2, 512);
    const auto input = buffer;
    run (tube, buffer);
    EXPECT_TRUE (equal (buffer, input));
}

TEST (TubeEQ, WaveshaperAtFullDrive)
{
    auto tube = settledTube (20.0f);
    const double compensation = std::pow (10.0, 20.0 * 0.75 * -0.05);
    EXPECT_NEAR (compensation, 0.1778, 1e-4);

    // 0.1 * 10 + 0.25 = 1.25 is limited to 0.99.
    EXPECT_EQ (tube.tubeDistortion (0.1f), (float) ((double) (0.99f - 0.25f) * compensation));
    EXPECT_NEAR (tube.tubeDistortion (0.1f), 0.1316f, 1e-4f);
}

TEST (TubeEQ, WaveshaperAtUnityDrive)
{
    // d = 1, a = 0: these follow the end of a ramp back to 0 dB within its last block.
    auto tube = settledTube (0.0f);
    struct Case { float in, out, tolerance; };
    const Case cases[] = {
        { -0.25f, -0.25f, 1e-7f }, { 0.0f, 0.0f, 0.0f }, { 0.5f, 0.5f, 1e-7f }, { 0.7399f, 0.7399f, 1e-6f },
        { 0.74f, 0.74f, 1e-6f },   { 0.9f, 0.74f, 1e-6f }, { 3.0f, 0.74f, 1e-6f },
        // (2 / pi) * atan (-1) - 0.25
        { -1.25f, -0.75f, 1e-6f },
    };

    for (const auto& c : cases)
        EXPECT_NEAR (tube.tubeDistortion (c.in), c.out, c.tolerance) << c.in;

    // Negative peaks are compressed smoothly, never beyond -1.25 in.
    EXPECT_GT (tube.tubeDistortion (-100.0f), -1.25f);
}

TEST (TubeEQ, FreshSectionFadesInFromSilence)
{
    TubeEQ<float> tube;
    tube.prepare ({ 44100.0, 4096, 1 });

    juce::AudioBuffer<float> buffer (1, 2048);
    for (int i = 0; i < buffer.getNumSamples(); ++i)
        buffer.setSample (0, i, 0.1f);
    run (tube, buffer);

    // The block's own check takes the first step of the 882-step ramp, each sample one more.
    const int rampSteps = (int) std::floor (0.02 * 44100.0);
    EXPECT_EQ (rampSteps, 882);
    EXPECT_NEAR (buffer.getSample (0, 0), 0.1f * 2.0f / 882.0f, 1e-6f);
    EXPECT_NEAR (buffer.getSample (0, 439), 0.1f * 441.0f / 882.0f, 1e-5f);
    EXPECT_NEAR (buffer.getSample (0, 879), 0.1f * 881.0f / 882.0f, 1e-5f);
    EXPECT_NEAR (buffer.getSample (0, 880), 0.1f, 1e-6f);
    EXPECT_NEAR (buffer.getSample (0, 2000), 0.1f, 1e-6f);

    // A later block with the ramp finished is left alone.
    for (int i = 0; i < buffer.getNumSamples(); ++i)
        buffer.setSample (0, i, 0.1f);
    run (tube, buffer);
    EXPECT_EQ (buffer.getSample (0, 0), 0.1f);
}

TEST (TubeEQ, ATwoChannelBlockAdvancesTheRampTwiceAsFast)
{
    TubeEQ<float> tube;
    tube.prepare ({ 44100.0, 4096, 2 });

    juce::AudioBuffer<float> buffer (2, 600);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 600; ++i)
            buffer.setSample (ch, i, 0.1f);
    run (tube, buffer);

    // The second channel continues where the first one left off.
    EXPECT_NEAR (buffer.getSample (1, 0), 0.1f * 602.0f / 882.0f, 1e-5f);
    EXPECT_NEAR (buffer.getSample (1, 300), 0.1f, 1e-5f);
}

TEST (TubeEQ, DriveChangeRampsGainUpAndCompensationDown)
{
    auto tube = settledTube (0.0f);
    tube.driveDecibels.setTargetValue (12.0f);
    tube.driveGain.setTargetValue ((float) std::pow (10.0, (double) (12.0f * 0.05f)));

    juce::AudioBuffer<float> buffer (1, 1000);
    for (int i = 0; i < 1000; ++i)
        buffer.setSample (0, i, -0.05f); // stays below the limit and above the knee
    run (tube, buffer);

    // Past the ramp: in * 10^(12/20), then -9 dB of compensation; the small-signal gain is 10^(3/20).
    EXPECT_NEAR (buffer.getSample (0, 999) / -0.05f, std::pow (10.0f, 3.0f / 20.0f), 1e-3f);
    EXPECT_NEAR (buffer.getSample (0, 0) / -0.05f, 1.0f, 0.01f);

    // Back to 0 dB: the stage stays on for the ramp and switches off once it has ended exactly at 1.
    tube.driveDecibels.setTargetValue (0.0f);
    tube.driveGain.setTargetValue (1.0f);
    juce::AudioBuffer<float> rampDown (1, 882);
    for (int i = 0; i < 882; ++i)
        rampDown.setSample (0, i, 0.9f);
    run (tube, rampDown);
    EXPECT_LT (rampDown.getSample (0, 881), 0.9f); // still shaped: 0.9 is limited to 0.74

    juce::AudioBuffer<float> after (1, 16);
    for (int i = 0; i < 16; ++i)
        after.setSample (0, i, 0.9f);
    run (tube, after);
    EXPECT_EQ (after.getSample (0, 15), 0.9f);
}
