#pragma once

#include "../plugin/PluginProcessor.h"

// Placeholder: the frame is being written.
class ZK_Window : public juce::Component
{
public:
    explicit ZK_Window (TandrelAudioProcessor& p) : audioProcessor (p) {}

private:
    TandrelAudioProcessor& audioProcessor;
};
