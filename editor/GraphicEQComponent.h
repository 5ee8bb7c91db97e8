#pragma once

#include "../plugin/PluginProcessor.h"

#include <vector>

// Placeholder: the graphic panel is being written.
class GraphicEQComponent : public juce::Component
{
public:
    explicit GraphicEQComponent (TandrelAudioProcessor& p) : audioProcessor (p) {}

    std::vector<orvane_gui::Fader*> faders;

private:
    TandrelAudioProcessor& audioProcessor;
};
