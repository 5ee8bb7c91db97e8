// The transient after a parameter change, through the built Tandrel VST3 loaded with the
// framework's hosting classes: how far the first samples after a filter is moved between two
// blocks rise above the level the plug-in holds before and after the move.
//
// Each case prepares a fresh instance at its rate (stereo, 512-sample blocks, every parameter not
// named at its default), feeds it white noise (amplitude 0.5, independent per channel, a fixed
// seed), holds the first setting for a second, moves the filter's parameters between two blocks
// and holds the new setting for another second. The ratio is the peak over both channels of the
// 64 samples right after the move, divided by the larger of the steady peaks: the last half of the
// hold before the move and the last half of the run. The table shows the largest ratio over the
// seeds. A filter that moves cleanly stays near or under 2; a burst reaches far above that.
//
// Usage: tandrel_burst_table [--vst3=PATH] [--seeds=N] [--seconds=S]
//   --vst3     the Tandrel.vst3 bundle to measure (default: this build's)
//   --seeds    noise seeds per case, 1..N (default 5)
//   --seconds  how long each setting is held, at least (default 1); the steady peaks are taken
//              over the last half of each hold
//
// Prints a Markdown table on stdout and every seed's peaks on stderr. It measures and does not
// judge: it exits non-zero only when the plug-in cannot be loaded or set up, or renders a
// non-finite sample (and on an option it cannot use).

#include "HostedPlugins.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace
{
constexpr int blockSize = 512;
constexpr int numChannels = 2;
constexpr int burstLength = 64;   // samples right after the move
constexpr float noiseAmplitude = 0.5f;

using hosted::SetupError;
using hosted::findParameter;

struct Options
{
    juce::String bundle = TANDREL_VST3_PATH;
    int seeds = 5;
    double seconds = 1.0;
};

//==============================================================================
// Parameters by the name the plug-in gives the host, values normalised (0..1) as a host sends them.
struct Held
{
    const char* parameter;
    float value;
};

struct Move
{
    const char* parameter;
    float from, to;
};

struct Case
{
    double rate;
    std::vector<Held> held;    // for the whole run
    std::vector<Move> moves;   // all between the same two blocks
};

// "Low-Pass" runs 1000..20000 Hz with a skew of 0.3 (p -> 1000 + 19000 p^(1/0.3)): 0.9 is 14.4 kHz,
// 0.67 is 6.0 kHz, 0.2 is 1.09 kHz. "P EQ 4 Freq" runs 1000..20000 Hz, "T EQ 2 Freq" 1000..16000 Hz
// (the tube high cut, band 4, sits at three quarters of it), both linear. The gains' and the
// drive's ranges are -12..12 dB, 0..10 and 0..20 dB.
const Move lowpassDown { "Low-Pass", 0.9f, 0.2f };
const Move lowpassToBottom { "Low-Pass", 0.67f, 0.0f };
const Move bandFourDown { "P EQ 4 Freq", 1.0f, 0.3f };
const Move tubeHighCutDown { "T EQ 2 Freq", 1.0f, 0.2f };

const Held bandFourBoost { "P EQ 4 Gain", 1.0f };        // +12 dB
const Held tubeHighCutDeepest { "T EQ 4 Gain", 1.0f };   // 10
const Held drive12dB { "Drive", 0.6f };
const Held qualityOn { "Quality", 1.0f };

std::vector<Case> makeCases()
{
    std::vector<Case> cases {
        { 8000.0,  {}, { lowpassToBottom } },
        { 11025.0, {}, { lowpassDown } },
        { 16000.0, {}, { lowpassDown } },
        { 22050.0, {}, { lowpassDown } },
        { 22050.0, { bandFourBoost }, { bandFourDown } },
        { 32000.0, { bandFourBoost }, { bandFourDown } },
        { 16000.0, { tubeHighCutDeepest }, { tubeHighCutDown } },
        { 8000.0,  { bandFourBoost, drive12dB }, { lowpassToBottom, bandFourDown } },
        { 8000.0,  { qualityOn, bandFourBoost, drive12dB }, { lowpassToBottom, bandFourDown } },
        // With quality on, the filters run at twice the host rate on the upsampler's output, which
        // has next to nothing near half that rate, so the move above stays clean (its low-pass,
        // 6 kHz, is below 8 kHz, and band 4 is fed band-limited noise). The saturation stage puts
        // content back there: a low-pass asked for above half the processing rate, behind the
        // drive, is where the oversampled path bursts.
        { 8000.0,  { qualityOn, drive12dB }, { lowpassDown } },
    };

    // The same kinds of move at the rates where every cutoff asked for stays below half the rate.
    for (double rate : { 44100.0, 48000.0 })
    {
        cases.push_back ({ rate, {}, { lowpassDown } });
        cases.push_back ({ rate, { bandFourBoost }, { bandFourDown } });
        cases.push_back ({ rate, { tubeHighCutDeepest }, { tubeHighCutDown } });
    }

    return cases;
}

//==============================================================================
void setParameter (juce::AudioPluginInstance& instance, const char* name, float normalised)
{
    findParameter (instance, name).setValueNotifyingHost (normalised);
}

// The plug-in's own text for the value the parameter now has.
juce::String currentText (juce::AudioPluginInstance& instance, const char* name)
{
    return findParameter (instance, name).getCurrentValueAsText();
}

//==============================================================================
class Host
{
public:
    explicit Host (const juce::String& bundle)
    {
        const juce::File file (bundle);

        if (! file.exists())
            throw SetupError (bundle + " does not exist");

        description = hosted::describeOnly (format, file.getFullPathName());
    }

    std::unique_ptr<juce::AudioPluginInstance> create (double rate)
    {
        auto instance = hosted::create (format, *description, rate, blockSize);

        if (instance->getTotalNumInputChannels() != numChannels || instance->getTotalNumOutputChannels() != numChannels)
            throw SetupError (instance->getName() + " is not stereo in and out");

        return instance;
    }

private:
    juce::VST3PluginFormat format;
    std::unique_ptr<juce::PluginDescription> description;
};

// White noise, each channel its own stretch of one seeded sequence.
juce::AudioBuffer<float> makeNoise (int seed, int numSamples)
{
    juce::AudioBuffer<float> noise (numChannels, numSamples);
    juce::Random random (seed);

    for (int ch = 0; ch < numChannels; ++ch)
        for (int i = 0; i < numSamples; ++i)
            noise.setSample (ch, i, noiseAmplitude * (2.0f * random.nextFloat() - 1.0f));

    return noise;
}

float peakOf (const juce::AudioBuffer<float>& output, int start, int length)
{
    float peak = 0.0f;

    for (int ch = 0; ch < output.getNumChannels(); ++ch)
        for (int i = start; i < start + length; ++i)
            peak = std::max (peak, std::abs (output.getSample (ch, i)));

    return peak;
}

struct Peaks
{
    float before, burst, after;

    double ratio() const { return (double) burst / (double) std::max (before, after); }
};

// The plug-in's own text for each held value and for each moved parameter before and after.
struct Values
{
    juce::StringArray held, from, to;
};

// One run of a case with one seed, on a fresh instance.
Peaks measure (Host& host, const Case& c, int seed, const Options& options, Values& values)
{
    const int heldBlocks = std::max (1, (int) std::ceil (options.seconds * c.rate / blockSize));
    const int heldSamples = heldBlocks * blockSize;
    const int steadyLength = juce::jlimit (1, heldSamples - burstLength, juce::roundToInt (0.5 * options.seconds * c.rate));

    auto instance = host.create (c.rate);
    instance->prepareToPlay (c.rate, blockSize);

    for (const auto& h : c.held)
        setParameter (*instance, h.parameter, h.value);

    for (const auto& m : c.moves)
        setParameter (*instance, m.parameter, m.from);

    values = {};

    for (const auto& h : c.held)
        values.held.add (currentText (*instance, h.parameter));

    for (const auto& m : c.moves)
        values.from.add (currentText (*instance, m.parameter));

    const auto input = makeNoise (seed, 2 * heldSamples);
    juce::AudioBuffer<float> output (numChannels, input.getNumSamples());
    juce::AudioBuffer<float> block (numChannels, blockSize);
    juce::MidiBuffer midi;

    for (int b = 0; b < 2 * heldBlocks; ++b)
    {
        // The host hands the new values over with the next block, before its first sample.
        if (b == heldBlocks)
            for (const auto& m : c.moves)
            {
                setParameter (*instance, m.parameter, m.to);
                values.to.add (currentText (*instance, m.parameter));
            }

        for (int ch = 0; ch < numChannels; ++ch)
            block.copyFrom (ch, 0, input, ch, b * blockSize, blockSize);

        midi.clear();
        instance->processBlock (block, midi);

        for (int ch = 0; ch < numChannels; ++ch)
        {
            for (int i = 0; i < blockSize; ++i)
                if (! std::isfinite (block.getSample (ch, i)))
                    throw SetupError (instance->getName() + " rendered a non-finite sample at " + juce::String (c.rate, 0)
                                      + " Hz, seed " + juce::String (seed) + ", block " + juce::String (b));

            output.copyFrom (ch, b * blockSize, block, ch, 0, blockSize);
        }
    }

    instance->releaseResources();

    return { peakOf (output, heldSamples - steadyLength, steadyLength),
             peakOf (output, heldSamples, burstLength),
             peakOf (output, output.getNumSamples() - steadyLength, steadyLength) };
}

juce::String formatNormalised (float value)
{
    std::ostringstream text;
    text << std::setprecision (3) << value;
    return text.str();
}

// "name normalised (plug-in's text)" per held value, "-" when none.
juce::String describeHeld (const Case& c, const Values& values)
{
    juce::StringArray held;

    for (size_t i = 0; i < c.held.size(); ++i)
        held.add (juce::String (c.held[i].parameter) + " " + formatNormalised (c.held[i].value) + " (" + values.held[(int) i] + ")");

    return held.isEmpty() ? juce::String ("-") : held.joinIntoString (", ");
}

// "name from -> to (plug-in's texts)" per moved parameter.
juce::String describeMoves (const Case& c, const Values& values)
{
    juce::StringArray moves;

    for (size_t i = 0; i < c.moves.size(); ++i)
    {
        const auto& m = c.moves[i];
        moves.add (juce::String (m.parameter) + " " + formatNormalised (m.from) + " -> " + formatNormalised (m.to) + " ("
                   + values.from[(int) i] + " -> " + values.to[(int) i] + ")");
    }

    return moves.joinIntoString (", ");
}

juce::String formatRatio (double ratio)
{
    return juce::String (ratio, ratio < 10.0 ? 2 : 1);
}

Options parseOptions (const juce::ArgumentList& args)
{
    Options options;

    if (args.containsOption ("--vst3"))
        options.bundle = args.getValueForOption ("--vst3");

    if (args.containsOption ("--seeds"))
        options.seeds = args.getValueForOption ("--seeds").getIntValue();

    if (args.containsOption ("--seconds"))
        options.seconds = args.getValueForOption ("--seconds").getDoubleValue();

    if (options.bundle.isEmpty() || options.seeds < 1 || ! (options.seconds > 0.0 && options.seconds <= 600.0))
        throw SetupError ("usage: tandrel_burst_table [--vst3=Tandrel.vst3] [--seeds=N>=1] [--seconds=0<S<=600]");

    return options;
}

int run (const Options& options)
{
    Host host (options.bundle);
    const auto cases = makeCases();
    std::cerr << "Measuring " << juce::File (options.bundle).getFullPathName() << "\n";

    std::cout << "| rate (Hz) | held, normalised (plug-in's value) | change, normalised (plug-in's values) | peak ratio |\n"
              << "| ---: | --- | --- | ---: |\n";

    for (const auto& c : cases)
    {
        std::vector<double> ratios;
        Values values;

        for (int seed = 1; seed <= options.seeds; ++seed)
        {
            const auto peaks = measure (host, c, seed, options, values);
            ratios.push_back (peaks.ratio());

            if (seed == 1)
                std::cerr << juce::String (c.rate, 0) << " Hz, " << describeHeld (c, values) << "; " << describeMoves (c, values) << "\n";

            std::cerr << "  seed " << seed << ": steady peak before " << peaks.before << ", after " << peaks.after
                      << "; first " << burstLength << " samples after the change " << peaks.burst
                      << "; ratio " << formatRatio (peaks.ratio()) << "\n";
        }

        // A silent steady output would make a ratio infinite or not a number: that one is shown.
        const auto unusual = std::find_if (ratios.begin(), ratios.end(), [] (double r) { return ! std::isfinite (r); });
        const auto largest = unusual != ratios.end() ? *unusual : *std::max_element (ratios.begin(), ratios.end());

        std::cout << "| " << juce::String (c.rate, 0) << " | " << describeHeld (c, values) << " | " << describeMoves (c, values)
                  << " | " << formatRatio (largest) << " |\n";
    }

    std::cout << "\nStereo white noise of amplitude " << noiseAmplitude << ", " << blockSize << "-sample blocks, each setting held "
              << juce::String (options.seconds) << " s (rounded up to whole blocks). Peak ratio: the peak of the " << burstLength
              << " samples after the change over the larger of the steady peaks (the last half of each hold), the largest over "
              << options.seeds << (options.seeds == 1 ? " seed" : " seeds") << "; " << (int) cases.size() << " cases.\n";
    return 0;
}
} // namespace

int main (int argc, char* argv[])
{
    return hosted::runMain ("tandrel_burst_table", [&] { return run (parseOptions (juce::ArgumentList (argc, argv))); });
}
