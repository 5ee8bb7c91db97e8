#include <orvane_modules/orvane_modules.h>

#include "TestSignals.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using Filter = orvane_dsp::SVFilter<float>;

Filter makeFilter (Filter::FilterType type, float cutoff, float gainDb, Filter::QType qType,
                   double sampleRate = 44100.0, juce::uint32 channels = 1)
{
    Filter filter;
    filter.prepare ({ sampleRate, 512, channels });
    filter.setParameter (Filter::kType, (float) type);
    filter.setParameter (Filter::kCutoff, cutoff);
    filter.setParameter (Filter::kQType, (float) qType);
    filter.setParameter (Filter::kGain, gainDb);
    return filter;
}

void run (Filter& filter, juce::AudioBuffer<float>& buffer)
{
    juce::dsp::AudioBlock<float> block (buffer);
    filter.process (juce::dsp::ProcessContextReplacing<float> (block));
}

// Steady-state gain of a filter at one frequency, measured on a sine.
double measureGain (Filter& filter, double frequency, double sampleRate)
{
    const int settle = (int) sampleRate, measure = (int) sampleRate / 2;
    juce::AudioBuffer<float> buffer (1, settle + measure);
    TestSignals::fillSine (buffer.getWritePointer (0), buffer.getNumSamples(), frequency, sampleRate, 0.25);
    run (filter, buffer);
    return TestSignals::sineAmplitude (buffer.getReadPointer (0) + settle, measure, frequency, sampleRate, settle) / 0.25;
}

juce::AudioBuffer<float> noiseBuffer (int channels, int samples, int seed = 1)
{
    juce::AudioBuffer<float> buffer (channels, samples);
    juce::Random random (seed);
    TestSignals::fillNoise (buffer, random);
    return buffer;
}

bool buffersEqual (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            if (a.getSample (ch, i) != b.getSample (ch, i))
                return false;

    return true;
}
} // namespace

TEST (SVFilterCoefficients, NewFilterHasDampingOfOneMinusTheSinglePrecisionTenth)
{
    const Filter filter;
    const auto c = filter.getCoefficients();

    EXPECT_EQ (c.damping, 1.0 - (double) 0.1f);
    EXPECT_EQ (c.twoDamping, 2.0 * (1.0 - (double) 0.1f));
    EXPECT_EQ (c.normaliser, 1.0);
    EXPECT_EQ (c.g, 0.0);
}

TEST (SVFilterCoefficients, CutoffIsWarpedWithOmegaOfCutoffTimes628)
{
    // 1000 Hz * 6.28f is exactly 6280 rad/s in single precision, not 2 pi * 1000.
    const auto filter = makeFilter (Filter::kBell, 1000.0f, 0.0f, Filter::kParametric);
    const double halfPeriod = 0.5 * (1.0 / 44100.0);
    const double expectedG = std::tan (6280.0 * halfPeriod) * (2.0 * 44100.0) * halfPeriod;

    EXPECT_EQ ((double) (1000.0f * 6.28f), 6280.0);
    EXPECT_EQ (filter.getCoefficients().g, expectedG);
    EXPECT_NEAR (filter.getCoefficients().g, std::tan (6280.0 / 88200.0), 1e-15);
}

TEST (SVFilterCoefficients, ParametricModeKeepsDampingAtOneMinusQ)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 6.0f, Filter::kParametric);
    EXPECT_EQ (filter.getCoefficients().damping, 1.0 - (double) 0.1f);

    filter.setParameter (Filter::kQ, 0.7f);
    EXPECT_EQ (filter.getCoefficients().damping, 1.0 - (double) 0.7f);
    EXPECT_NEAR (filter.getCoefficients().damping, 0.3, 1e-7);

    // The gain does not touch the damping in this mode.
    filter.setParameter (Filter::kGain, 12.0f);
    EXPECT_EQ (filter.getCoefficients().damping, 1.0 - (double) 0.7f);
}

TEST (SVFilterCoefficients, ProportionalDampingFollowsTheGainMagnitude)
{
    struct Case { Filter::FilterType type; float gainDb; double damping; };
    const Case cases[] = {
        { Filter::kBell, 0.0f, 0.9 },      { Filter::kBell, 6.0f, 0.8005 },       { Filter::kBell, 12.0f, 0.6019 },
        { Filter::kBell, -12.0f, 0.6019 }, { Filter::kLowShelf, 0.0f, 0.99 },     { Filter::kHighShelf, 6.0f, 0.7412 },
        { Filter::kLowShelf, 12.0f, 0.2447 }, { Filter::kHighShelf, -12.0f, 0.2447 },
    };

    for (const auto& c : cases)
    {
        const auto filter = makeFilter (c.type, 1000.0f, c.gainDb, Filter::kProportional);
        EXPECT_NEAR (filter.getCoefficients().damping, c.damping, 5e-5) << "type " << c.type << " gain " << c.gainDb;
    }

    // The sign of the gain does not matter, bit for bit.
    EXPECT_EQ (makeFilter (Filter::kBell, 500.0f, 12.0f, Filter::kProportional).getCoefficients().damping,
               makeFilter (Filter::kBell, 500.0f, -12.0f, Filter::kProportional).getCoefficients().damping);
}

TEST (SVFilterCoefficients, ProportionalDampingChangesAtOnceWithTheGain)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 0.0f, Filter::kProportional);
    EXPECT_NEAR (filter.getCoefficients().damping, 0.9, 1e-8);

    filter.setParameter (Filter::kGain, 12.0f);
    const auto c = filter.getCoefficients();
    EXPECT_NEAR (c.damping, 0.6019, 5e-5);
    EXPECT_EQ (c.twoDamping, c.damping + c.damping);
    EXPECT_EQ (c.normaliser, 1.0 / (c.g * c.g + (c.twoDamping * c.g + 1.0)));
}

TEST (SVFilterCoefficients, GainFactorIsTenToTheGainOverTwentyMinusOne)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 6.0f, Filter::kParametric);
    EXPECT_EQ (filter.getCoefficients().gainFactor, (float) (std::pow (10.0, 6.0 * 0.05) - 1.0));
}

TEST (SVFilterResponse, BellGainAtTheWarpedCentreIsExactlyTheSetGain)
{
    for (const double rate : { 44100.0, 48000.0, 96000.0 })
    {
        for (const float gainDb : { -12.0f, -3.0f, 6.0f, 12.0f })
        {
            auto filter = makeFilter (Filter::kBell, 1000.0f, gainDb, Filter::kProportional, rate);
            const double centre = 1000.0 * (double) 6.28f / TestSignals::twoPi;
            EXPECT_NEAR (TestSignals::toDecibels (measureGain (filter, centre, rate)), gainDb, 1e-4)
                << "rate " << rate << " gain " << gainDb;
        }
    }
}

TEST (SVFilterResponse, ShelvesReachTheirGainAtTheirEnd)
{
    auto lowShelf = makeFilter (Filter::kLowShelf, 200.0f, 9.0f, Filter::kParametric);
    EXPECT_NEAR (TestSignals::toDecibels (measureGain (lowShelf, 5.0, 44100.0)), 9.0, 0.01);
    EXPECT_NEAR (TestSignals::toDecibels (measureGain (lowShelf, 15000.0, 44100.0)), 0.0, 0.01);

    auto highShelf = makeFilter (Filter::kHighShelf, 2000.0f, -6.0f, Filter::kParametric);
    EXPECT_NEAR (TestSignals::toDecibels (measureGain (highShelf, 20.0, 44100.0)), 0.0, 0.01);
    EXPECT_NEAR (TestSignals::toDecibels (measureGain (highShelf, 21000.0, 44100.0)), -6.0, 0.1);
}

TEST (SVFilterResponse, HighPassAndLowPassAttenuateOutsideTheirBand)
{
    auto highPass = makeFilter (Filter::kHighPass, 1000.0f, 0.0f, Filter::kParametric);
    EXPECT_LT (measureGain (highPass, 100.0, 44100.0), 0.02);
    EXPECT_NEAR (measureGain (highPass, 15000.0, 44100.0), 1.0, 0.01);

    auto lowPass = makeFilter (Filter::kLowPass, 1000.0f, 0.0f, Filter::kParametric);
    EXPECT_LT (measureGain (lowPass, 10000.0, 44100.0), 0.02);
    EXPECT_NEAR (measureGain (lowPass, 50.0, 44100.0), 1.0, 0.01);
}

TEST (SVFilterSkip, TransparentSettingsLeaveTheBlockAndStateUntouched)
{
    struct Case { Filter::FilterType type; float cutoff; float gainDb; bool skips; };
    const Case cases[] = {
        { Filter::kBell, 1000.0f, 0.0f, true },      { Filter::kBell, 1000.0f, 0.01f, false },
        { Filter::kLowShelf, 300.0f, 0.0f, true },   { Filter::kHighShelf, 5000.0f, 0.0f, true },
        { Filter::kHighPass, 20.0f, 6.0f, true },    { Filter::kHighPass, 21.0f, 0.0f, false },
        { Filter::kLowPass, 20000.0f, 6.0f, true },  { Filter::kLowPass, 19999.0f, 0.0f, false },
        // At 44.1 kHz the limit of the prewarp angle lies at 22059.9 Hz: a low-pass there or above
        // is the nearest the rate can hold, no filter at all; bells and shelves sit at the limit.
        { Filter::kLowPass, 22000.0f, 0.0f, false }, { Filter::kLowPass, 22060.0f, 0.0f, true },
        { Filter::kLowPass, 30000.0f, 0.0f, true },  { Filter::kHighShelf, 30000.0f, 6.0f, false },
        { Filter::kBell, 22060.0f, 6.0f, false },
    };

    for (const auto& c : cases)
    {
        auto filter = makeFilter (c.type, c.cutoff, c.gainDb, Filter::kParametric);
        const auto input = noiseBuffer (1, 256);
        auto output = input;
        run (filter, output);
        EXPECT_EQ (buffersEqual (input, output), c.skips) << "type " << c.type << " cutoff " << c.cutoff << " gain " << c.gainDb;
    }
}

TEST (SVFilterSkip, ABandBackFromZeroDecibelsResumesItsOldState)
{
    // One filter sits out a block at 0 dB in between; its state must not have moved, so it
    // continues exactly like a filter that never saw that block.
    auto interrupted = makeFilter (Filter::kBell, 800.0f, 6.0f, Filter::kProportional);
    auto reference = makeFilter (Filter::kBell, 800.0f, 6.0f, Filter::kProportional);

    auto first = noiseBuffer (1, 128, 1), firstCopy = first;
    run (interrupted, first);
    run (reference, firstCopy);

    interrupted.setParameter (Filter::kGain, 0.0f);
    auto skipped = noiseBuffer (1, 128, 2);
    run (interrupted, skipped);
    interrupted.setParameter (Filter::kGain, 6.0f);

    auto next = noiseBuffer (1, 128, 3), nextCopy = next;
    run (interrupted, next);
    run (reference, nextCopy);
    EXPECT_TRUE (buffersEqual (next, nextCopy));
}

TEST (SVFilterSettings, QChangeTakesEffectInTheNextBlockWithoutANewCutoff)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 10.0f, Filter::kParametric);
    const double centre = 1000.0 * (double) 6.28f / TestSignals::twoPi;
    const double offCentreBefore = measureGain (filter, centre * 1.5, 44100.0);

    filter.setParameter (Filter::kQ, 0.7f); // damping 0.3: a much narrower bell
    const double offCentreAfter = measureGain (filter, centre * 1.5, 44100.0);

    EXPECT_LT (offCentreAfter, offCentreBefore * 0.8);
}

TEST (SVFilterSettings, NonFiniteValuesAndUnknownIdsAreIgnored)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 6.0f, Filter::kParametric);
    const auto before = filter.getCoefficients();

    for (auto id : { Filter::kType, Filter::kCutoff, Filter::kQ, Filter::kGain, Filter::kQType, Filter::kSampleRate })
    {
        filter.setParameter (id, std::numeric_limits<float>::quiet_NaN());
        filter.setParameter (id, std::numeric_limits<float>::infinity());
    }

    filter.setParameter ((Filter::ParameterId) 6, 3.0f);
    filter.setParameter (Filter::kSampleRate, 0.0f);
    filter.setParameter (Filter::kCutoff, 1000.0f);

    const auto after = filter.getCoefficients();
    EXPECT_EQ (after.g, before.g);
    EXPECT_EQ (after.damping, before.damping);
    EXPECT_EQ (after.gainFactor, before.gainFactor);
}

TEST (SVFilterStereo, MidModeFiltersOnlyTheMidSignal)
{
    // Equal channels (no side): both come out identical.
    {
        auto filter = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional, 44100.0, 2);
        filter.setStereoType (Filter::kMid);
        auto buffer = noiseBuffer (1, 512);
        buffer.setSize (2, 512, true);
        buffer.copyFrom (1, 0, buffer, 0, 0, 512);
        const auto input = buffer;
        run (filter, buffer);
        EXPECT_FALSE (buffersEqual (buffer, input));

        for (int i = 0; i < 512; ++i)
            ASSERT_EQ (buffer.getSample (0, i), buffer.getSample (1, i));
    }

    // L = -R (no mid): passes bit for bit.
    {
        auto filter = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional, 44100.0, 2);
        filter.setStereoType (Filter::kMid);
        auto buffer = noiseBuffer (2, 512);

        for (int i = 0; i < 512; ++i)
            buffer.setSample (1, i, -buffer.getSample (0, i));

        const auto input = buffer;
        run (filter, buffer);
        EXPECT_TRUE (buffersEqual (buffer, input));
    }
}

TEST (SVFilterStereo, SideModeLeavesTheMidSignalAlone)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional, 44100.0, 2);
    filter.setStereoType (Filter::kSide);
    auto buffer = noiseBuffer (2, 512);
    const auto input = buffer;
    run (filter, buffer);

    for (int i = 0; i < 512; ++i)
    {
        const double midIn = ((double) input.getSample (0, i) + input.getSample (1, i)) * 0.5;
        const double midOut = ((double) buffer.getSample (0, i) + buffer.getSample (1, i)) * 0.5;
        ASSERT_NEAR (midOut, midIn, 1e-6);
    }

    EXPECT_FALSE (buffersEqual (buffer, input));
}

TEST (SVFilterStereo, StereoModeFiltersEachChannelLikeAMonoFilter)
{
    auto stereo = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional, 44100.0, 2);
    auto mono = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional, 44100.0, 1);
    auto buffer = noiseBuffer (2, 512);
    juce::AudioBuffer<float> right (1, 512);
    right.copyFrom (0, 0, buffer, 1, 0, 512);

    run (stereo, buffer);
    run (mono, right);

    for (int i = 0; i < 512; ++i)
        ASSERT_EQ (buffer.getSample (1, i), right.getSample (0, i));
}

TEST (SVFilterStereo, AOneChannelBlockIsFilteredOnItsOwnWhateverTheStereoType)
{
    auto reference = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional);
    auto expected = noiseBuffer (1, 512);
    auto input = expected;
    run (reference, expected);

    for (auto type : { Filter::kMid, Filter::kSide })
    {
        auto filter = makeFilter (Filter::kBell, 1000.0f, 9.0f, Filter::kProportional);
        filter.setStereoType (type);
        auto buffer = input;
        run (filter, buffer);
        EXPECT_TRUE (buffersEqual (buffer, expected));
    }
}

TEST (SVFilterRobustness, CutoffsAtOrAboveNyquistStayStableAtEveryRate)
{
    // Every type at the highest cutoffs the engine can ask for, from 8 kHz to 384 kHz.
    for (const double rate : { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 96000.0, 384000.0 })
    {
        for (auto type : { Filter::kLowShelf, Filter::kHighPass, Filter::kBell, Filter::kLowPass, Filter::kHighShelf })
        {
            for (const float cutoff : { 15000.0f, 19999.0f, 20000.0f, 30000.0f })
            {
                auto filter = makeFilter (type, cutoff, 12.0f, Filter::kProportional, rate);
                auto buffer = noiseBuffer (1, 8192);
                run (filter, buffer);

                EXPECT_TRUE (TestSignals::allFinite (buffer)) << rate << " " << type << " " << cutoff;
                EXPECT_LT (TestSignals::peak (buffer), 20.0f) << rate << " " << type << " " << cutoff;
            }
        }
    }
}

TEST (SVFilterRobustness, CutoffsBelowTheLimitKeepTheirExactCoefficients)
{
    // The highest cutoff of the engine at 44.1 kHz is left as the arithmetic gives it.
    const auto filter = makeFilter (Filter::kHighShelf, 20000.0f, 3.0f, Filter::kParametric);
    const double halfPeriod = 0.5 * (1.0 / 44100.0);
    const double wd = (double) (20000.0f * 6.28f);
    EXPECT_LT (wd * halfPeriod, Filter::maxPrewarpAngle);
    EXPECT_EQ (filter.getCoefficients().g, std::tan (wd * halfPeriod) * (2.0 * 44100.0) * halfPeriod);
}

TEST (SVFilterRobustness, RecoversFromNonFiniteInputWithinOneBlock)
{
    for (auto stereoType : { Filter::kStereo, Filter::kMid })
    {
        auto filter = makeFilter (Filter::kBell, 1000.0f, 6.0f, Filter::kProportional, 44100.0, 2);
        filter.setStereoType (stereoType);

        auto poisoned = noiseBuffer (2, 256);
        poisoned.setSample (0, 100, std::numeric_limits<float>::quiet_NaN());
        poisoned.setSample (1, 50, std::numeric_limits<float>::infinity());
        run (filter, poisoned);

        auto clean = noiseBuffer (2, 256, 7);
        run (filter, clean);
        EXPECT_TRUE (TestSignals::allFinite (clean));
    }
}

TEST (SVFilterRobustness, ProcessesNoMoreChannelsThanPrepared)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 6.0f, Filter::kProportional, 44100.0, 1);
    auto buffer = noiseBuffer (3, 64);
    const auto input = buffer;
    run (filter, buffer);

    for (int i = 0; i < 64; ++i)
    {
        ASSERT_EQ (buffer.getSample (1, i), input.getSample (1, i));
        ASSERT_EQ (buffer.getSample (2, i), input.getSample (2, i));
    }

    Filter unprepared;
    unprepared.setParameter (Filter::kType, (float) Filter::kBell);
    unprepared.setParameter (Filter::kGain, 6.0f);
    auto untouched = input;
    run (unprepared, untouched);
    EXPECT_TRUE (buffersEqual (untouched, input));
}

//==============================================================================
// The arithmetic bit for bit: which steps are single and which double precision, in which order.

namespace
{
// One step of the recursion and the output mix, written out as the filter is specified, with
// the weights of one type (1 for it, 0 for the others) in their fixed order.
double referenceTick (const Filter::Coefficients& c, Filter::FilterType type, double x, double& s1, double& s2)
{
    const double hp = (x - c.twoDamping * s1 - c.g * s1 - s2) * c.normaliser;
    const double bp = c.g * hp + s1;
    const double lp = c.g * bp + s2;
    s1 = c.g * hp + bp;
    s2 = c.g * bp + lp;

    const auto weight = [type] (Filter::FilterType t) { return t == type ? 1.0f : 0.0f; };
    const double k = c.gainFactor;

    return weight (Filter::kLowShelf) * (x + k * lp)
         + weight (Filter::kBell) * (x + k * (c.twoDamping * bp))
         + weight (Filter::kHighShelf) * (x + k * hp)
         + weight (Filter::kHighPass) * hp
         + weight (Filter::kLowPass) * lp;
}
} // namespace

TEST (SVFilterArithmetic, ProportionalDampingIsExact)
{
    for (const float gainDb : { 0.0f, 6.0f, -6.0f, 12.0f, 3.3f })
    {
        const auto c = (float) std::pow (10.0, (double) (std::abs (gainDb) * 0.05f));

        EXPECT_EQ (makeFilter (Filter::kBell, 700.0f, gainDb, Filter::kProportional).getCoefficients().damping,
                   1.0 + (double) (c * -0.1f)) << gainDb;

        for (auto type : { Filter::kLowShelf, Filter::kHighShelf, Filter::kHighPass, Filter::kLowPass })
            EXPECT_EQ (makeFilter (type, 700.0f, gainDb, Filter::kProportional).getCoefficients().damping,
                       1.0 - (double) (c * 0.25f - 0.24f)) << gainDb << " type " << type;
    }
}

TEST (SVFilterArithmetic, RecursionAndMixAreExactForEveryType)
{
    for (auto type : { Filter::kLowShelf, Filter::kHighPass, Filter::kBell, Filter::kLowPass, Filter::kHighShelf })
    {
        auto filter = makeFilter (type, 1234.0f, 5.5f, Filter::kProportional);
        const auto c = filter.getCoefficients();
        auto buffer = noiseBuffer (1, 64);
        const auto input = buffer;
        run (filter, buffer);

        double s1 = 0.0, s2 = 0.0;
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ (buffer.getSample (0, i), (float) referenceTick (c, type, (double) input.getSample (0, i), s1, s2))
                << "type " << type << " sample " << i;
    }
}

TEST (SVFilterArithmetic, MidAndSideFramesAreExact)
{
    for (auto stereoType : { Filter::kMid, Filter::kSide })
    {
        auto filter = makeFilter (Filter::kBell, 900.0f, -7.0f, Filter::kProportional, 48000.0, 2);
        filter.setStereoType (stereoType);
        const auto c = filter.getCoefficients();
        auto buffer = noiseBuffer (2, 64);
        const auto input = buffer;
        run (filter, buffer);

        double s1 = 0.0, s2 = 0.0;
        for (int i = 0; i < 64; ++i)
        {
            const float l = input.getSample (0, i), r = input.getSample (1, i);
            const double mid = (double) (l + r) * 0.5, side = (double) (l - r) * 0.5;
            const double selected = stereoType == Filter::kMid ? mid : side;
            const auto y = (float) referenceTick (c, Filter::kBell, (double) (float) selected, s1, s2);

            const float expectedLeft = stereoType == Filter::kMid ? (float) (side + (double) y) : (float) (mid + (double) y);
            const float expectedRight = stereoType == Filter::kMid ? (float) ((double) y - side) : (float) (mid - (double) y);
            ASSERT_EQ (buffer.getSample (0, i), expectedLeft) << stereoType << " " << i;
            ASSERT_EQ (buffer.getSample (1, i), expectedRight) << stereoType << " " << i;
        }
    }
}

TEST (SVFilterArithmetic, SampleRateTermsComeFromTheRateAsAFloat)
{
    // 44100.7 is not a float: the rate is rounded first, and T/2 is 0.5 * (1 / rate).
    Filter filter;
    filter.prepare ({ 44100.7, 64, 1 });
    filter.setParameter (Filter::kCutoff, 1000.0f);

    const double rate = (double) (float) 44100.7;
    const double halfPeriod = 0.5 * (1.0 / rate);
    EXPECT_EQ (filter.getCoefficients().g, std::tan (6280.0 * halfPeriod) * (2.0 * rate) * halfPeriod);
}

TEST (SVFilterRobustness, CodesNoIntCanHoldSelectNothing)
{
    auto filter = makeFilter (Filter::kBell, 1000.0f, 6.0f, Filter::kParametric);
    filter.setParameter (Filter::kType, 3.0e9f);
    filter.setParameter (Filter::kQType, -3.0e9f);

    // Still the bell it was; the out-of-range mode leaves the damping alone.
    const double centre = 1000.0 * (double) 6.28f / TestSignals::twoPi;
    EXPECT_NEAR (TestSignals::toDecibels (measureGain (filter, centre, 44100.0)), 6.0, 1e-4);
}

TEST (SVFilterRobustness, CutoffsJustBelowNyquistKeepTheirExactCoefficients)
{
    // At 32 kHz a 15.9 kHz cutoff is below the Nyquist frequency, so nothing is limited.
    const auto filter = makeFilter (Filter::kHighShelf, 15900.0f, 3.0f, Filter::kParametric, 32000.0);
    const double halfPeriod = 0.5 * (1.0 / 32000.0);
    const double wd = (double) (15900.0f * 6.28f);
    EXPECT_EQ (filter.getCoefficients().g, std::tan (wd * halfPeriod) * (2.0 * 32000.0) * halfPeriod);
}

namespace
{
// A filter of one type at a cutoff, the gain types at +12 dB.
Filter movingFilter (Filter::FilterType type, float cutoff, double rate, Filter::QType qType = Filter::kParametric)
{
    return makeFilter (type, cutoff, type == Filter::kHighPass || type == Filter::kLowPass ? 0.0f : 12.0f, qType, rate);
}
} // namespace

TEST (SVFilterMoves, BelowAQuarterOfTheRateAMoveKeepsTheRecursionsOwnOutput)
{
    // Moves from an integrator gain of at most 1, and moves up from any gain, leave the states as
    // the recursion left them: the samples after the move are the written-out recursion's with the
    // new coefficients, bit for bit.
    struct Case { Filter::FilterType type; float from, to; double rate; };
    const Case cases[] = {
        { Filter::kBell, 10000.0f, 300.0f, 44100.0 },     // g 0.87
        { Filter::kHighShelf, 11000.0f, 1000.0f, 44100.0 }, // g 0.996, just under 1
        { Filter::kLowPass, 11900.0f, 1000.0f, 48000.0 },
        { Filter::kLowPass, 300.0f, 21500.0f, 44100.0 },   // up to g 13
        { Filter::kHighShelf, 1000.0f, 30000.0f, 22050.0 }, // up to the limit
        { Filter::kBell, 15000.0f, 21000.0f, 44100.0 },    // up, from g 1.8 to 7.5
    };

    for (const auto& c : cases)
    {
        auto filter = movingFilter (c.type, c.from, c.rate);
        double s1 = 0.0, s2 = 0.0;

        for (const float cutoff : { c.from, c.to })
        {
            filter.setParameter (Filter::kCutoff, cutoff);
            const auto coefficients = filter.getCoefficients();
            auto buffer = noiseBuffer (1, 300, (int) cutoff);
            const auto input = buffer;
            run (filter, buffer);

            for (int i = 0; i < buffer.getNumSamples(); ++i)
                ASSERT_EQ (buffer.getSample (0, i), (float) referenceTick (coefficients, c.type, (double) input.getSample (0, i), s1, s2))
                    << "type " << c.type << ", " << c.from << " -> " << c.to << " Hz at " << c.rate << " Hz, at "
                    << cutoff << " Hz, sample " << i;
        }
    }
}

TEST (SVFilterMoves, AMoveDownFromNearHalfTheRateDoesNotBurst)
{
    // White noise through one filter; after a second at a cutoff near, at or beyond half the rate
    // it moves to a low one. The 64 samples after the move peak at most twice as high as the
    // larger steady peak (the last half second before and after).
    constexpr double rate = 44100.0;
    constexpr int length = 44100;

    for (auto type : { Filter::kLowShelf, Filter::kHighPass, Filter::kBell, Filter::kLowPass, Filter::kHighShelf })
        for (const auto qType : { Filter::kParametric, Filter::kProportional })
            for (const double fraction : { 0.3, 0.45, 0.499, 0.5, 0.75 })
            {
                auto filter = movingFilter (type, (float) (fraction * rate), rate, qType);
                auto before = noiseBuffer (1, length, 1), after = noiseBuffer (1, length, 2);
                run (filter, before);
                filter.setParameter (Filter::kCutoff, (float) (0.01 * rate));
                run (filter, after);

                const auto steady = std::max (before.getMagnitude (0, length / 2, length / 2), after.getMagnitude (0, length / 2, length / 2));
                EXPECT_LT (after.getMagnitude (0, 0, 64), 2.0f * steady)
                    << "type " << type << ", Q mode " << qType << ", from " << fraction << " of the rate";
            }
}
