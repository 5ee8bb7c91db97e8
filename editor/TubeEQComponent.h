#pragma once

#include "../plugin/PluginProcessor.h"

#include <memory>
#include <vector>

/**
    The tube equaliser's panel: seven rotary dials, each with its caption above it, bound to the
    tube section's parameters. The four amounts (low boost, low cut, high boost, high cut) stand
    large in the top row; the low and high frequency dials and the shared bandwidth dial stand
    smaller in a second row, each frequency dial straddling its pair of amounts.

    Unlike the other panels it sizes everything from its own height. It paints nothing itself:
    the frame's background shows between the dials. The editor decides when it is visible and
    sets the dials directly when it resets the panel.
*/
class TubeEQComponent : public juce::Component
{
public:
    explicit TubeEQComponent (TandrelAudioProcessor&);
    ~TubeEQComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    TandrelAudioProcessor& audioProcessor;

public:
    // The dials are set from outside by the editor's reset; the panel alone places them.
    // Until its attachment binds a dial, it has the range, step and default given here; the
    // attachment then gives it its parameter's, and the suffix stays.
    orvane_gui::Dial lowBoostDial { " dB", "Low Boost", 0, 10, 0.1, 0 };
    orvane_gui::Label lowBoostLabel { true, "Low Boost" };
    orvane_gui::Dial lowCutDial { " dB", "Low Cut", 0, 10, 0.1, 0 };
    orvane_gui::Label lowCutLabel { true, "Low Cut" };
    orvane_gui::Dial lowFreqDial { " Hz", "Low Freq", 30, 300, 1, 30 };
    orvane_gui::Label lowFreqLabel { true, "Low Freq" };
    orvane_gui::Dial bandWidthDial { " BW", "Band Width", 0, 10, 0.1, 0 };
    orvane_gui::Label bandWidthLabel { true, "BW" };
    orvane_gui::Dial highBoostDial { " dB", "High Boost", 0, 10, 0.1, 0 };
    orvane_gui::Label highBoostLabel { true, "High Boost" };
    orvane_gui::Dial highCutDial { " dB", "High Cut", 0, 10, 0.1, 0 };
    orvane_gui::Label highCutLabel { true, "High Cut" };
    orvane_gui::Dial highFreqDial { " Hz", "High Freq", 1000, 16000, 1, 0 };
    orvane_gui::Label highFreqLabel { true, "High Freq" };

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;

    std::unique_ptr<SliderAttachment> lowBoostAttach, lowCutAttach, lowFreqAttach, bandWidthAttach,
                                      highBoostAttach, highCutAttach, highFreqAttach;

    // Parallel lists: entry i of one is the caption of entry i of the other.
    std::vector<orvane_gui::Dial*> dials { &lowBoostDial, &lowCutDial, &lowFreqDial, &bandWidthDial,
                                           &highBoostDial, &highCutDial, &highFreqDial };
    std::vector<orvane_gui::Label*> dialLabels { &lowBoostLabel, &lowCutLabel, &lowFreqLabel, &bandWidthLabel,
                                                 &highBoostLabel, &highCutLabel, &highFreqLabel };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TubeEQComponent)
};
