// Moving a filter between two blocks must not click. Measured the way a user would hear it: white
// noise through the whole plug-in, stereo, in 512-sample blocks; one setting held for a second,
// then changed between two blocks and held for another second. The peak of the 64 samples right
// after the change must stay within twice the larger of the steady peaks before and after it (the
// last half second of each). Every kind of filter is moved from the top of its range to low, or
// has its gain swung from one end to the other, at every common host rate, with quality off and on.

#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <vector>

using namespace ParameterIDs;

namespace
{
struct Setting
{
    int index;
    float value;
};

struct Move
{
    const char* name;
    std::vector<Setting> before, after;
};

const std::vector<Move>& moves()
{
    static const std::vector<Move> list {
        { "low-pass from the top of its range to the bottom", { { lowpass, 19999.0f } }, { { lowpass, 1000.0f } } },
        { "low-pass on the mid signal, top to bottom", { { midSide, 1.0f }, { lowpass, 19999.0f } }, { { lowpass, 1000.0f } } },
        { "high-pass from the top of its range to the bottom", { { highpass, 1000.0f } }, { { highpass, 21.0f } } },
        { "graphic 15 kHz band swung from -12 to +12 dB", { { graphicGain1 + 9, -12.0f } }, { { graphicGain1 + 9, 12.0f } } },
        { "graphic 15 kHz band swung from +12 to -12 dB", { { graphicGain1 + 9, 12.0f } }, { { graphicGain1 + 9, -12.0f } } },
        { "parametric high shelf at +12 dB, top to bottom",
          { { parametricGain1 + 3, 12.0f }, { parametricFreq1 + 3, 20000.0f } }, { { parametricFreq1 + 3, 1000.0f } } },
        { "parametric high shelf at the top, swung from -12 to +12 dB",
          { { parametricFreq1 + 3, 20000.0f }, { parametricGain1 + 3, -12.0f } }, { { parametricGain1 + 3, 12.0f } } },
        { "parametric bell at +12 dB, top to bottom",
          { { parametricGain1 + 1, 12.0f }, { parametricFreq1 + 1, 2000.0f } }, { { parametricFreq1 + 1, 200.0f } } },
        { "tube low boost at 10 dB, top to bottom", { { tubeGain1, 10.0f }, { tubeFreq1, 300.0f } }, { { tubeFreq1, 20.0f } } },
        { "tube low cut at 10 dB, top to bottom", { { tubeGain1 + 1, 10.0f }, { tubeFreq1, 300.0f } }, { { tubeFreq1, 20.0f } } },
        { "tube high boost at 10 dB, top to bottom", { { tubeGain1 + 2, 10.0f }, { tubeFreq2, 16000.0f } }, { { tubeFreq2, 1000.0f } } },
        { "tube high cut at 10 dB, top to bottom", { { tubeGain1 + 3, 10.0f }, { tubeFreq2, 16000.0f } }, { { tubeFreq2, 1000.0f } } },
        { "tube high boost and cut at the top, swung from 0 to 10 dB",
          { { tubeFreq2, 16000.0f } }, { { tubeGain1 + 2, 10.0f }, { tubeGain1 + 3, 10.0f } } },
        { "tube high boost and cut at the top, swung from 10 to 0 dB",
          { { tubeFreq2, 16000.0f }, { tubeGain1 + 2, 10.0f }, { tubeGain1 + 3, 10.0f } },
          { { tubeGain1 + 2, 0.0f }, { tubeGain1 + 3, 0.0f } } },
        { "tube bandwidth swung from 0 to 10, every tube band at 10 dB at the top",
          { { tubeGain1, 10.0f }, { tubeGain1 + 1, 10.0f }, { tubeGain1 + 2, 10.0f }, { tubeGain1 + 3, 10.0f },
            { tubeFreq1, 300.0f }, { tubeFreq2, 16000.0f } },
          { { tubeBandwidth, 10.0f } } },
        { "low-pass and parametric high shelf (+12 dB) moved together, drive 12 dB",
          { { drive, 12.0f }, { lowpass, 6000.0f }, { parametricGain1 + 3, 12.0f }, { parametricFreq1 + 3, 20000.0f } },
          { { lowpass, 1000.0f }, { parametricFreq1 + 3, 6700.0f } } },
    };

    return list;
}

constexpr int blockSize = 512;
constexpr int samplesRightAfter = 64;

float peakOf (const juce::AudioBuffer<float>& buffer, int start, int length)
{
    float result = 0.0f;

    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        result = std::max (result, buffer.getMagnitude (ch, start, length));

    return result;
}

/** The peak right after the change over the larger steady peak, for one move at one rate. */
double burstOf (const Move& move, double rate, bool oversampled)
{
    ProcessorHarness harness;
    harness.set (ids[quality], oversampled ? 1.0f : 0.0f);

    for (const auto& s : move.before)
        harness.set (ids[(size_t) s.index], s.value);

    harness.prepare (rate, blockSize);

    // A second on each side of the change, in whole blocks, so that it falls between two blocks.
    const int half = ((int) rate + blockSize - 1) / blockSize * blockSize;
    juce::AudioBuffer<float> signal (2, 2 * half);
    juce::Random random (17);
    TestSignals::fillNoise (signal, random, 0.5f);

    juce::AudioBuffer<float> before (signal.getArrayOfWritePointers(), 2, 0, half);
    juce::AudioBuffer<float> after (signal.getArrayOfWritePointers(), 2, half, half);
    harness.render (before);

    for (const auto& s : move.after)
        harness.set (ids[(size_t) s.index], s.value);

    harness.render (after);

    const int steady = (int) rate / 2;
    const float steadyPeak = std::max (peakOf (signal, half - steady, steady), peakOf (signal, 2 * half - steady, steady));
    return (double) peakOf (signal, half, samplesRightAfter) / (double) steadyPeak;
}

class FilterMoves : public testing::TestWithParam<double>
{
};
} // namespace

TEST_P (FilterMoves, NeverBurstAboveTwiceTheSteadyLevel)
{
    const double rate = GetParam();

    for (const bool oversampled : { false, true })
        for (const auto& move : moves())
        {
            const auto burst = burstOf (move, rate, oversampled);
            EXPECT_LT (burst, 2.0) << rate << " Hz, quality " << (oversampled ? "on" : "off") << ": " << move.name;
        }
}

INSTANTIATE_TEST_SUITE_P (HostRates, FilterMoves,
                          testing::Values (8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 48000.0, 96000.0, 192000.0),
                          [] (const testing::TestParamInfo<double>& rate) { return std::to_string ((int) rate.param) + "Hz"; });
