#pragma once

namespace juce
{
/**
    The fader look: black tick marks at the even values up to 12, a black track, an (invisible
    by default) value track and a rounded thumb with a blue-grey gradient. The value box is drawn
    with a bold font named by fontName and sized from the width of the last slider drawn.

    The static functions hold the geometry that drawLinearSlider uses, one function per element.
*/
class FaderLAF : public LookAndFeel_V4
{
public:
    /** Both ends and the thickness of the horizontal tick lines. */
    struct TickMarks
    {
        float left;
        float right;
        float thickness;
    };

    ~FaderLAF() override;

    void drawLabel (Graphics&, Label&) override;

    void drawLinearSlider (Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           Slider::SliderStyle, Slider&) override;

    /** The values that get a tick mark: the even integers from the range start (truncated
        toward zero) while below rangeEnd + 1, never above 12. */
    static Array<int> tickValues (double rangeStart, double rangeEnd);

    /** Tick line ends and thickness for a track area starting at x and width pixels wide. */
    static TickMarks tickMarks (int x, int width);

    /** Width of the value track; the background track is stroked 1.25 times as wide. */
    static float trackWidth (bool isHorizontal, int width, int height);

    /** The track from its start (left or bottom end) to its end (right or top end). */
    static Line<float> track (bool isHorizontal, int x, int y, int width, int height);

    /** The point on the track that the thumb is centred on. */
    static Point<float> valuePoint (bool isHorizontal, int x, int y, int width, int height, float sliderPos);

    /** The thumb rectangle, 0.75 by 0.25 of the width, centred on valuePoint. */
    static Rectangle<float> thumbBounds (Point<float> thumbCentre, int width);

    /** Corner size of the rounded thumb. */
    static constexpr float thumbCornerSize = 6.0f;

    /** The thumb's fill: from the thumb colour brightened by 0.05 at a quarter of the thumb width
        to the thumb colour at three quarters, in the context's own coordinates. */
    static ColourGradient thumbGradient (Colour thumb, int width);

    /** The value-box font for the width of the last slider drawn. */
    Font getValueBoxFont() const;

    float lastSliderHeight = 0.0f;
    float lastSliderWidth = 0.0f;
    String fontName { "Helvetica" };
};
} // namespace juce

namespace orvane_gui
{
/**
    A vertical fader with a value box below it, a black drop shadow and its own look. The thumb
    brightens while the pointer is over the fader, right-button presses are ignored and a
    double-click returns the fader to the default value given to the constructor.
*/
class Fader : public juce::Slider
{
public:
    /** The name is accepted for symmetry with the other controls and not used. */
    Fader (juce::String suffix, juce::String name, double minimum, double maximum, double interval, double defaultValue);
    ~Fader() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    /** Keeps the drop shadow: the framework's slider replaces its component effect with its
        look's (none) every time the look or one of its colours changes, hover included. */
    void lookAndFeelChanged() override;

private:
    void initProps (const juce::String& suffix, double minimum, double maximum, double interval, double defaultValue);

    juce::FaderLAF faderLAF;
    juce::DropShadow shadowProperties;
    juce::DropShadowEffect shadowEffect;
    double resetValue = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Fader)
};
} // namespace orvane_gui
