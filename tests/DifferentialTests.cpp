// The engine's fast chain against its plain one. Two processors get the same layout, preparation,
// parameter changes and input; one renders every filter on its own through SVFilter::process, one
// after the other (the readable reference), the other renders the chain as it does for a host.
// Their outputs must be identical, sample for sample: floats compared with ==, so that only the
// sign of a zero may differ.

#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

using namespace ParameterIDs;

namespace
{
const char* id (int index) { return ids[(size_t) index]; }

struct TwinProcessors
{
    explicit TwinProcessors (int channels) : plain (channels), fast (channels)
    {
        plain.processor->setReferenceRendering (true);
    }

    void set (int index, float value)
    {
        plain.set (id (index), value);
        fast.set (id (index), value);
    }

    void prepare (double rate, int blockSize)
    {
        plain.prepare (rate, blockSize);
        fast.prepare (rate, blockSize);
    }

    // Renders the same input through both; returns an empty string when the outputs agree.
    std::string renderAndCompare (const juce::AudioBuffer<float>& input)
    {
        juce::AudioBuffer<float> a, b;
        a.makeCopyOf (input);
        b.makeCopyOf (input);
        juce::MidiBuffer midi;
        plain.processor->processBlock (a, midi);
        fast.processor->processBlock (b, midi);

        for (int ch = 0; ch < a.getNumChannels(); ++ch)
            for (int i = 0; i < a.getNumSamples(); ++i)
                if (! (a.getSample (ch, i) == b.getSample (ch, i)))
                {
                    std::ostringstream message;
                    message.precision (9);
                    message << "channel " << ch << ", sample " << i << " of " << a.getNumSamples()
                            << ": plain " << a.getSample (ch, i) << ", fast " << b.getSample (ch, i);
                    return message.str();
                }

        return {};
    }

    ProcessorHarness plain, fast;
};

/** Draws configurations and signals for one randomised run. */
struct Draw
{
    explicit Draw (juce::int64 seed) : random (seed) {}

    float uniform (float low, float high) { return low + (high - low) * random.nextFloat(); }
    bool chance (float p) { return random.nextFloat() < p; }
    int between (int low, int high) { return low + random.nextInt (high - low + 1); }

    double sampleRate()
    {
        static const double common[] = { 8000.0, 11025.0, 22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0 };

        if (chance (0.7f))
            return common[random.nextInt ((int) std::size (common))];

        return (double) between (8000, 192000) + (chance (0.5f) ? 0.5 : 0.0);
    }

    int blockSize (int prepared)
    {
        switch (random.nextInt (6))
        {
            case 0:  return between (1, 3);
            case 1:  return between (1, 64);
            case 2:  return prepared;
            case 3:  return between (1, prepared);
            case 4:  return between (prepared, 2 * prepared + 7);   // longer than prepared
            default: return between (1, 4096);
        }
    }

    // Gains sit at exactly 0 dB now and then, so that bands switch between skipping and running.
    float gain (float low, float high) { return chance (0.3f) ? 0.0f : uniform (low, high); }

    /** Changes between two blocks: a few parameters, now and then nearly all of them. */
    void changes (TwinProcessors& twins)
    {
        const int count = chance (0.15f) ? 40 : between (1, 6);

        for (int n = 0; n < count; ++n)
            change (twins, random.nextInt (ParameterIDs::count));
    }

    void change (TwinProcessors& twins, int index)
    {
        if (index < parametricGain1)
            twins.set (index, gain (-12.0f, 12.0f));
        else if (index < parametricFreq1)
            twins.set (index, gain (-12.0f, 12.0f));
        else if (index < tubeGain1)
        {
            static const int low[] = { 30, 200, 200, 1000 }, high[] = { 400, 2000, 2000, 20000 };
            const int band = index - parametricFreq1;
            twins.set (index, (float) between (low[band], high[band]));
        }
        else if (index < tubeFreq1)
            twins.set (index, gain (0.0f, 10.0f));
        else if (index == tubeFreq1)
            twins.set (index, uniform (20.0f, 300.0f));
        else if (index == tubeFreq2)
            twins.set (index, uniform (1000.0f, 16000.0f));
        else if (index == tubeBandwidth)
            twins.set (index, uniform (0.0f, 10.0f));
        else if (index == quality)
            twins.set (index, chance (0.5f) ? 1.0f : 0.0f);
        else if (index == midSide)
            twins.set (index, (float) random.nextInt (3));
        else if (index == highpass)
            twins.set (index, chance (0.4f) ? 20.0f : uniform (20.0f, 1000.0f));
        else if (index == lowpass)
            twins.set (index, chance (0.4f) ? 20000.0f : uniform (1000.0f, 20000.0f));
        else if (index == drive)
            twins.set (index, chance (0.3f) ? 0.0f : uniform (0.0f, 20.0f));
        else if (index == trim)
            twins.set (index, uniform (-24.0f, 24.0f));
        else if (index == phase)
            twins.set (index, chance (0.5f) ? 1.0f : 0.0f);
        else
            twins.set (index, chance (0.5f) ? 1.0f : 0.0f);   // the mode switches and "cpu"
    }

    /** Noise and a sine, silence, loud peaks, denormals, and now and then a non-finite sample. */
    void signal (juce::AudioBuffer<float>& buffer, double sampleRate, int& position)
    {
        const int kind = random.nextInt (10);
        const float amplitude = kind == 0 ? 0.0f : (kind == 1 ? 4.0f : 0.3f);
        const double frequency = uniform (20.0f, 0.45f * (float) sampleRate);

        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
            {
                const auto sine = (float) std::sin (TestSignals::twoPi * frequency * (position + i) / sampleRate);
                buffer.setSample (ch, i, amplitude * (0.5f * sine + 0.5f * (2.0f * random.nextFloat() - 1.0f)));
            }

        if (kind == 2)
            for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
                for (int i = 0; i < buffer.getNumSamples(); i += 3)
                    buffer.setSample (ch, i, std::numeric_limits<float>::denorm_min() * (float) between (-100, 100));

        if (kind == 3 && buffer.getNumSamples() > 0)
        {
            const float odd[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max() };
            buffer.setSample (random.nextInt (buffer.getNumChannels()), random.nextInt (buffer.getNumSamples()),
                              odd[random.nextInt ((int) std::size (odd))]);
        }

        position += buffer.getNumSamples();
    }

    juce::Random random;
};
} // namespace

TEST (FastChain, MatchesThePlainChainOnRandomisedConfigurations)
{
    constexpr int runs = 48, blocksPerRun = 64;

    for (int run = 0; run < runs; ++run)
    {
        Draw draw (1000 + run);
        const int channels = draw.chance (0.3f) ? 1 : 2;
        TwinProcessors twins (channels);

        // Some runs start from a configuration set before the first preparation (no fade-in).
        if (draw.chance (0.5f))
            draw.changes (twins);

        const double rate = draw.sampleRate();
        const int prepared = draw.chance (0.3f) ? draw.between (1, 64) : draw.between (64, 4096);
        twins.prepare (rate, prepared);

        int position = 0;

        for (int block = 0; block < blocksPerRun; ++block)
        {
            if (block > 0 && draw.chance (0.5f))
                draw.changes (twins);

            // Now and then the host prepares again, at another rate or block size.
            if (block > 0 && draw.chance (0.03f))
                twins.prepare (draw.sampleRate(), draw.between (1, 4096));

            juce::AudioBuffer<float> input (channels, draw.blockSize (prepared));
            draw.signal (input, rate, position);

            const auto difference = twins.renderAndCompare (input);
            ASSERT_TRUE (difference.empty()) << "run " << run << " (" << channels << " channel(s), " << rate
                                             << " Hz, prepared for " << prepared << "), block " << block
                                             << ": " << difference;
        }
    }
}

TEST (FastChain, MatchesThePlainChainWithEverySectionActive)
{
    // Every band and both filters running, in each stereo mode, with and without drive and quality:
    // the configurations the benchmarks measure, over long stretches.
    for (const int channels : { 1, 2 })
        for (const int stereoMode : { 0, 1, 2 })
            for (const bool driven : { false, true })
                for (const bool oversampled : { false, true })
                {
                    TwinProcessors twins (channels);

                    for (int band = 0; band < 10; ++band)
                        twins.set (graphicGain1 + band, band % 2 == 0 ? 4.0f : -3.0f);

                    for (int band = 0; band < 4; ++band)
                    {
                        twins.set (parametricGain1 + band, 5.0f);
                        twins.set (tubeGain1 + band, 3.0f);
                    }

                    twins.set (highpass, 40.0f);
                    twins.set (lowpass, 16000.0f);
                    twins.set (trim, -2.0f);
                    twins.set (midSide, (float) stereoMode);
                    twins.set (quality, oversampled ? 1.0f : 0.0f);
                    twins.set (drive, driven ? 12.0f : 0.0f);
                    twins.prepare (48000.0, 512);

                    Draw draw (channels * 100 + stereoMode * 10 + (driven ? 2 : 0) + (oversampled ? 1 : 0));
                    int position = 0;

                    for (int block = 0; block < 40; ++block)
                    {
                        juce::AudioBuffer<float> input (channels, 512);
                        TestSignals::fillNoise (input, draw.random, 0.5f);
                        position += 512;

                        // A drive ramp in the middle of the run.
                        if (block == 20)
                            twins.set (drive, driven ? 3.0f : 9.0f);

                        const auto difference = twins.renderAndCompare (input);
                        ASSERT_TRUE (difference.empty()) << channels << " channel(s), ms " << stereoMode << ", drive "
                                                         << driven << ", quality " << oversampled << ", block "
                                                         << block << ": " << difference;
                    }
                }
}
