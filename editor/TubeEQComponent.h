#pragma once

#include "../plugin/PluginProcessor.h"

// Placeholder: the tube panel is being written.
class TubeEQComponent : public juce::Component
{
public:
    explicit TubeEQComponent (TandrelAudioProcessor& p) : audioProcessor (p) {}

    TandrelAudioProcessor& audioProcessor;
    orvane_gui::Dial lowBoostDial { " dB", "Low Boost", 0, 10, 0.1, 0 };
    orvane_gui::Dial lowCutDial { " dB", "Low Cut", 0, 10, 0.1, 0 };
    orvane_gui::Dial lowFreqDial { " Hz", "Low Freq", 30, 300, 1, 30 };
    orvane_gui::Dial bandWidthDial { " BW", "Band Width", 0, 10, 0.1, 0 };
    orvane_gui::Dial highBoostDial { " dB", "High Boost", 0, 10, 0.1, 0 };
    orvane_gui::Dial highCutDial { " dB", "High Cut", 0, 10, 0.1, 0 };
    orvane_gui::Dial highFreqDial { " Hz", "High Freq", 1000, 16000, 1, 0 };
};
