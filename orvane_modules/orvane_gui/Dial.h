#pragma once

namespace juce
{
/**
    The face of orvane_gui::Dial: eleven scale dots, a dark background arc, a translucent
    radial-gradient knob with a grey ring, a value arc from the start of the range up to the value
    and a short pointer line. All colours are read from the slider at every call.
*/
class FullDialLAF : public LookAndFeel_V4
{
public:
    ~FullDialLAF() override;

    void drawLabel (Graphics& g, Label& label) override;
    void drawRotarySlider (Graphics& g, int x, int y, int width, int height,
                           float sliderPos, float rotaryStartAngle, float rotaryEndAngle,
                           Slider& slider) override;

    static orvane_gui::DialFaceGeometry computeGeometry (int x, int y, int width, int height,
                                                         float sliderPos, float rotaryStartAngle, float rotaryEndAngle);
    static float valueBoxFontHeight (float sliderWidth);
    static Font valueBoxFont (float sliderWidth);

    /** Width of the slider area at the last drawRotarySlider call; sizes the value-box font. */
    float lastSliderWidth = 0.0f;
};
} // namespace juce

namespace orvane_gui
{
/**
    The library's rotary knob: a vertical-drag rotary slider with an editable value box below it,
    a soft drop shadow and a thumb that lightens while the pointer is over it. Double-click or
    Alt-click returns it to its default value (a slider attachment replaces that default with its
    parameter's).
*/
class Dial : public juce::Slider
{
public:
    /** The name is accepted for symmetry with the other controls and is not used. */
    Dial (const juce::String& suffix, const juce::String& name,
          double min, double max, double interval, double defaultValue);
    ~Dial() override;

    void mouseEnter (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;

    /** Keeps the drop shadow: the framework's slider replaces its component effect with its
        look's (none) every time the look or one of its colours changes. */
    void lookAndFeelChanged() override;

    /** The alternative faces this dial holds; install one with setLookAndFeel to use it. */
    juce::HardDialLAF& getHardDialLAF() noexcept { return hardDialLAF; }
    juce::FullDialMirrowLAF& getFullDialMirrowLAF() noexcept { return fullDialMirrowLAF; }
    juce::AlphaDialLAF& getAlphaDialLAF() noexcept { return alphaDialLAF; }
    juce::CustomAbleDialLAF& getCustomAbleDialLAF() noexcept { return customAbleDialLAF; }
    /** The face the dial installs itself. */
    juce::FullDialLAF& getFullDialLAF() noexcept { return fullDialLAF; }

private:
    void initProps (const juce::String& suffix, double min, double max, double interval, double defaultValue);

    // Every dial owns its own looks, so the width a look records is always this dial's.
    juce::HardDialLAF hardDialLAF;
    juce::FullDialLAF fullDialLAF;
    juce::FullDialMirrowLAF fullDialMirrowLAF;
    juce::AlphaDialLAF alphaDialLAF;
    juce::CustomAbleDialLAF customAbleDialLAF;

    juce::DropShadow shadowProperties;
    juce::DropShadowEffect shadowEffect;
};
} // namespace orvane_gui
