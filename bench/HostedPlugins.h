#pragma once

// What the programs that load plug-ins through the framework's hosting classes share: the error
// that ends a run whose plug-in cannot be found, loaded or set up, finding one plug-in and one of
// its parameters, and a main function that reports such an error.

#include <juce_audio_processors/juce_audio_processors.h>

#include <iostream>
#include <memory>
#include <stdexcept>

namespace hosted
{
struct SetupError : std::runtime_error
{
    using std::runtime_error::runtime_error;
    explicit SetupError (const juce::String& message) : std::runtime_error (message.toStdString()) {}
};

/** The one plug-in that the format finds at the identifier (a bundle's path, an LV2 URI). */
inline std::unique_ptr<juce::PluginDescription> describeOnly (juce::AudioPluginFormat& format, const juce::String& identifier)
{
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, identifier);

    if (found.size() != 1)
        throw SetupError (format.getName() + ": found " + juce::String (found.size()) + " plug-ins in " + identifier);

    return std::make_unique<juce::PluginDescription> (*found[0]);
}

inline std::unique_ptr<juce::AudioPluginInstance> create (juce::AudioPluginFormat& format, const juce::PluginDescription& description,
                                                          double sampleRate, int blockSize)
{
    juce::String error;
    auto instance = format.createInstanceFromDescription (description, sampleRate, blockSize, error);

    if (instance == nullptr)
        throw SetupError ("cannot load " + description.fileOrIdentifier + ": " + error);

    return instance;
}

inline juce::AudioProcessorParameter& findParameter (juce::AudioPluginInstance& instance, const juce::String& name)
{
    for (auto* p : instance.getParameters())
        if (p->getName (100) == name)
            return *p;

    throw SetupError (instance.getName() + " has no parameter \"" + name + "\"");
}

/** Runs the program with the framework initialised; an exception ends it with its message and 1. */
template <typename Run>
int runMain (const char* programName, Run&& run)
{
    juce::ScopedJuceInitialiser_GUI framework;

    try
    {
        return run();
    }
    catch (const std::exception& e)
    {
        std::cerr << programName << ": " << e.what() << "\n";
        return 1;
    }
}
} // namespace hosted
