#pragma once

namespace orvane_gui
{
/**
    An on/off key drawn from embedded images, with a caption label above it.

    Every click flips the toggle state. The wide variant uses the wide key images (unlit and
    lit), the narrow one the narrow key images (up and pressed in). The key image is scaled to fit
    the button with its proportions kept and centred; the whole button rectangle takes clicks.
    The caption is attached above the button and sized from the button's width.
*/
class ToggleButton : public juce::ImageButton
{
public:
    ToggleButton (bool wide, const juce::String& captionText);
    ~ToggleButton() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    orvane_gui::Label captionLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ToggleButton)
};

/**
    A captionless on/off LED drawn from embedded images; every click flips the toggle state.
*/
class LEDButton : public juce::ImageButton
{
public:
    LEDButton();
    ~LEDButton() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LEDButton)
};
} // namespace orvane_gui
