#pragma once

#include "../plugin/PluginProcessor.h"

#include <memory>
#include <vector>

/**
    The panel of the ten-band graphic equaliser: ten vertical faders in two rows of five, each
    bound to its band's gain ("graphic eq band 1 gain" to "graphic eq band 10 gain") and each with
    a caption above it naming the band's centre frequency.

    The panel draws nothing itself; the frame's background shows between the faders. Its owner
    gives it its rectangle; the faders are sized from the panel's width alone.
*/
class GraphicEQComponent : public juce::Component
{
public:
    explicit GraphicEQComponent (TandrelAudioProcessor&);
    ~GraphicEQComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    TandrelAudioProcessor& audioProcessor;

    // The fader names are not shown; the captions are what the user reads.
    orvane_gui::Fader band1Fader { " dB", "31", -12, 12, 0.01, 0 };
    orvane_gui::Label band1Label { true, "31" };
    orvane_gui::Fader band2Fader { " dB", "63", -12, 12, 0.01, 0 };
    orvane_gui::Label band2Label { true, "63" };
    orvane_gui::Fader band3Fader { " dB", "125", -12, 12, 0.01, 0 };
    orvane_gui::Label band3Label { true, "125" };
    orvane_gui::Fader band4Fader { " dB", "250", -12, 12, 0.01, 0 };
    orvane_gui::Label band4Label { true, "250" };
    orvane_gui::Fader band5Fader { " dB", "500", -12, 12, 0.01, 0 };
    orvane_gui::Label band5Label { true, "500" };
    orvane_gui::Fader band6Fader { " dB", "1K", -12, 12, 0.01, 0 };
    orvane_gui::Label band6Label { true, "1K" };
    orvane_gui::Fader band7Fader { " dB", "2K", -12, 12, 0.01, 0 };
    orvane_gui::Label band7Label { true, "2K" };
    orvane_gui::Fader band8Fader { " dB", "4K", -12, 12, 0.01, 0 };
    orvane_gui::Label band8Label { true, "4K" };
    orvane_gui::Fader band9Fader { " dB", "8K", -12, 12, 0.01, 0 };
    orvane_gui::Label band9Label { true, "8K" };
    orvane_gui::Fader band10Fader { " dB", "15K", -12, 12, 0.01, 0 };
    orvane_gui::Label band10Label { true, "15K" };

    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;

    std::unique_ptr<SliderAttachment> band1Attach, band2Attach, band3Attach, band4Attach, band5Attach,
                                      band6Attach, band7Attach, band8Attach, band9Attach, band10Attach;

public:
    /** The band faders in band order (31 Hz to 15 kHz); the editor's reset walks this list. */
    std::vector<orvane_gui::Fader*> faders { &band1Fader, &band2Fader, &band3Fader, &band4Fader, &band5Fader,
                                             &band6Fader, &band7Fader, &band8Fader, &band9Fader, &band10Fader };

private:
    /** The captions, entry i belonging to entry i of faders. */
    std::vector<orvane_gui::Label*> faderLabels { &band1Label, &band2Label, &band3Label, &band4Label, &band5Label,
                                                  &band6Label, &band7Label, &band8Label, &band9Label, &band10Label };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GraphicEQComponent)
};
