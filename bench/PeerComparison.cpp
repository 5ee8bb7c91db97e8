// Real-time factor of the built Tandrel VST3 next to x42's fil4 parametric equaliser (LV2), both
// loaded through the framework's hosting classes and fed the same signal in one run, so that
// the ratio between them can be read off one machine at one moment. Given another Tandrel
// build's VST3 as a baseline, it measures that one too, in the same runs, and requires both
// builds to render bit-identical output.
//
// Usage: tandrel_peer_bench [--seconds=S] [--processing-seconds=P] [--runs=N] [--baseline=B]
//   --seconds             audio per measurement, at least (default 30)
//   --processing-seconds  processing time per measurement, at least: a plug-in that renders
//                         S seconds faster than this gets more blocks (default 0.5)
//   --runs                measurements per plug-in and configuration, interleaved (default 5)
//   --baseline            the Tandrel.vst3 bundle of another build to compare this one with
//
// Prints a Markdown table on stdout and every run's figures on stderr. Exits non-zero when a
// plug-in cannot be found, loaded or set up, or renders a non-finite sample, and (once the table
// is printed) when the baseline's output differs from this build's in a single bit.

#include "HostedPlugins.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

// fil4 as the system's package installs it: a copy in ~/.lv2 or elsewhere must not stand in.
constexpr const char* fil4StereoUri = "http://gareus.org/oss/lv2/fil4#stereo";
constexpr const char* fil4MonoUri = "http://gareus.org/oss/lv2/fil4#mono";
constexpr const char* fil4Library = "/usr/lib/lv2/fil4.lv2/fil4.so";

using hosted::SetupError;
using hosted::findParameter;

struct Options
{
    double seconds = 30.0;
    double processingSeconds = 0.5;
    int runs = 5;
    juce::String baseline;   // empty: no baseline
};

// A parameter, by its display name, and the plain value it gets.
struct Setting
{
    juce::String name;
    float value;
};

//==============================================================================
// fil4 on (the framework shows its "Enable" port as "Bypass") with its four bells, both shelves,
// the high-pass and the low-pass on; the gains alternate like Tandrel's graphic bands, the
// filters sit where Tandrel's are put.
std::vector<Setting> fil4Settings()
{
    return { { "Bypass", 0 },
             { "Highpass", 1 },  { "Highpass Frequency", 40 },
             { "Lowpass", 1 },   { "Lowpass Frequency", 16000 },
             { "Lowshelf", 1 },  { "Lowshelf Gain", 4 },
             { "Section 1", 1 }, { "Gain 1", -3 },
             { "Section 2", 1 }, { "Gain 2", 4 },
             { "Section 3", 1 }, { "Gain 3", -3 },
             { "Section 4", 1 }, { "Gain 4", 4 },
             { "Highshelf", 1 }, { "Highshelf Gain", -3 } };
}

struct Configuration
{
    const char* name;
    bool mono;
    bool everyBand;   // false: a fresh instance, every parameter at its default
    float drive, quality, midSide;
};

const Configuration configurations[] = {
    { "every band",               false, true,  0.0f,  0.0f, 0.0f },
    { "every band + drive 12 dB", false, true,  12.0f, 0.0f, 0.0f },
    { "every band + quality",     false, true,  0.0f,  1.0f, 0.0f },
    { "defaults",                 false, false, 0.0f,  0.0f, 0.0f },
    { "every band, mono",         true,  true,  0.0f,  0.0f, 0.0f },
    { "every band, mid/side",     false, true,  0.0f,  0.0f, 1.0f },
};

std::vector<Setting> tandrelSettings (const Configuration& c)
{
    std::vector<Setting> settings;

    if (! c.everyBand)
        return settings;

    for (int band = 1; band <= 10; ++band)
        settings.push_back ({ "G EQ " + juce::String (band) + " Gain", band % 2 == 1 ? 4.0f : -3.0f });

    for (int band = 1; band <= 4; ++band)
    {
        settings.push_back ({ "P EQ " + juce::String (band) + " Gain", 5.0f });
        settings.push_back ({ "T EQ " + juce::String (band) + " Gain", 3.0f });
    }

    settings.insert (settings.end(), { { "High-Pass", 40.0f }, { "Low-Pass", 16000.0f }, { "Trim", -2.0f },
                                       { "Drive", c.drive }, { "Quality", c.quality }, { "M/S", c.midSide } });
    return settings;
}

//==============================================================================
// Sets each value the way a host's text entry does, so that ranges and skews stay the plug-in's
// business.
void applySettings (juce::AudioPluginInstance& instance, const std::vector<Setting>& settings)
{
    for (const auto& s : settings)
    {
        auto& p = findParameter (instance, s.name);
        p.setValueNotifyingHost (p.isBoolean() ? (s.value != 0.0f ? 1.0f : 0.0f) : p.getValueForText (juce::String (s.value)));
    }
}

// Checks that the plug-in still reports every value it was given; returns "name = text" lines.
juce::StringArray confirmSettings (juce::AudioPluginInstance& instance, const std::vector<Setting>& settings)
{
    juce::StringArray report;

    for (const auto& s : settings)
    {
        auto& p = findParameter (instance, s.name);
        const auto text = p.getCurrentValueAsText();
        const bool holds = p.isBoolean() ? (p.getValue() >= 0.5f) == (s.value != 0.0f)
                                         : std::abs (text.getFloatValue() - s.value) <= 0.01f * std::max (1.0f, std::abs (s.value));

        if (! holds)
            throw SetupError (instance.getName() + ": \"" + s.name + "\" set to " + juce::String (s.value) + " reads back as " + text);

        report.add (s.name + " = " + text);
    }

    return report;
}

juce::AudioProcessor::BusesLayout layoutOf (int channels)
{
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    return layout;
}

// The path with every symbolic link resolved, as the process's mapped files name it.
juce::String canonicalPath (const juce::String& path)
{
    std::unique_ptr<char, decltype (&std::free)> resolved (realpath (path.toRawUTF8(), nullptr), &std::free);

    if (resolved == nullptr)
        throw SetupError (path + " does not exist");

    return juce::String (resolved.get());
}

//==============================================================================
// A Tandrel VST3 bundle: which build it is and the description found in it.
struct TandrelBuild
{
    juce::String name;     // as the figures name it
    juce::String bundle;   // canonical
    std::unique_ptr<juce::PluginDescription> description;
};

// The two formats and the plug-in descriptions, each found exactly once.
class Plugins
{
public:
    explicit Plugins (const juce::String& baselineBundle)
    {
        lv2 = createLv2FormatWithoutUserFolder();

        const bool hasBaseline = baselineBundle.isNotEmpty();
        tandrel = { hasBaseline ? "Tandrel (this build)" : "Tandrel", canonicalPath (TANDREL_VST3_PATH), nullptr };
        tandrel.description = hosted::describeOnly (vst3, tandrel.bundle);

        if (hasBaseline)
        {
            baseline = { "Tandrel (baseline)", canonicalPath (baselineBundle), nullptr };

            if (baseline.bundle == tandrel.bundle)
                throw SetupError ("the baseline is this build's own bundle, " + tandrel.bundle);

            baseline.description = hosted::describeOnly (vst3, baseline.bundle);
        }

        fil4Stereo = hosted::describeOnly (*lv2, fil4StereoUri);
        fil4Mono = hosted::describeOnly (*lv2, fil4MonoUri);
    }

    const TandrelBuild& thisBuild() const { return tandrel; }
    const TandrelBuild* baselineBuild() const { return baseline.description != nullptr ? &baseline : nullptr; }

    // Both builds carry the same plug-in identity. The framework keeps one library per bundle
    // path, but the dynamic loader hands out an already loaded library again when another path
    // names the same file (a link), so where each instance's code really lives is looked up.
    std::unique_ptr<juce::AudioPluginInstance> createTandrel (const TandrelBuild& build, int channels)
    {
        auto instance = hosted::create (vst3, *build.description, sampleRate, blockSize);

        if (channels != 2 && ! instance->setBusesLayout (layoutOf (channels)))
            throw SetupError (build.name + " refuses " + juce::String (channels) + " channel(s)");

        const auto library = libraryOf (*instance);

        if (! library.startsWith (build.bundle + "/"))
            throw SetupError (build.name + "'s code is loaded from " + library + ", not from inside " + build.bundle);

        return instance;
    }

    // The library that holds the code of a VST3 instance: the one its component's virtual
    // function table lies in.
    static juce::String libraryOf (juce::AudioPluginInstance& instance)
    {
        struct Component : juce::ExtensionsVisitor
        {
            const void* object = nullptr;
            void visitVST3Client (const VST3Client& client) override { object = client.getIComponentPtr(); }
        } component;

        instance.getExtensions (component);
        Dl_info info {};

        if (component.object == nullptr || dladdr (*static_cast<void* const*> (component.object), &info) == 0
            || info.dli_fname == nullptr)
            throw SetupError ("cannot tell which library " + instance.getName() + " was loaded from");

        return canonicalPath (info.dli_fname);
    }

    std::unique_ptr<juce::AudioPluginInstance> createFil4 (int channels)
    {
        auto instance = hosted::create (*lv2, channels == 1 ? *fil4Mono : *fil4Stereo, sampleRate, blockSize);
        checkLibraryLoadedFrom (fil4Library);
        return instance;
    }

private:
    // The framework's LV2 host reads its fixed folders (~/.lv2, /usr/lib/lv2, /usr/local/lib/lv2)
    // as soon as it is created, and the LV2 library expands "~" from HOME: an empty folder as HOME
    // keeps the user's bundles out. That scan already covers /usr/lib/lv2 (scanning it again would
    // only reload every bundle); that fil4 really comes from there is checked once it is loaded.
    static std::unique_ptr<juce::LV2PluginFormat> createLv2FormatWithoutUserFolder()
    {
        const juce::TemporaryFile emptyHome;
        emptyHome.getFile().createDirectory();

        const char* home = std::getenv ("HOME");
        const juce::String savedHome = home != nullptr ? juce::String (home) : juce::String();
        setenv ("HOME", emptyHome.getFile().getFullPathName().toRawUTF8(), 1);
        auto format = std::make_unique<juce::LV2PluginFormat>();

        if (home != nullptr)
            setenv ("HOME", savedHome.toRawUTF8(), 1);
        else
            unsetenv ("HOME");

        emptyHome.getFile().deleteRecursively();
        return format;
    }

    // The process's mapped files name the binary the plug-in was really loaded from.
    static void checkLibraryLoadedFrom (const juce::String& expected)
    {
        juce::StringArray mapped;
        mapped.addLines (juce::File ("/proc/self/maps").loadFileAsString());
        const auto name = juce::File (expected).getFileName();

        bool found = false;

        for (const auto& line : mapped)
        {
            const auto path = line.fromFirstOccurrenceOf ("/", true, false).trim();

            if (path.endsWith ("/" + name) && path != expected)
                throw SetupError (name + " was loaded from " + path + ", not from " + expected);

            found = found || path == expected;
        }

        if (! found)
            throw SetupError (expected + " is not loaded");
    }

    juce::VST3PluginFormat vst3;
    std::unique_ptr<juce::LV2PluginFormat> lv2;
    TandrelBuild tandrel, baseline;
    std::unique_ptr<juce::PluginDescription> fil4Stereo, fil4Mono;
};

//==============================================================================
// A fixed signal, looped: independent noise on each channel (so that the side signal is not
// silent) plus a 1 kHz sine at the same phase on all of them.
juce::AudioBuffer<float> makeSignal (int channels)
{
    constexpr int numBlocks = 1000;
    juce::AudioBuffer<float> signal (channels, numBlocks * blockSize);
    juce::Random random (42);

    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < signal.getNumSamples(); ++i)
        {
            const auto sine = std::sin (juce::MathConstants<double>::twoPi * 1000.0 * i / sampleRate);
            signal.setSample (ch, i, 0.15f * (2.0f * random.nextFloat() - 1.0f) + (float) (0.25 * sine));
        }

    return signal;
}

// What a render did to the signal: whether every sample stayed finite and how far the output
// moved away from the input.
struct OutputCheck
{
    bool finite = true;
    double inputEnergy = 0.0, differenceEnergy = 0.0;

    void add (const juce::AudioBuffer<float>& signal, int start, const juce::AudioBuffer<float>& output)
    {
        for (int ch = 0; ch < output.getNumChannels(); ++ch)
            for (int i = 0; i < output.getNumSamples(); ++i)
            {
                const double in = signal.getSample (ch, start + i), out = output.getSample (ch, i);
                finite = finite && std::isfinite (out);
                inputEnergy += in * in;
                differenceEnergy += (out - in) * (out - in);
            }
    }

    double differenceDecibels() const
    {
        return 10.0 * std::log10 (std::max (differenceEnergy, 1.0e-30) / std::max (inputEnergy, 1.0e-30));
    }
};

struct Measurement
{
    int numBlocks;
    double processingSeconds;

    double audioSeconds() const { return numBlocks * blockSize / sampleRate; }
    double realTimeFactor() const { return audioSeconds() / processingSeconds; }
};

// Each rendered block, with where in the signal its input started.
using BlockObserver = std::function<void (int start, const juce::AudioBuffer<float>& output)>;

// Renders numBlocks blocks of the looped signal; only the processBlock calls are timed.
Measurement render (juce::AudioPluginInstance& plugin, const juce::AudioBuffer<float>& signal, int numBlocks,
                    const BlockObserver& observe = nullptr)
{
    const int channels = signal.getNumChannels();

    if (plugin.getTotalNumInputChannels() != channels || plugin.getTotalNumOutputChannels() != channels)
        throw SetupError (plugin.getName() + " has " + juce::String (plugin.getTotalNumInputChannels()) + " in, "
                          + juce::String (plugin.getTotalNumOutputChannels()) + " out, not " + juce::String (channels));

    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::MidiBuffer midi;
    const int signalBlocks = signal.getNumSamples() / blockSize;
    std::chrono::steady_clock::duration elapsed {};

    for (int block = 0; block < numBlocks; ++block)
    {
        const int start = (block % signalBlocks) * blockSize;

        for (int ch = 0; ch < channels; ++ch)
            buffer.copyFrom (ch, 0, signal, ch, start, blockSize);

        midi.clear();
        const auto before = std::chrono::steady_clock::now();
        plugin.processBlock (buffer, midi);
        elapsed += std::chrono::steady_clock::now() - before;

        if (observe)
            observe (start, buffer);
    }

    return { numBlocks, std::chrono::duration<double> (elapsed).count() };
}

int blocksFor (double seconds) { return std::max (1, (int) std::ceil (seconds * sampleRate / blockSize)); }

// The output of numBlocks blocks, one after the other.
juce::AudioBuffer<float> renderedOutput (juce::AudioPluginInstance& plugin, const juce::AudioBuffer<float>& signal, int numBlocks)
{
    juce::AudioBuffer<float> output (signal.getNumChannels(), numBlocks * blockSize);
    int written = 0;

    render (plugin, signal, numBlocks, [&] (int, const juce::AudioBuffer<float>& block)
    {
        for (int ch = 0; ch < block.getNumChannels(); ++ch)
            output.copyFrom (ch, written, block, ch, 0, blockSize);

        written += blockSize;
    });

    return output;
}

// One plug-in's part of a configuration: its instance, the blocks each measurement renders and
// the measurements so far.
struct Contender
{
    juce::String name;
    juce::AudioPluginInstance* plugin;
    int numBlocks = 0;
    std::vector<double> factors;

    // A first, checked render warms caches up and lets parameter smoothing settle; its time sets
    // how many blocks a measurement needs to last long enough.
    OutputCheck calibrate (const juce::AudioBuffer<float>& signal, const Options& options)
    {
        OutputCheck check;
        const auto first = render (*plugin, signal, blocksFor (options.seconds),
                                   [&] (int start, const juce::AudioBuffer<float>& output) { check.add (signal, start, output); });

        if (! check.finite)
            throw SetupError (name + " rendered a non-finite sample");

        const auto scale = first.processingSeconds > 0.0 ? options.processingSeconds / first.processingSeconds : 1.0;
        numBlocks = std::max (first.numBlocks, (int) std::ceil (first.numBlocks * std::min (scale, 1.0e4)));
        return check;
    }

    void measure (const juce::AudioBuffer<float>& signal) { factors.push_back (render (*plugin, signal, numBlocks).realTimeFactor()); }
    double best() const { return *std::max_element (factors.begin(), factors.end()); }

    juce::String runs() const
    {
        juce::StringArray texts;

        for (auto f : factors)
            texts.add (juce::String (f, 1));

        return texts.joinIntoString (" ");
    }
};

// Blocks that both Tandrel builds render, from the moment they are set up, before they are
// timed: enough to cover the parameters' smoothing and then some steady filtering.
constexpr int comparedBlocks = 32;

// The two builds' output, sample by sample, over every configuration: it must match bit for
// bit (the sign of a zero too).
struct OutputComparison
{
    int comparedSamples = 0;
    juce::StringArray differences;   // one line per configuration that differs

    void compare (const Contender& ours, const Contender& baseline, const juce::AudioBuffer<float>& signal,
                  const char* configuration)
    {
        const auto expected = renderedOutput (*ours.plugin, signal, comparedBlocks);
        const auto actual = renderedOutput (*baseline.plugin, signal, comparedBlocks);
        int differing = 0;
        juce::String first;

        for (int ch = 0; ch < expected.getNumChannels(); ++ch)
            for (int i = 0; i < expected.getNumSamples(); ++i)
            {
                const float x = expected.getSample (ch, i), y = actual.getSample (ch, i);
                std::uint32_t xBits, yBits;
                std::memcpy (&xBits, &x, sizeof x);
                std::memcpy (&yBits, &y, sizeof y);

                if (xBits != yBits && differing++ == 0)
                    first = "channel " + juce::String (ch) + ", sample " + juce::String (i) + " (" + ours.name + " "
                          + juce::String::formatted ("%.9g", (double) x) + ", " + baseline.name + " "
                          + juce::String::formatted ("%.9g", (double) y) + ")";
            }

        const int compared = expected.getNumChannels() * expected.getNumSamples();
        comparedSamples += compared;

        if (differing > 0)
            differences.add (juce::String (configuration) + ": " + juce::String (differing) + " of " + juce::String (compared)
                             + " samples differ, the first at " + first);
    }
};

juce::String formatFactor (double factor)
{
    return factor >= 100.0 ? juce::String (juce::roundToInt (factor)) : juce::String (factor, 1);
}

juce::String machineLine (const Options& options)
{
    juce::String model = "unknown CPU";
    juce::StringArray cpuInfo;
    cpuInfo.addLines (juce::File ("/proc/cpuinfo").loadFileAsString());

    for (const auto& line : cpuInfo)
        if (line.startsWith ("model name"))
        {
            model = line.fromFirstOccurrenceOf (":", false, false).trim();
            break;
        }

    return "Machine: " + model + ", " + juce::String (juce::SystemStats::getNumPhysicalCpus()) + " cores ("
         + juce::String (juce::SystemStats::getNumCpus()) + " threads); "
         + juce::Time::getCurrentTime().formatted ("%Y-%m-%d") + ". Stereo unless named, "
         + juce::String (sampleRate / 1000.0, 0) + " kHz, " + juce::String (blockSize) + "-sample blocks, best of "
         + juce::String (options.runs) + " interleaved runs of at least " + juce::String (options.seconds, 1)
         + " s of audio each.";
}

Options parseOptions (const juce::ArgumentList& args)
{
    Options options;

    if (args.containsOption ("--seconds"))
        options.seconds = args.getValueForOption ("--seconds").getDoubleValue();

    if (args.containsOption ("--processing-seconds"))
        options.processingSeconds = args.getValueForOption ("--processing-seconds").getDoubleValue();

    if (args.containsOption ("--runs"))
        options.runs = args.getValueForOption ("--runs").getIntValue();

    if (args.containsOption ("--baseline"))
        options.baseline = args.getValueForOption ("--baseline");

    if (! (options.seconds > 0.0) || ! (options.processingSeconds >= 0.0) || options.runs < 1
        || (args.containsOption ("--baseline") && options.baseline.isEmpty()))
        throw SetupError ("usage: tandrel_peer_bench [--seconds=S>0] [--processing-seconds=P>=0] [--runs=N>=1] [--baseline=Tandrel.vst3]");

    return options;
}

// One row per configuration: each contender's best real-time factor, then this build's
// against each of the others.
void printTable (const std::vector<std::vector<double>>& best, bool withBaseline)
{
    const auto headers = withBaseline
        ? juce::StringArray { "configuration", "Tandrel (this build)", "Tandrel (baseline)", "x42 fil4", "this / baseline", "this / x42" }
        : juce::StringArray { "configuration", "Tandrel real-time factor", "x42 fil4 real-time factor", "ratio (Tandrel / x42)" };

    juce::StringArray rule { "---" };

    while (rule.size() < headers.size())
        rule.add ("---:");

    auto line = [] (const juce::StringArray& cells) { return "| " + cells.joinIntoString (" | ") + " |\n"; };
    std::cout << line (headers) << line (rule);

    for (size_t i = 0; i < best.size(); ++i)
    {
        const auto& factors = best[i];
        juce::StringArray cells { configurations[i].name };

        for (auto factor : factors)
            cells.add (formatFactor (factor));

        for (size_t other = 1; other < factors.size(); ++other)
            cells.add (juce::String (factors[0] / factors[other], 2));

        std::cout << line (cells);
    }
}

int run (const Options& options)
{
    Plugins plugins (options.baseline);
    const auto* baselineBuild = plugins.baselineBuild();

    // This build first, the baseline (if any) next; fil4 follows them in every run.
    std::vector<const TandrelBuild*> builds { &plugins.thisBuild() };

    if (baselineBuild != nullptr)
        builds.push_back (baselineBuild);

    for (const auto* build : builds)
        std::cerr << build->name << ": " << build->bundle << "\n";

    // One fil4 per layout, set up once and shared by the configurations.
    std::unique_ptr<juce::AudioPluginInstance> fil4[2];
    const juce::AudioBuffer<float> signals[2] = { makeSignal (1), makeSignal (2) };

    // The framework's LV2 host creates the plug-in anew in prepareToPlay, carrying over only
    // what the plug-in's saved state holds, so the parameters are set once it is prepared.
    for (int channels : { 1, 2 })
    {
        auto& instance = fil4[channels - 1];
        instance = plugins.createFil4 (channels);
        instance->prepareToPlay (sampleRate, blockSize);
        applySettings (*instance, fil4Settings());
        render (*instance, signals[channels - 1], 1);

        std::cerr << instance->getName() << " (" << fil4Library << "): "
                  << confirmSettings (*instance, fil4Settings()).joinIntoString (", ") << "\n";
    }

    std::vector<std::vector<double>> best;   // each contender's, per configuration
    OutputComparison comparison;

    for (const auto& configuration : configurations)
    {
        const int channels = configuration.mono ? 1 : 2;
        const auto& signal = signals[channels - 1];
        const auto settings = tandrelSettings (configuration);

        std::vector<std::unique_ptr<juce::AudioPluginInstance>> tandrels;
        std::vector<Contender> contenders;

        for (const auto* build : builds)
        {
            auto& instance = tandrels.emplace_back (plugins.createTandrel (*build, channels));
            instance->prepareToPlay (sampleRate, blockSize);
            applySettings (*instance, settings);
            contenders.push_back ({ build->name, instance.get(), 0, {} });
        }

        contenders.push_back ({ "x42 fil4", fil4[channels - 1].get(), 0, {} });

        if (baselineBuild != nullptr)
            comparison.compare (contenders[0], contenders[1], signal, configuration.name);

        std::vector<OutputCheck> checks;

        for (auto& contender : contenders)
            checks.push_back (contender.calibrate (signal, options));

        const auto report = confirmSettings (*tandrels.front(), settings);

        for (size_t i = 1; i < tandrels.size(); ++i)
            confirmSettings (*tandrels[i], settings);

        confirmSettings (*fil4[channels - 1], fil4Settings());

        // Each must really be filtering what it is timed on: fil4 always, Tandrel unless every
        // parameter is at its default.
        for (size_t i = 0; i < contenders.size(); ++i)
            if ((i >= tandrels.size() || configuration.everyBand) && checks[i].differenceDecibels() < -60.0)
                throw SetupError (contenders[i].name + " leaves the signal as it is in \"" + configuration.name + "\"");

        for (int i = 0; i < options.runs; ++i)
            for (auto& contender : contenders)
                contender.measure (signal);

        std::cerr << configuration.name << " (" << (report.isEmpty() ? juce::String ("no parameter set") : report.joinIntoString (", "))
                  << ")\n";

        int nameWidth = 0;

        for (const auto& contender : contenders)
            nameWidth = std::max (nameWidth, contender.name.length());

        for (size_t i = 0; i < contenders.size(); ++i)
            std::cerr << "  " << contenders[i].name.paddedRight (' ', nameWidth) << " " << contenders[i].numBlocks
                      << " blocks, output - input " << juce::String (checks[i].differenceDecibels(), 1)
                      << " dB, real-time factors " << contenders[i].runs() << "\n";

        for (auto& instance : tandrels)
            instance->releaseResources();

        auto& factors = best.emplace_back();

        for (const auto& contender : contenders)
            factors.push_back (contender.best());
    }

    for (auto& instance : fil4)
        instance->releaseResources();

    printTable (best, baselineBuild != nullptr);
    std::cout << "\n" << machineLine (options) << "\n";

    if (baselineBuild == nullptr)
        return 0;

    const auto compared = " in the first " + juce::String (comparedBlocks) + " blocks after setting up";

    if (comparison.differences.isEmpty())
    {
        std::cout << "\n" << baselineBuild->name << " renders bit for bit what " << plugins.thisBuild().name << " renders"
                  << compared << ", in every configuration (" << comparison.comparedSamples << " samples).\n";
        return 0;
    }

    // The figures stay on show, for what they are worth; the run still fails.
    const auto verdict = baselineBuild->name + " renders other output than " + plugins.thisBuild().name + compared;
    std::cout << "\n" << verdict << ":\n\n- " << comparison.differences.joinIntoString ("\n- ") << "\n";
    throw SetupError (verdict);
}
} // namespace

int main (int argc, char* argv[])
{
    return hosted::runMain ("tandrel_peer_bench", [&] { return run (parseOptions (juce::ArgumentList (argc, argv))); });
}
