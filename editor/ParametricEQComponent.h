#pragma once

#include "../plugin/PluginProcessor.h"

// Placeholder: the parametric panel is being written.
class ParametricEQComponent : public juce::Component
{
public:
    explicit ParametricEQComponent (TandrelAudioProcessor& p) : audioProcessor (p) {}

    TandrelAudioProcessor& audioProcessor;
    orvane_gui::Dial band1GainDial { " dB", "Low Gain", -12, 12, 0.01, 0 };
    orvane_gui::Dial band2GainDial { " dB", "Mid Gain", -12, 12, 0.01, 0 };
    orvane_gui::Dial band3GainDial { " dB", "Mid Gain", -12, 12, 0.01, 0 };
    orvane_gui::Dial band4GainDial { " dB", "High Gain", -12, 12, 0.01, 0 };
    orvane_gui::Dial band1FreqDial { " Hz", "Low Freq", 30, 400, 1, 0 };
    orvane_gui::Dial band2FreqDial { " Hz", "Mid Freq", 200, 2000, 1, 0 };
    orvane_gui::Dial band3FreqDial { " Hz", "Mid Freq", 200, 2000, 1, 0 };
    orvane_gui::Dial band4FreqDial { " Hz", "High Freq", 1000, 20000, 1, 0 };
};
