#pragma once

#include "../plugin/PluginProcessor.h"

#include <memory>

/**
    The editor's frame: as large as the editor and its first child, so everything else lies
    above it. It paints the background image over its whole area and the logo at the bottom
    left, holds the global options that are not faders (polarity switch, oversampling-quality
    menu, stereo-mode menu, processing-load meter with its on/off LED) and the link to the
    maker's support page, and refreshes the load meter ten times a second from the processor's
    published load.

    Everything runs on the message thread; the only value shared with the audio thread is the
    processor's atomic load figure, read once per tick.
*/
class ZK_Window : public juce::Component,
                  public juce::Timer
{
public:
    explicit ZK_Window (TandrelAudioProcessor&);
    ~ZK_Window() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** Writes the processor's load, truncated to whole percent, into the meter. */
    void timerCallback() override;

private:
    TandrelAudioProcessor& audioProcessor;

public:
    // The controls are reachable for tests; the frame alone places and binds them.

    // Added and placed by paint, with no height: it takes up no area.
    juce::HyperlinkButton supportLink;
    juce::URL supportUrl { "https://orvane.audio/support" };

    orvane_gui::ToggleButton phaseToggle { true, "Phase" };
    orvane_gui::Menu qualityMenu;
    orvane_gui::Menu msMenu;
    orvane_gui::Label cpuValueLabel { false, "CPU" };
    orvane_gui::Label cpuCaptionLabel { true, "CPU" };
    orvane_gui::LEDButton cpuButton;

private:
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;
    using ComboBoxAttachment = juce::AudioProcessorValueTreeState::ComboBoxAttachment;

    std::unique_ptr<ButtonAttachment> phaseAttach;
    std::unique_ptr<ComboBoxAttachment> qualityAttach;
    std::unique_ptr<ComboBoxAttachment> msAttach;
    std::unique_ptr<ButtonAttachment> cpuAttach;

    // The framework's image cache lets go of an image nobody else holds after a few seconds
    // unused, and decoding the large background again would stall the first paint after a
    // pause. Holding them here keeps the cached copies that paint() fetches.
    juce::Image keptBackground, keptLogo;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZK_Window)
};
