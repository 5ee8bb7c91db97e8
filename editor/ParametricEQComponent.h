#pragma once

#include "../plugin/PluginProcessor.h"

#include <memory>
#include <vector>

/**
    The panel of the four-band parametric equaliser: eight dials in four columns (low shelf, two
    bells, high shelf), each band's gain dial above its frequency dial, each dial bound to its
    parameter ("parametric eq band N gain" / "parametric eq band N freq") and captioned above.
    The frequency dials have a dark red knob that sets them apart from the gain dials.

    The panel draws nothing itself; the frame's background shows between the dials. Its owner
    gives it its rectangle; the dials are sized from the panel's width alone.
*/
class ParametricEQComponent : public juce::Component
{
public:
    explicit ParametricEQComponent (TandrelAudioProcessor&);
    ~ParametricEQComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    TandrelAudioProcessor& audioProcessor;

public:
    // The dials are reachable for the editor's reset. Their range, step and default hold only
    // until they are attached: each then takes its parameter's, so the 0 given to the frequency
    // dials never takes effect. The dial names are not shown; the captions are what the user
    // reads (band 4's begin with a lower-case h).
    orvane_gui::Dial band1GainDial { " dB", "Low Gain", -12, 12, 0.01, 0 };
    orvane_gui::Label band1GainLabel { true, "Low Gain" };
    orvane_gui::Dial band2GainDial { " dB", "Mid Gain", -12, 12, 0.01, 0 };
    orvane_gui::Label band2GainLabel { true, "Mid Gain" };
    orvane_gui::Dial band3GainDial { " dB", "Mid Gain", -12, 12, 0.01, 0 };
    orvane_gui::Label band3GainLabel { true, "Mid Gain" };
    orvane_gui::Dial band4GainDial { " dB", "High Gain", -12, 12, 0.01, 0 };
    orvane_gui::Label band4GainLabel { true, "high Gain" };
    orvane_gui::Dial band1FreqDial { " Hz", "Low Freq", 30, 400, 1, 0 };
    orvane_gui::Label band1FreqLabel { true, "Low Freq" };
    orvane_gui::Dial band2FreqDial { " Hz", "Mid Freq", 200, 2000, 1, 0 };
    orvane_gui::Label band2FreqLabel { true, "Mid Freq" };
    orvane_gui::Dial band3FreqDial { " Hz", "Mid Freq", 200, 2000, 1, 0 };
    orvane_gui::Label band3FreqLabel { true, "Mid Freq" };
    orvane_gui::Dial band4FreqDial { " Hz", "High Freq", 1000, 20000, 1, 0 };
    orvane_gui::Label band4FreqLabel { true, "high Freq" };

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;

    std::unique_ptr<SliderAttachment> band1GainAttach, band2GainAttach, band3GainAttach, band4GainAttach;
    std::unique_ptr<SliderAttachment> band1FreqAttach, band2FreqAttach, band3FreqAttach, band4FreqAttach;

    /** The dials (gains of bands 1 to 4, then frequencies) and, entry for entry, their captions. */
    std::vector<orvane_gui::Dial*> dials { &band1GainDial, &band2GainDial, &band3GainDial, &band4GainDial,
                                           &band1FreqDial, &band2FreqDial, &band3FreqDial, &band4FreqDial };
    std::vector<orvane_gui::Label*> dialLabels { &band1GainLabel, &band2GainLabel, &band3GainLabel, &band4GainLabel,
                                                 &band1FreqLabel, &band2FreqLabel, &band3FreqLabel, &band4FreqLabel };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParametricEQComponent)
};
