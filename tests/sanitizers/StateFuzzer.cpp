// libFuzzer target for the restore path: hands the bytes to setStateInformation on a fresh
// processor, then aborts unless every parameter is finite and inside its range, and unless the
// state it then saves restores into another instance to the same values and the same bytes.

#include "plugin/PluginProcessor.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

// The entry points libFuzzer calls.
extern "C" int LLVMFuzzerInitialize (int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size);

namespace
{
[[noreturn]] void fail (const char* what, const juce::String& detail)
{
    std::fprintf (stderr, "state fuzzer: %s: %s\n", what, detail.toRawUTF8());
    std::abort();
}

void restore (TandrelAudioProcessor& processor, const void* data, size_t size)
{
    processor.setStateInformation (data, (int) std::min (size, (size_t) std::numeric_limits<int>::max()));
}

juce::MemoryBlock save (TandrelAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    return block;
}

void checkParameters (TandrelAudioProcessor& processor)
{
    for (auto* parameter : processor.getParameters())
    {
        auto& ranged = dynamic_cast<juce::RangedAudioParameter&> (*parameter);
        const auto& range = ranged.getNormalisableRange();
        const auto normalised = ranged.getValue();
        const auto raw = processor.treeState.getRawParameterValue (ranged.paramID)->load();

        if (! (std::isfinite (normalised) && normalised >= 0.0f && normalised <= 1.0f))
            fail ("normalised value outside 0..1", ranged.paramID + " = " + juce::String (normalised));

        if (! (std::isfinite (raw) && raw >= range.start && raw <= range.end))
            fail ("value outside its range", ranged.paramID + " = " + juce::String (raw));
    }

    if (! (std::isfinite (processor.windowWidth) && std::isfinite (processor.windowHeight)))
        fail ("editor size not finite", juce::String (processor.windowWidth) + " x " + juce::String (processor.windowHeight));
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // The framework's singletons live for the whole run, created here rather than inside the
    // first input, where the leak check would count them. libFuzzer ends the run with exit(),
    // where a static initialiser would shut the framework down among the framework's own static
    // destructors, after some of them; it is kept until the process ends instead.
    static const auto* framework = new juce::ScopedJuceInitialiser_GUI();
    juce::ignoreUnused (framework);
    TandrelAudioProcessor warmUp;
    const auto state = save (warmUp);
    restore (warmUp, state.getData(), state.getSize());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
    TandrelAudioProcessor processor;
    restore (processor, data, size);
    checkParameters (processor);

    const auto saved = save (processor);
    TandrelAudioProcessor again;
    restore (again, saved.getData(), saved.getSize());
    checkParameters (again);

    const auto& parameters = processor.getParameters();
    const auto& restored = again.getParameters();

    for (int i = 0; i < parameters.size(); ++i)
    {
        const auto& id = dynamic_cast<juce::RangedAudioParameter&> (*parameters[i]).paramID;

        if (processor.treeState.getRawParameterValue (id)->load() != again.treeState.getRawParameterValue (id)->load()
            || parameters[i]->getValue() != restored[i]->getValue())
            fail ("a saved state restores to another value", id);
    }

    if (save (again) != saved)
        fail ("a saved state saves again to other bytes", saved.toBase64Encoding());

    return 0;
}
