#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <limits>

using namespace ParameterIDs;

namespace
{
const char* id (int index) { return ids[(size_t) index]; }

bool exactlyNegated (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            if (a.getSample (ch, i) != -b.getSample (ch, i))
                return false;

    return true;
}

bool identical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return false;

    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        if (std::memcmp (a.getReadPointer (ch), b.getReadPointer (ch), sizeof (float) * (size_t) a.getNumSamples()) != 0)
            return false;

    return true;
}

juce::AudioBuffer<float> noise (int channels, int samples, int seed = 5)
{
    juce::AudioBuffer<float> buffer (channels, samples);
    juce::Random random (seed);
    TestSignals::fillNoise (buffer, random, 0.3f);
    return buffer;
}
} // namespace

TEST (ProcessorIdentity, AnswersTheHostsQuestions)
{
    TandrelAudioProcessor processor;

    EXPECT_EQ (processor.getName(), "Tandrel");
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_FALSE (processor.isMidiEffect());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getLatencySamples(), 0);

    EXPECT_EQ (processor.getNumPrograms(), 1);
    processor.setCurrentProgram (3);
    processor.changeProgramName (0, "renamed");
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), "");
    EXPECT_EQ (processor.getProgramName (7), "");

    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (processor.getMainBusNumOutputChannels(), 2);
}

TEST (ProcessorIdentity, AcceptsOnlyMonoAndStereoWithMatchingInput)
{
    using Set = juce::AudioChannelSet;
    struct Case { Set in, out; bool hasInput, hasOutput, accepted; };
    const Case cases[] = {
        { Set::mono(), Set::mono(), true, true, true },
        { Set::stereo(), Set::stereo(), true, true, true },
        { Set::stereo(), Set::mono(), true, true, false },
        { Set::mono(), Set::stereo(), true, true, false },
        { Set::create5point1(), Set::create5point1(), true, true, false },
        { Set::quadraphonic(), Set::quadraphonic(), true, true, false },
        { Set::disabled(), Set::stereo(), true, true, false },
        { Set::stereo(), Set(), true, false, false },
        { Set(), Set::mono(), false, true, false },
    };

    TandrelAudioProcessor processor;

    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        if (c.hasInput)  layout.inputBuses.add (c.in);
        if (c.hasOutput) layout.outputBuses.add (c.out);
        EXPECT_EQ (processor.checkBusesLayoutSupported (layout), c.accepted)
            << c.in.getDescription() << " -> " << c.out.getDescription();
    }
}

TEST (ProcessorParameters, ThirtySixInHostOrderWithNamesRangesAndDefaults)
{
    struct Expected { const char* name; float min, max, def; };
    const Expected expected[count] = {
        { "G EQ 1 Gain", -12, 12, 0 }, { "G EQ 2 Gain", -12, 12, 0 }, { "G EQ 3 Gain", -12, 12, 0 },
        { "G EQ 4 Gain", -12, 12, 0 }, { "G EQ 5 Gain", -12, 12, 0 }, { "G EQ 6 Gain", -12, 12, 0 },
        { "G EQ 7 Gain", -12, 12, 0 }, { "G EQ 8 Gain", -12, 12, 0 }, { "G EQ 9 Gain", -12, 12, 0 },
        { "G EQ 10 Gain", -12, 12, 0 },
        { "P EQ 1 Gain", -12, 12, 0 }, { "P EQ 2 Gain", -12, 12, 0 }, { "P EQ 3 Gain", -12, 12, 0 },
        { "P EQ 4 Gain", -12, 12, 0 },
        { "P EQ 1 Freq", 30, 400, 200 }, { "P EQ 2 Freq", 200, 2000, 1000 }, { "P EQ 3 Freq", 200, 2000, 1000 },
        { "P EQ 4 Freq", 1000, 20000, 7000 },
        { "T EQ 1 Gain", 0, 10, 0 }, { "T EQ 2 Gain", 0, 10, 0 }, { "T EQ 3 Gain", 0, 10, 0 }, { "T EQ 4 Gain", 0, 10, 0 },
        { "T EQ 1 Freq", 20, 300, 100 }, { "T EQ 2 Freq", 1000, 16000, 5000 }, { "T EQ BW", 0, 10, 0 },
        { "Graphic EQ ON", 0, 1, 1 }, { "Parametric EQ ON", 0, 1, 0 }, { "Tube EQ ON", 0, 1, 0 },
        { "Phase", 0, 1, 0 }, { "Quality", 0, 1, 0 }, { "M/S", 0, 2, 0 },
        { "High-Pass", 20, 1000, 20 }, { "Low-Pass", 1000, 20000, 20000 },
        { "Drive", 0, 20, 0 }, { "Trim", -24, 24, 0 }, { "CPU", 0, 1, 1 },
    };

    TandrelAudioProcessor processor;
    const auto& parameters = processor.getParameters();
    ASSERT_EQ (parameters.size(), 36);

    for (int i = 0; i < count; ++i)
    {
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (parameters[i]);
        ASSERT_NE (parameter, nullptr);
        EXPECT_EQ (parameter->getParameterID(), id (i));
        EXPECT_EQ (parameter->getName (100), expected[i].name);
        EXPECT_EQ (parameter->getLabel(), "");
        EXPECT_TRUE (parameter->isAutomatable());

        const auto& range = parameter->getNormalisableRange();
        EXPECT_EQ (range.start, expected[i].min) << id (i);
        EXPECT_EQ (range.end, expected[i].max) << id (i);
        EXPECT_EQ (processor.treeState.getRawParameterValue (id (i))->load(), expected[i].def) << id (i);
        EXPECT_EQ (parameter->convertFrom0to1 (parameter->getDefaultValue()), expected[i].def) << id (i);
    }

    EXPECT_STREQ (id (graphicOn), "grapgicEQON");
}

TEST (ProcessorParameters, PlainFloatParametersAreContinuous)
{
    TandrelAudioProcessor processor;

    for (int index : { (int) graphicGain1, parametricGain1 + 2, tubeGain1 + 1, (int) tubeFreq1, (int) tubeFreq2,
                       (int) tubeBandwidth, (int) drive, (int) trim })
    {
        auto& parameter = *processor.treeState.getParameter (id (index));
        EXPECT_EQ (parameter.getNormalisableRange().interval, 0.0f) << id (index);
        EXPECT_EQ (parameter.getNormalisableRange().skew, 1.0f) << id (index);

        parameter.setValueNotifyingHost (0.123457f);
        const auto& range = parameter.getNormalisableRange();
        EXPECT_FLOAT_EQ (processor.treeState.getRawParameterValue (id (index))->load(),
                         range.start + (range.end - range.start) * 0.123457f) << id (index);
    }

    // Shown with two decimals, as hosts and value boxes print them.
    auto& trimParameter = *processor.treeState.getParameter (id (trim));
    EXPECT_EQ (trimParameter.getText (trimParameter.convertTo0to1 (-3.14159f), 0), "-3.14");
    EXPECT_EQ (trimParameter.getText (trimParameter.convertTo0to1 (0.0f), 0), "0.00");
    EXPECT_EQ (trimParameter.getText (trimParameter.convertTo0to1 (-3.14159f), 3), "-3.");
}

TEST (ProcessorParameters, FilterRangesAreSkewedAndSnapToWholeHertz)
{
    TandrelAudioProcessor processor;
    auto& highpassParam = *processor.treeState.getParameter (id (highpass));
    auto& lowpassParam = *processor.treeState.getParameter (id (lowpass));

    EXPECT_EQ (highpassParam.convertFrom0to1 (0.5f), 117.0f);
    EXPECT_EQ (lowpassParam.convertFrom0to1 (0.5f), 2885.0f);

    for (float position = 0.0f; position <= 1.0f; position += 0.0137f)
    {
        const auto h = highpassParam.convertFrom0to1 (position), l = lowpassParam.convertFrom0to1 (position);
        EXPECT_EQ (h, std::round (h));
        EXPECT_EQ (l, std::round (l));
    }
}

TEST (ProcessorParameters, IntegerParametersReportWholeNumbersInRange)
{
    TandrelAudioProcessor processor;

    for (int index : { (int) quality, (int) midSide, (int) parametricFreq1, parametricFreq1 + 3 })
    {
        auto& parameter = *processor.treeState.getParameter (id (index));
        const auto& range = parameter.getNormalisableRange();

        for (float position = -0.5f; position <= 1.5f; position += 0.03f)
        {
            parameter.setValueNotifyingHost (position);
            const auto value = processor.treeState.getRawParameterValue (id (index))->load();
            EXPECT_EQ (value, std::round (value));
            EXPECT_GE (value, range.start);
            EXPECT_LE (value, range.end);
        }
    }
}

//==============================================================================
struct ProcessorAudio : public ::testing::TestWithParam<std::tuple<double, bool>>
{
};

TEST_P (ProcessorAudio, GraphicBandIsHeardAtItsOwnFrequency)
{
    const auto [rate, oversampled] = GetParam();
    ProcessorHarness harness;
    harness.set (id (quality), oversampled ? 1.0f : 0.0f);
    harness.set (id (graphicGain1 + 5), 12.0f);
    harness.prepare (rate, 512);

    for (int channel : { 0, 1 })
        EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (1000.0f), channel)), 12.0, 0.02);

    // An octave up the bell is well below its peak (a chain run at the wrong rate would put
    // the peak there).
    EXPECT_LT (TestSignals::toDecibels (harness.measureGain (2000.0)), 9.0);
}

TEST_P (ProcessorAudio, PhaseInvertsTheOutputExactly)
{
    const auto [rate, oversampled] = GetParam();
    ProcessorHarness plain, inverted;

    for (auto* h : { &plain, &inverted })
    {
        h->set (id (quality), oversampled ? 1.0f : 0.0f);
        h->set (id (parametricGain1 + 1), 6.0f);
        h->set (id (drive), 8.0f);
        h->set (id (highpass), 60.0f);
        h->prepare (rate, 256);
    }

    inverted.set (id (phase), 1.0f);

    auto a = noise (2, 4096), b = a;
    plain.render (a);
    inverted.render (b);
    EXPECT_TRUE (exactlyNegated (a, b));
}

INSTANTIATE_TEST_SUITE_P (RatesAndQuality, ProcessorAudio,
                          ::testing::Combine (::testing::Values (44100.0, 48000.0, 96000.0), ::testing::Bool()));

TEST (ProcessorAudioRoad, QualitySwitchedOnLaterStillHearsTheBandAtItsFrequency)
{
    ProcessorHarness harness;
    harness.set (id (graphicGain1 + 5), 12.0f);
    harness.prepare (44100.0, 512);
    harness.set (id (quality), 1.0f);
    EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (1000.0f))), 12.0, 0.02);

    harness.set (id (quality), 0.0f);
    EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (1000.0f))), 12.0, 0.02);
}

TEST (ProcessorAudioRoad, AllSectionsRunWhateverTheModeSwitchesSay)
{
    // Each section on its own, with all three mode switches off.
    struct Case { int parameter; float value; float probeHz; double expectedDb; };
    const Case cases[] = {
        { graphicGain1 + 5, 6.0f, 1000.0f, 6.0 },
        { parametricGain1 + 1, -6.0f, 1000.0f, -6.0 },
        { tubeGain1 + 1, 6.0f, 150.0f, -6.0 },
    };

    for (const auto& c : cases)
    {
        ProcessorHarness harness;
        harness.set (id (graphicOn), 0.0f);
        harness.set (id (parametricOn), 0.0f);
        harness.set (id (tubeOn), 0.0f);
        harness.set (id (c.parameter), c.value);
        harness.prepare (48000.0, 512);
        EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (c.probeHz))), c.expectedDb, 0.01) << id (c.parameter);
    }
}

TEST (ProcessorAudioRoad, TubeCutsSitAtTheirDerivedFrequencies)
{
    // Low frequency 100 Hz puts the low cut at 150 Hz; high frequency 5000 Hz puts the high cut at 3750 Hz.
    ProcessorHarness harness;
    harness.set (id (tubeGain1 + 1), 10.0f);
    harness.prepare (44100.0, 512);
    EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (100.0f * 1.5f))), -10.0, 0.01);

    harness.set (id (tubeGain1 + 1), 0.0f);
    harness.set (id (tubeGain1 + 3), 5.0f);
    EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (5000.0f * 0.75f))), -5.0, 0.01);
}

TEST (ProcessorAudioRoad, BandwidthChangeTakesEffectOnItsOwn)
{
    ProcessorHarness harness;
    harness.set (id (tubeGain1 + 1), 10.0f);
    harness.prepare (44100.0, 512);
    const double wide = harness.measureGain (300.0);

    harness.set (id (tubeBandwidth), 10.0f);
    const double narrow = harness.measureGain (300.0);

    // The cut still reaches its depth at the centre, but no longer reaches as far out.
    EXPECT_GT (narrow, wide * 1.2);
    EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (150.0f))), -10.0, 0.01);
}

TEST (ProcessorAudioRoad, DriveRaisesTheInputAndCompensatesTheOutput)
{
    // In the waveshaper's linear region the small-signal gain is 10^(D/20) * 10^(-0.75 D/20).
    ProcessorHarness harness;
    harness.set (id (drive), 6.0f);
    harness.prepare (44100.0, 512);
    EXPECT_NEAR (harness.measureGain (1000.0, 0, 0.05), std::pow (10.0, 1.5 / 20.0), 1e-4);
}

TEST (ProcessorAudioRoad, TrimSetsTheOutputGain)
{
    struct Case { float trimDb; double gain; };
    for (const auto& c : { Case { -24.0f, std::pow (10.0, -1.2) }, Case { 0.0f, 1.0 }, Case { 24.0f, std::pow (10.0, 1.2) } })
    {
        ProcessorHarness harness;
        harness.set (id (trim), c.trimDb);
        harness.prepare (44100.0, 512);
        EXPECT_NEAR (harness.measureGain (440.0, 0, 0.01), c.gain, c.gain * 1e-5) << c.trimDb;
    }
}

TEST (ProcessorAudioRoad, GlobalFiltersCutOutsideTheirBand)
{
    ProcessorHarness harness;
    harness.set (id (highpass), 1000.0f);
    harness.set (id (lowpass), 2000.0f);
    harness.prepare (44100.0, 512);

    EXPECT_LT (harness.measureGain (100.0), 0.02);
    EXPECT_LT (harness.measureGain (15000.0), 0.05);
}

TEST (ProcessorAudioRoad, MidSideModeChoosesTheSignalTheBandsWorkOn)
{
    // Pure side content: mid mode leaves it alone bit for bit, side mode boosts it.
    auto sideOnly = [] (int samples)
    {
        auto buffer = noise (2, samples);
        for (int i = 0; i < samples; ++i)
            buffer.setSample (1, i, -buffer.getSample (0, i));
        return buffer;
    };

    ProcessorHarness mid;
    mid.set (id (midSide), 1.0f);
    mid.set (id (graphicGain1 + 5), 12.0f);
    mid.set (id (parametricGain1), 12.0f);
    mid.set (id (tubeGain1), 8.0f);
    mid.set (id (highpass), 200.0f);
    mid.prepare (44100.0, 512);

    auto buffer = sideOnly (8192);
    const auto input = buffer;
    mid.render (buffer);
    EXPECT_TRUE (identical (buffer, input));

    ProcessorHarness side;
    side.set (id (midSide), 2.0f);
    side.set (id (graphicGain1 + 5), 12.0f);
    side.prepare (44100.0, 512);
    EXPECT_NEAR (TestSignals::toDecibels (side.measureGain (warpedCentre (1000.0f))), 0.0, 1e-3); // equal channels: no side

    juce::AudioBuffer<float> sine (2, 66150);
    TestSignals::fillSine (sine.getWritePointer (0), sine.getNumSamples(), warpedCentre (1000.0f), 44100.0, 0.1);
    for (int i = 0; i < sine.getNumSamples(); ++i)
        sine.setSample (1, i, -sine.getSample (0, i));
    side.render (sine);
    const auto gain = TestSignals::sineAmplitude (sine.getReadPointer (0) + 44100, 22050, warpedCentre (1000.0f), 44100.0, 44100) / 0.1;
    EXPECT_NEAR (TestSignals::toDecibels (gain), 12.0, 0.02);
}

TEST (ProcessorAudioRoad, TubeHighBandsStayOnLeftAndRightInMidMode)
{
    ProcessorHarness harness;
    harness.set (id (midSide), 1.0f);
    harness.set (id (tubeGain1 + 2), 10.0f); // high boost, stereo whatever "ms" says
    harness.prepare (44100.0, 512);

    juce::AudioBuffer<float> sine (2, 66150);
    TestSignals::fillSine (sine.getWritePointer (0), sine.getNumSamples(), 15000.0, 44100.0, 0.02);
    for (int i = 0; i < sine.getNumSamples(); ++i)
        sine.setSample (1, i, -sine.getSample (0, i));
    harness.render (sine);
    const auto gain = TestSignals::sineAmplitude (sine.getReadPointer (1) + 44100, 22050, 15000.0, 44100.0, 44100) / 0.02;
    EXPECT_GT (TestSignals::toDecibels (gain), 8.0);
}

//==============================================================================
TEST (ProcessorMono, RunsTheWholeChainOnTheSingleChannelWithOrWithoutQuality)
{
    for (const bool oversampled : { false, true })
    {
        ProcessorHarness mono (1), stereo (2);

        for (auto* h : { &mono, &stereo })
        {
            h->set (id (quality), oversampled ? 1.0f : 0.0f);
            h->set (id (graphicGain1 + 5), 12.0f);
            h->set (id (tubeGain1 + 2), 4.0f);
            h->set (id (drive), 3.0f);
            h->set (id (lowpass), 8000.0f);
            h->set (id (trim), -3.0f);
            h->prepare (44100.0, 512);
        }

        ASSERT_EQ (mono.processor->getTotalNumOutputChannels(), 1);

        // +12 dB of band, -3 dB of trim and about +0.75 dB of small-signal drive gain.
        const auto monoGain = TestSignals::toDecibels (mono.measureGain (warpedCentre (1000.0f), 0, 0.01));
        EXPECT_GT (monoGain, 9.3) << oversampled;
        EXPECT_LT (monoGain, 10.5) << oversampled;
        EXPECT_EQ (monoGain, TestSignals::toDecibels (stereo.measureGain (warpedCentre (1000.0f), 0, 0.01))) << oversampled;

        // Left of a stereo instance fed the same signal goes through the same arithmetic,
        // except for the drive smoothers, which step per channel; they are settled by now.
        auto monoBuffer = noise (1, 2048);
        juce::AudioBuffer<float> stereoBuffer (2, 2048);
        stereoBuffer.copyFrom (0, 0, monoBuffer, 0, 0, 2048);
        stereoBuffer.copyFrom (1, 0, monoBuffer, 0, 0, 2048);
        mono.render (monoBuffer);
        stereo.render (stereoBuffer);

        for (int i = 0; i < 2048; ++i)
            ASSERT_EQ (monoBuffer.getSample (0, i), stereoBuffer.getSample (0, i)) << oversampled << " at " << i;
    }
}

//==============================================================================
TEST (ProcessorLoad, FirstBlockAfterPreparationPublishesZero)
{
    ProcessorHarness harness;
    harness.set (id (quality), 1.0f);
    for (int band = 0; band < 10; ++band)
        harness.set (id (graphicGain1 + band), 5.0f);
    harness.prepare (44100.0, 64);

    auto buffer = noise (2, 64 * 200);
    harness.render (buffer);
    EXPECT_GT (harness.processor->cpuLoad.load(), 0.0f);

    harness.prepare (44100.0, 64);
    juce::AudioBuffer<float> one (2, 64);
    harness.render (one);
    EXPECT_EQ (harness.processor->cpuLoad.load(), 0.0f);
}

TEST (ProcessorLoad, SwitchedOffTheFigureKeepsItsLastValue)
{
    ProcessorHarness harness;
    for (int band = 0; band < 10; ++band)
        harness.set (id (graphicGain1 + band), 5.0f);
    harness.prepare (44100.0, 64);

    auto buffer = noise (2, 64 * 100);
    harness.render (buffer);
    harness.set (id (cpu), 0.0f);
    const auto frozen = harness.processor->cpuLoad.load();

    harness.render (buffer);
    EXPECT_EQ (harness.processor->cpuLoad.load(), frozen);
    EXPECT_LE (frozen, 100.0f);
    EXPECT_GE (frozen, 0.0f);
}

//==============================================================================
TEST (ProcessorFadeIn, AFreshInstanceFadesTheTubeSectionInFromSilence)
{
    ProcessorHarness fresh (1);
    fresh.prepare (44100.0, 2048);

    juce::AudioBuffer<float> buffer (1, 2048);
    for (int i = 0; i < 2048; ++i)
        buffer.setSample (0, i, 0.2f);
    fresh.render (buffer);

    EXPECT_LT (std::abs (buffer.getSample (0, 0)), 0.001f);
    EXPECT_NEAR (buffer.getSample (0, 440), 0.1f, 0.001f);
    EXPECT_NEAR (buffer.getSample (0, 2000), 0.2f, 1e-6f);
}

TEST (ProcessorFadeIn, NoFadeOnceAParameterWasSetBeforePreparation)
{
    ProcessorHarness touched (1);
    touched.set (id (graphicGain1), 0.5f);
    touched.set (id (graphicGain1), 0.0f);
    touched.prepare (44100.0, 512);

    juce::AudioBuffer<float> buffer (1, 512);
    for (int i = 0; i < 512; ++i)
        buffer.setSample (0, i, 0.2f);
    touched.render (buffer);
    EXPECT_EQ (buffer.getSample (0, 0), 0.2f);
}

TEST (ProcessorFadeIn, NoFadeOnceAStateWasRestoredBeforePreparation)
{
    ProcessorHarness source, restored (1);
    restored.restore (source.save());
    restored.prepare (44100.0, 512);

    juce::AudioBuffer<float> buffer (1, 512);
    for (int i = 0; i < 512; ++i)
        buffer.setSample (0, i, 0.2f);
    restored.render (buffer);
    EXPECT_EQ (buffer.getSample (0, 0), 0.2f);
}

TEST (ProcessorHandOver, ADriveChangeMadeWhileStoppedIsInPlaceFromTheFirstSample)
{
    // Changed between releaseResources and the next preparation: no ramp from the old drive.
    ProcessorHarness harness (1);
    harness.set (id (drive), 0.0f);
    harness.prepare (44100.0, 512);
    juce::AudioBuffer<float> buffer (1, 512);
    harness.render (buffer);
    harness.processor->releaseResources();

    harness.set (id (drive), 12.0f);
    harness.prepare (44100.0, 512);
    for (int i = 0; i < 512; ++i)
        buffer.setSample (0, i, -0.05f);
    harness.render (buffer);

    // In the waveshaper's linear region: 10^(12/20) in, -9 dB out.
    EXPECT_NEAR (buffer.getSample (0, 0) / -0.05f, std::pow (10.0f, 3.0f / 20.0f), 1e-4f);
}

TEST (ProcessorHandOver, ARestoredDriveAndQualityTogetherTakeTheDriveAtOnce)
{
    ProcessorHarness source, target;
    source.set (id (drive), 12.0f);
    source.set (id (quality), 1.0f);
    target.prepare (44100.0, 256);

    // A steady small sine before and after the restore; with the new drive in place at once the
    // sine's level is the same at the start of the next block as later on.
    const double frequency = 441.0;
    juce::AudioBuffer<float> before (2, 4410);
    for (int ch = 0; ch < 2; ++ch)
        TestSignals::fillSine (before.getWritePointer (ch), 4410, frequency, 44100.0, 0.02);
    target.render (before);

    target.restore (source.save());

    juce::AudioBuffer<float> after (2, 4410);
    for (int ch = 0; ch < 2; ++ch)
        TestSignals::fillSine (after.getWritePointer (ch), 4410, frequency, 44100.0, 0.02, 4410);
    target.render (after);

    // Skip the first few milliseconds, where the cleared filters and the oversampler settle.
    const auto early = TestSignals::sineAmplitude (after.getReadPointer (0) + 200, 300, frequency, 44100.0, 4410 + 200);
    const auto late = TestSignals::sineAmplitude (after.getReadPointer (0) + 3000, 1000, frequency, 44100.0, 4410 + 3000);
    EXPECT_NEAR (late / 0.02, std::pow (10.0, 3.0 / 20.0), 2e-3);
    EXPECT_NEAR (early / late, 1.0, 2e-3);
}

TEST (ProcessorHandOver, MoreChangesThanTheQueueHoldsStillReachTheEngine)
{
    // A host that stops rendering while the user keeps moving controls: thousands of changes
    // before the next block. The engine catches up with the values they leave behind.
    ProcessorHarness harness;
    harness.prepare (44100.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    harness.render (buffer);

    for (int n = 0; n < 3000; ++n)
    {
        harness.set (id (graphicGain1 + 5), n % 2 == 0 ? -12.0f : 12.0f);
        harness.set (id (quality), n % 2 == 0 ? 0.0f : 1.0f);
    }

    // The last changes left the 1 kHz band at +12 dB and quality on; were the engine prepared
    // for the wrong rate, the band would sit an octave off and be heard at about +8 dB here.
    EXPECT_NEAR (TestSignals::toDecibels (harness.measureGain (warpedCentre (1000.0f))), 12.0, 0.02);
}

TEST (ProcessorRoad, TubeBandwidthAndDriveMapExactly)
{
    EXPECT_EQ (TandrelAudioProcessor::tubeQForBandwidth (0.0f), 0.1f);
    EXPECT_EQ (TandrelAudioProcessor::tubeQForBandwidth (5.0f), 0.39999998f);
    EXPECT_EQ (TandrelAudioProcessor::tubeQForBandwidth (10.0f), 0.7f);
    EXPECT_EQ (0.59999996f, 0.7f - 0.1f);

    EXPECT_EQ (TandrelAudioProcessor::driveGainForDecibels (0.0f), 1.0f);
    EXPECT_EQ (TandrelAudioProcessor::driveGainForDecibels (6.0f), (float) std::pow (10.0, (double) (6.0f * 0.05f)));
    EXPECT_NEAR (TandrelAudioProcessor::driveGainForDecibels (6.0f), 1.9953f, 1e-4f);
    EXPECT_NEAR (TandrelAudioProcessor::driveGainForDecibels (20.0f), 10.0f, 1e-5f);
}

//==============================================================================
TEST (ProcessorRobustness, StaysFiniteAtEveryHostRateWithExtremeSettings)
{
    for (const double rate : { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 88200.0, 192000.0, 384000.0 })
    {
        for (const bool oversampled : { false, true })
        {
            ProcessorHarness harness;
            harness.set (id (quality), oversampled ? 1.0f : 0.0f);
            for (int band = 0; band < 10; ++band)
                harness.set (id (graphicGain1 + band), 12.0f);
            for (int band = 0; band < 4; ++band)
            {
                harness.set (id (parametricGain1 + band), 12.0f);
                harness.set (id (tubeGain1 + band), 10.0f);
            }
            harness.set (id (parametricFreq1 + 3), 20000.0f);
            harness.set (id (tubeFreq2), 16000.0f);
            harness.set (id (highpass), 1000.0f);
            harness.set (id (lowpass), 19999.0f);
            harness.set (id (drive), 20.0f);
            harness.set (id (trim), 24.0f);
            harness.prepare (rate, 480);

            auto buffer = noise (2, 480 * 40);
            harness.render (buffer);
            EXPECT_TRUE (TestSignals::allFinite (buffer)) << rate << " " << oversampled;
            EXPECT_LT (TestSignals::peak (buffer), 1.0e4f) << rate << " " << oversampled;
        }
    }
}

TEST (ProcessorRobustness, BlocksLongerThanPreparedAreProcessedLikeShortOnes)
{
    for (const bool oversampled : { false, true })
    {
        ProcessorHarness longBlocks, shortBlocks;

        for (auto* h : { &longBlocks, &shortBlocks })
        {
            h->set (id (quality), oversampled ? 1.0f : 0.0f);
            h->set (id (graphicGain1 + 3), 7.0f);
            h->set (id (parametricGain1 + 3), -5.0f);
            h->set (id (trim), 2.0f);
            h->prepare (44100.0, 256);
        }

        auto a = noise (2, 256 * 40), b = a;
        longBlocks.render (a, 256 * 40); // one block, 40 times the prepared maximum
        shortBlocks.render (b, 256);
        EXPECT_TRUE (identical (a, b)) << oversampled;
    }
}

TEST (ProcessorRobustness, RecoversFromNonFiniteInputWithinOneBlock)
{
    for (const bool oversampled : { false, true })
    {
        ProcessorHarness harness;
        harness.set (id (quality), oversampled ? 1.0f : 0.0f);
        harness.set (id (graphicGain1 + 2), 6.0f);
        harness.set (id (drive), 4.0f);
        harness.prepare (48000.0, 256);

        auto poisoned = noise (2, 256);
        poisoned.setSample (0, 10, std::numeric_limits<float>::quiet_NaN());
        poisoned.setSample (1, 200, -std::numeric_limits<float>::infinity());
        harness.render (poisoned);
        EXPECT_TRUE (TestSignals::allFinite (poisoned)) << oversampled;

        auto clean = noise (2, 256, 9);
        harness.render (clean);
        EXPECT_TRUE (TestSignals::allFinite (clean)) << oversampled;
        EXPECT_GT (TestSignals::peak (clean), 0.01f) << oversampled;
    }
}

TEST (ProcessorRobustness, UnpreparedOrOddBlocksAreHarmless)
{
    ProcessorHarness harness;
    auto buffer = noise (2, 100);
    const auto input = buffer;
    harness.render (buffer, 100); // no prepareToPlay yet: passes through
    EXPECT_TRUE (identical (buffer, input));

    harness.set (id (quality), 1.0f);
    harness.prepare (44100.0, 0);
    for (int length : { 1, 3, 7, 1000 })
    {
        auto odd = noise (2, length);
        harness.render (odd, length);
        EXPECT_TRUE (TestSignals::allFinite (odd));
    }

    juce::AudioBuffer<float> empty (2, 0);
    juce::MidiBuffer midi;
    harness.processor->processBlock (empty, midi);
}
