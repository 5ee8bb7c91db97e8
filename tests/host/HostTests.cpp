// Loads the built Tandrel.vst3 and Tandrel.lv2 through the framework's plug-in hosting, as a
// host would, and checks what a host sees of them.
//
// The tests run with a home folder of their own whose ~/.lv2 and ~/.vst3 hold broken bundles of
// the same plug-in, as a user's folders may hold an older installed copy; every load checks that
// the binary it got is the one in the build folder.

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace
{
namespace fs = std::filesystem;

/** Sets an environment variable while it lives, then restores the earlier value. */
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable (const char* nameIn, const juce::String& value) : name (nameIn)
    {
        if (const auto* old = std::getenv (name))
            previous = old;

        ::setenv (name, value.toRawUTF8(), 1);
    }

    ~ScopedEnvironmentVariable()
    {
        if (previous)
            ::setenv (name, previous->c_str(), 1);
        else
            ::unsetenv (name);
    }

private:
    const char* name;
    std::optional<std::string> previous;

    JUCE_DECLARE_NON_COPYABLE (ScopedEnvironmentVariable)
};

/** A new, empty folder under the temporary folder, deleted with everything in it afterwards. */
struct TemporaryFolder
{
    TemporaryFolder() { folder.createDirectory(); }
    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                  .getNonexistentChildFile ("tandrel-host-tests-" + juce::String (::getpid()), {}, false);
};

const juce::File buildLv2Bundle = juce::File (TANDREL_LV2_DIR).getChildFile ("Tandrel.lv2");
const juce::File buildVst3Binary = juce::File (TANDREL_VST3_PATH).getChildFile ("Contents/x86_64-linux/Tandrel.so");

/** A home whose plug-in folders hold the plug-in under its own URI and bundle name, but broken:
    the binaries are not shared objects, and the LV2 bundle claims a higher version, which the
    LV2 world prefers over the build's even when it finds it second. */
struct HomeWithBrokenInstalls
{
    HomeWithBrokenInstalls()
    {
        const auto lv2 = home.folder.getChildFile (".lv2/Tandrel.lv2");
        lv2.createDirectory();

        for (const auto* name : { "manifest.ttl", "dsp.ttl", "ui.ttl" })
        {
            auto ttl = buildLv2Bundle.getChildFile (name).loadFileAsString();
            lv2.getChildFile (name).replaceWithText (ttl.replace ("lv2:minorVersion 0 ;", "lv2:minorVersion 99 ;"));
        }

        lv2.getChildFile ("libTandrel.so").replaceWithText ("an installed copy that does not load");

        const auto vst3 = home.folder.getChildFile (".vst3/Tandrel.vst3/Contents/x86_64-linux/Tandrel.so");
        vst3.getParentDirectory().createDirectory();
        vst3.replaceWithText ("an installed copy that does not load");
    }

    TemporaryFolder home;
    ScopedEnvironmentVariable homeVariable { "HOME", home.folder.getFullPathName() };
};

/** Every plug-in binary of ours this process has loaded, as canonical paths. */
std::vector<fs::path> loadedPluginBinaries()
{
    std::vector<fs::path> result;

    dl_iterate_phdr ([] (dl_phdr_info* info, size_t, void* data)
                     {
                         const fs::path path (info->dlpi_name != nullptr ? info->dlpi_name : "");

                         if (path.filename() == "Tandrel.so" || path.filename() == "libTandrel.so")
                             static_cast<std::vector<fs::path>*> (data)->push_back (fs::weakly_canonical (path));

                         return 0;
                     },
                     &result);

    return result;
}

/** Checks that the plug-in binaries loaded are the build's own, and that one is the expected. */
void expectOnlyBuiltBinariesLoaded (const juce::File& expected)
{
    const auto loaded = loadedPluginBinaries();
    const auto expectedPath = fs::weakly_canonical (expected.getFullPathName().toStdString());
    const fs::path built[] = { fs::weakly_canonical (buildLv2Bundle.getChildFile ("libTandrel.so").getFullPathName().toStdString()),
                               fs::weakly_canonical (buildVst3Binary.getFullPathName().toStdString()) };

    EXPECT_NE (std::find (loaded.begin(), loaded.end(), expectedPath), loaded.end()) << expectedPath;

    for (const auto& path : loaded)
        EXPECT_NE (std::find (std::begin (built), std::end (built), path), std::end (built)) << "loaded " << path;
}

/** An LV2 host that sees the build's bundles only.

    The framework's LV2 host loads its default folders (~/.lv2, then /usr/lib/lv2 and
    /usr/local/lib/lv2) when it is created, with the path given to the LV2 world directly, so
    LV2_PATH plays no part; the world keeps the first bundle it finds for a URI, or a later one
    with a higher version. A copy installed in ~/.lv2 would therefore be loaded instead of the
    build's. Created under an empty home of its own, the host finds no user folder, and is then
    pointed at the build folder. Only a copy installed in the system folders could still interfere,
    which the check of the loaded binary catches. */
std::unique_ptr<juce::AudioPluginFormat> createLv2FormatForTheBuild()
{
    const TemporaryFolder emptyHome;
    const ScopedEnvironmentVariable home ("HOME", emptyHome.folder.getFullPathName());

    auto format = std::make_unique<juce::LV2PluginFormat>();
    format->searchPathsForPlugins (juce::FileSearchPath (TANDREL_LV2_DIR), true, false);
    return format;
}

enum class Steps { continuous, whole, skewedWhole };

struct ExpectedParameter
{
    const char* name;
    float defaultValue; // normalised, as a host sees it
    float min, max;
    Steps steps;
};

constexpr auto cont = Steps::continuous, whole = Steps::whole, skewed = Steps::skewedWhole;

// Host order, display names, normalised defaults and value grids of the 36 parameters.
const ExpectedParameter expectedParameters[] = {
    { "G EQ 1 Gain", 0.5f, -12, 12, cont }, { "G EQ 2 Gain", 0.5f, -12, 12, cont }, { "G EQ 3 Gain", 0.5f, -12, 12, cont },
    { "G EQ 4 Gain", 0.5f, -12, 12, cont }, { "G EQ 5 Gain", 0.5f, -12, 12, cont }, { "G EQ 6 Gain", 0.5f, -12, 12, cont },
    { "G EQ 7 Gain", 0.5f, -12, 12, cont }, { "G EQ 8 Gain", 0.5f, -12, 12, cont }, { "G EQ 9 Gain", 0.5f, -12, 12, cont },
    { "G EQ 10 Gain", 0.5f, -12, 12, cont },
    { "P EQ 1 Gain", 0.5f, -12, 12, cont }, { "P EQ 2 Gain", 0.5f, -12, 12, cont }, { "P EQ 3 Gain", 0.5f, -12, 12, cont },
    { "P EQ 4 Gain", 0.5f, -12, 12, cont },
    { "P EQ 1 Freq", 170.0f / 370.0f, 30, 400, whole }, { "P EQ 2 Freq", 800.0f / 1800.0f, 200, 2000, whole },
    { "P EQ 3 Freq", 800.0f / 1800.0f, 200, 2000, whole }, { "P EQ 4 Freq", 6000.0f / 19000.0f, 1000, 20000, whole },
    { "T EQ 1 Gain", 0.0f, 0, 10, cont }, { "T EQ 2 Gain", 0.0f, 0, 10, cont }, { "T EQ 3 Gain", 0.0f, 0, 10, cont },
    { "T EQ 4 Gain", 0.0f, 0, 10, cont },
    { "T EQ 1 Freq", 80.0f / 280.0f, 20, 300, cont }, { "T EQ 2 Freq", 4000.0f / 15000.0f, 1000, 16000, cont },
    { "T EQ BW", 0.0f, 0, 10, cont },
    { "Graphic EQ ON", 1.0f, 0, 1, whole }, { "Parametric EQ ON", 0.0f, 0, 1, whole }, { "Tube EQ ON", 0.0f, 0, 1, whole },
    { "Phase", 0.0f, 0, 1, whole }, { "Quality", 0.0f, 0, 1, whole }, { "M/S", 0.0f, 0, 2, whole },
    { "High-Pass", 0.0f, 20, 1000, skewed }, { "Low-Pass", 1.0f, 1000, 20000, skewed },
    { "Drive", 0.0f, 0, 20, cont }, { "Trim", 0.5f, -24, 24, cont }, { "CPU", 1.0f, 0, 1, whole },
};

// A normalised value the parameter can hold exactly, picked from r in 0..1. LV2 carries plain
// values, so an LV2 host maps them onto 0..1 linearly and knows nothing of the skew.
float legalValue (const ExpectedParameter& p, float r, bool hostKnowsSkew)
{
    const float span = p.max - p.min;

    switch (p.steps)
    {
        case Steps::whole:       return std::round (r * span) / span;
        case Steps::skewedWhole: return hostKnowsSkew ? std::pow (std::round (r * span) / span, 0.3f)
                                                      : std::round (r * span) / span;
        case Steps::continuous:  break;
    }

    return r;
}

struct Format
{
    const char* name;
    std::function<std::unique_ptr<juce::AudioPluginFormat>()> create;
    juce::String identifier;   // a bundle path for VST3, the plug-in URI for LV2
    juce::File binary;         // the build's binary that a load must bring in
};

class HostedPlugin : public ::testing::TestWithParam<int>
{
protected:
    // The VST3 host opens exactly the bundle it is given; the LV2 host finds bundles by URI.
    static Format format (int index)
    {
        if (index == 0)
            return { "VST3", [] { return std::make_unique<juce::VST3PluginFormat>(); }, TANDREL_VST3_PATH, buildVst3Binary };

        return { "LV2", createLv2FormatForTheBuild, TANDREL_LV2_URI, buildLv2Bundle.getChildFile ("libTandrel.so") };
    }

    static void SetUpTestSuite() { userHome = std::make_unique<HomeWithBrokenInstalls>(); }
    static void TearDownTestSuite() { userHome.reset(); }

    void SetUp() override
    {
        const auto f = format (GetParam());
        pluginFormat = f.create();
        expectedBinary = f.binary;

        pluginFormat->findAllTypesForFile (descriptions, f.identifier);
        ASSERT_EQ (descriptions.size(), 1) << f.name << " " << f.identifier;
        EXPECT_EQ (descriptions[0]->name, "Tandrel");
    }

    std::unique_ptr<juce::AudioPluginInstance> load (double rate = 48000.0, int block = 512)
    {
        juce::String error;
        auto instance = pluginFormat->createInstanceFromDescription (*descriptions[0], rate, block, error);
        EXPECT_NE (instance, nullptr) << error;
        expectOnlyBuiltBinariesLoaded (expectedBinary);
        return instance;
    }

    static bool isWrapperBypass (juce::AudioProcessorParameter& p) { return p.getName (100).equalsIgnoreCase ("bypass"); }

    // The plug-in's 36 parameters in the order of expectedParameters, found by name: the VST3
    // wrapper adds a bypass parameter after them, and the framework's LV2 host lists an LV2
    // plug-in's parameters sorted by their URIs rather than in the bundle's order.
    static std::vector<juce::AudioProcessorParameter*> ownParameters (juce::AudioPluginInstance& instance)
    {
        std::vector<juce::AudioProcessorParameter*> result;

        for (const auto& expected : expectedParameters)
        {
            juce::AudioProcessorParameter* found = nullptr;

            for (auto* p : instance.getParameters())
                if (p->getName (100) == expected.name)
                    found = p;

            EXPECT_NE (found, nullptr) << expected.name;
            result.push_back (found);
        }

        return result;
    }

    static inline std::unique_ptr<HomeWithBrokenInstalls> userHome;
    std::unique_ptr<juce::AudioPluginFormat> pluginFormat;
    juce::OwnedArray<juce::PluginDescription> descriptions;
    juce::File expectedBinary;
};
} // namespace

TEST (HostUserFolders, AnInstalledLV2CopyIsLoadedByTheDefaultSearchButNotByTheTests)
{
    const HomeWithBrokenInstalls userHome;

    // The framework's LV2 host as a host creates it: the broken copy in ~/.lv2 shadows the
    // build's bundle even after the build folder was searched too.
    {
        juce::LV2PluginFormat defaultSearch;
        defaultSearch.searchPathsForPlugins (juce::FileSearchPath (TANDREL_LV2_DIR), true, false);
        juce::OwnedArray<juce::PluginDescription> found;
        defaultSearch.findAllTypesForFile (found, TANDREL_LV2_URI);
        ASSERT_EQ (found.size(), 1);

        juce::String error;
        EXPECT_EQ (defaultSearch.createInstanceFromDescription (*found[0], 48000.0, 512, error), nullptr);
        EXPECT_TRUE (error.isNotEmpty());
    }

    // The tests' LV2 host loads and runs the build's bundle under the same home.
    auto format = createLv2FormatForTheBuild();
    juce::OwnedArray<juce::PluginDescription> found;
    format->findAllTypesForFile (found, TANDREL_LV2_URI);
    ASSERT_EQ (found.size(), 1);

    juce::String error;
    auto instance = format->createInstanceFromDescription (*found[0], 48000.0, 512, error);
    ASSERT_NE (instance, nullptr) << error;
    expectOnlyBuiltBinariesLoaded (buildLv2Bundle.getChildFile ("libTandrel.so"));

    instance->prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 512; ++i)
            buffer.setSample (ch, i, 0.5f * (float) std::sin (0.05 * i));

    instance->processBlock (buffer, midi);
    EXPECT_GT (buffer.getMagnitude (0, 512), 0.1f);
    instance->releaseResources();
}

TEST_P (HostedPlugin, ListsItsParametersInOrderWithNamesAndDefaults)
{
    auto instance = load();
    ASSERT_NE (instance, nullptr);

    const auto& all = instance->getParameters();
    int ownCount = 0;

    for (auto* p : all)
        if (! isWrapperBypass (*p))
            ++ownCount;

    EXPECT_EQ (ownCount, 36);

    const auto own = ownParameters (*instance);

    for (size_t i = 0; i < own.size(); ++i)
    {
        ASSERT_NE (own[i], nullptr);
        EXPECT_NEAR (own[i]->getDefaultValue(), expectedParameters[i].defaultValue, 1e-6f) << expectedParameters[i].name;
        EXPECT_NEAR (own[i]->getValue(), expectedParameters[i].defaultValue, 1e-6f) << expectedParameters[i].name;
        EXPECT_TRUE (own[i]->isAutomatable()) << expectedParameters[i].name;
    }

    if (GetParam() == 0)
    {
        // VST3 hosts number the parameters in the plug-in's own order.
        for (size_t i = 0; i < std::size (expectedParameters); ++i)
            EXPECT_EQ (all[(int) i]->getName (100), juce::String (expectedParameters[i].name)) << i;
    }
    else
    {
        // LV2 has no numbering: the bundle lists its parameters in order, which hosts that keep
        // the listed order show; the names are the labels written there.
        const auto ttl = juce::File (TANDREL_LV2_DIR).getChildFile ("Tandrel.lv2/dsp.ttl").loadFileAsString();
        const auto writable = ttl.fromFirstOccurrenceOf ("patch:writable", false, false).upToFirstOccurrenceOf (";", false, false);
        juce::StringArray listed;
        listed.addTokens (writable, ",", {});
        listed.trim();
        listed.removeEmptyStrings();
        ASSERT_EQ (listed.size(), 36);

        for (int i = 0; i < 36; ++i)
        {
            const auto label = ttl.fromFirstOccurrenceOf (listed[i] + "\n", false, false)
                                  .fromFirstOccurrenceOf ("rdfs:label \"", false, false)
                                  .upToFirstOccurrenceOf ("\"", false, false);
            EXPECT_EQ (label, juce::String (expectedParameters[i].name)) << listed[i];
        }
    }
}

TEST_P (HostedPlugin, AcceptsMonoAndStereoAndRefusesOtherLayouts)
{
    auto instance = load();
    ASSERT_NE (instance, nullptr);

    auto layout = [] (juce::AudioChannelSet in, juce::AudioChannelSet out)
    {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add (in);
        l.outputBuses.add (out);
        return l;
    };

    using Set = juce::AudioChannelSet;
    EXPECT_TRUE (instance->checkBusesLayoutSupported (layout (Set::stereo(), Set::stereo())));

    // An LV2 bundle declares a fixed set of ports, so only its default (stereo) layout exists.
    if (GetParam() == 0)
        EXPECT_TRUE (instance->checkBusesLayoutSupported (layout (Set::mono(), Set::mono())));

    EXPECT_FALSE (instance->checkBusesLayoutSupported (layout (Set::stereo(), Set::mono())));
    EXPECT_FALSE (instance->checkBusesLayoutSupported (layout (Set::mono(), Set::stereo())));
    EXPECT_FALSE (instance->checkBusesLayoutSupported (layout (Set::create5point1(), Set::create5point1())));
}

TEST_P (HostedPlugin, ProcessesABlockToFiniteOutput)
{
    auto instance = load (44100.0, 256);
    ASSERT_NE (instance, nullptr);

    const auto own = ownParameters (*instance);
    ASSERT_EQ (std::count (own.begin(), own.end(), nullptr), 0);
    own[5]->setValueNotifyingHost (1.0f);   // graphic band 6 at +12 dB
    own[29]->setValueNotifyingHost (1.0f);  // quality
    own[33]->setValueNotifyingHost (0.5f);  // drive

    instance->prepareToPlay (44100.0, 256);
    juce::AudioBuffer<float> buffer (juce::jmax (instance->getTotalNumInputChannels(), instance->getTotalNumOutputChannels()), 256);
    juce::MidiBuffer midi;
    double energy = 0.0;

    for (int block = 0; block < 20; ++block)
    {
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < 256; ++i)
                buffer.setSample (ch, i, 0.25f * (float) std::sin (0.1425 * (block * 256 + i)));

        instance->processBlock (buffer, midi);

        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < 256; ++i)
            {
                ASSERT_TRUE (std::isfinite (buffer.getSample (ch, i)));
                energy += buffer.getSample (ch, i) * buffer.getSample (ch, i);
            }
    }

    EXPECT_GT (energy, 1.0);
    instance->releaseResources();
}

TEST_P (HostedPlugin, StateSavedRightAfterAChangeRestoresIntoAnotherInstance)
{
    auto source = load();
    auto target = load();
    ASSERT_NE (source, nullptr);
    ASSERT_NE (target, nullptr);

    source->prepareToPlay (48000.0, 512);
    const auto own = ownParameters (*source);
    ASSERT_EQ (std::count (own.begin(), own.end(), nullptr), 0);
    juce::Random random (36);
    std::vector<float> values;

    for (size_t i = 0; i < own.size(); ++i)
    {
        own[i]->setValueNotifyingHost (legalValue (expectedParameters[i], random.nextFloat(), GetParam() == 0));
        values.push_back (own[i]->getValue());
    }

    // The host hands the changes to the plug-in with the next block, then saves at once:
    // no message loop runs in between.
    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    juce::MidiBuffer midi;
    source->processBlock (buffer, midi);

    juce::MemoryBlock state;
    source->getStateInformation (state);
    ASSERT_GT (state.getSize(), 0u);

    target->setStateInformation (state.getData(), (int) state.getSize());

    // An LV2 plug-in reports its restored values to the host through its output port, which
    // the host reads during the next block.
    target->prepareToPlay (48000.0, 512);
    target->processBlock (buffer, midi);
    const auto restored = ownParameters (*target);
    ASSERT_EQ (std::count (restored.begin(), restored.end(), nullptr), 0);

    for (size_t i = 0; i < restored.size(); ++i)
        EXPECT_NEAR (restored[i]->getValue(), values[i], 2e-6f) << expectedParameters[i].name;
}

INSTANTIATE_TEST_SUITE_P (Formats, HostedPlugin, ::testing::Values (0, 1),
                          [] (const auto& info) { return info.param == 0 ? std::string ("VST3") : std::string ("LV2"); });
