// Loads the built Tandrel.vst3 and Tandrel.lv2 through the framework's plug-in hosting, as a
// host would, and checks what a host sees of them.

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
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
    juce::String searchPath;   // where the LV2 world looks for bundles
};

class HostedPlugin : public ::testing::TestWithParam<int>
{
protected:
    static Format format (int index)
    {
        if (index == 0)
            return { "VST3", [] { return std::make_unique<juce::VST3PluginFormat>(); }, TANDREL_VST3_PATH, {} };

        return { "LV2", [] { return std::make_unique<juce::LV2PluginFormat>(); }, TANDREL_LV2_URI, TANDREL_LV2_DIR };
    }

    void SetUp() override
    {
        const auto f = format (GetParam());
        pluginFormat = f.create();

        if (f.searchPath.isNotEmpty())
            pluginFormat->searchPathsForPlugins (juce::FileSearchPath (f.searchPath), true, false);

        pluginFormat->findAllTypesForFile (descriptions, f.identifier);
        ASSERT_EQ (descriptions.size(), 1) << f.name << " " << f.identifier;
        EXPECT_EQ (descriptions[0]->name, "Tandrel");
    }

    std::unique_ptr<juce::AudioPluginInstance> load (double rate = 48000.0, int block = 512)
    {
        juce::String error;
        auto instance = pluginFormat->createInstanceFromDescription (*descriptions[0], rate, block, error);
        EXPECT_NE (instance, nullptr) << error;
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

    std::unique_ptr<juce::AudioPluginFormat> pluginFormat;
    juce::OwnedArray<juce::PluginDescription> descriptions;
};
} // namespace

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
