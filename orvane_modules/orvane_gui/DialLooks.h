#pragma once

namespace orvane_gui
{
/**
    Where the parts of a full dial face lie: eleven scale dots, a background arc, a shaded knob
    with a ring, a value arc and a short pointer line. Both full-face looks (FullDialLAF and
    FullDialMirrowLAF) compute one of these from the slider area and draw it with drawDialFace.
*/
struct DialFaceGeometry
{
    static constexpr int maxDots = 11;

    juce::Point<float> centre;
    float radius = 0.0f;

    int numDots = 0;                     ///< 11, or 0 when the face has no scale dots
    float dotSize = 0.0f;                ///< width and height of every dot
    float dotRadius = 0.0f;              ///< radius of the circle the dots' anchor points lie on
    std::array<juce::Rectangle<float>, maxDots> dots {};

    float r2 = 0.0f;
    float strokeWidth = 0.0f;
    float arcRadius = 0.0f;

    float angle = 0.0f;                  ///< the value's angle, clockwise from 12 o'clock
    float backgroundArcFrom = 0.0f, backgroundArcTo = 0.0f;
    float valueArcFrom = 0.0f, valueArcTo = 0.0f;

    float knobRadius = 0.0f;
    float ringRadius = 0.0f;
    static constexpr float ringThickness = 4.0f;

    juce::Point<float> pointerOuter, pointerInner;
    float pointerThickness = 0.0f;

    juce::Point<float> gradientCentre;   ///< the knob highlight
    juce::Point<float> gradientEdge;     ///< where the knob gradient reaches its outer colour
};

/** The slider colours a full dial face is drawn in. */
struct DialFaceColours
{
    juce::Colour dots, backgroundArc, thumb, valueArc, pointer;

    /** The slider's colours as they are now: background arc in the outline colour, value arc in
        the fill colour, knob from the thumb colour, pointer in the track colour, and the dots in
        the fill or the track colour. */
    static DialFaceColours fromSlider (const juce::Slider& slider, bool dotsInTrackColour);
};

/** Knob gradient colour at the highlight: the thumb brightened by 0.15 at alpha 0x80. */
juce::Colour knobHighlightColour (juce::Colour thumb);

/** Knob gradient colour at its edge: the thumb at alpha 0x80. */
juce::Colour knobEdgeColour (juce::Colour thumb);

/** The ring round the knob: the outline colour brightened by 0.4, alpha kept. */
juce::Colour knobRingColour (juce::Colour outline);

/**
    Draws a full dial face in layer order: dots, background arc, knob (radial gradient when the
    slider is enabled, otherwise flat in the background-arc colour), ring, value arc, pointer.
*/
void drawDialFace (juce::Graphics& g, juce::Slider& slider, const DialFaceGeometry& face, const DialFaceColours& colours);

/** Where the parts of a flat dial lie: a disc with a ring and a rectangular pointer bar. */
struct FlatDialGeometry
{
    float diameter = 0.0f;
    float radius = 0.0f;
    juce::Point<float> centre;
    juce::Rectangle<float> disc;           ///< the disc, and the ellipse the ring is drawn on
    float angle = 0.0f;
    juce::Rectangle<float> pointerBar;     ///< the pointer at angle 0, relative to the centre
    juce::AffineTransform pointerTransform;

    /** The pointer as drawn: the bar rotated about the origin, then moved to the centre. */
    juce::Path pointerPath() const;
};
} // namespace orvane_gui

namespace juce
{
/** A flat disc in the thumb colour at alpha 0xb2, a 4-pixel outline ring and a bar pointer. */
class HardDialLAF : public LookAndFeel_V4
{
public:
    ~HardDialLAF() override;

    void drawLabel (Graphics& g, Label& label) override;
    void drawRotarySlider (Graphics& g, int x, int y, int width, int height,
                           float sliderPos, float rotaryStartAngle, float rotaryEndAngle,
                           Slider& slider) override;

    static orvane_gui::FlatDialGeometry computeGeometry (int x, int y, int width, int height,
                                                         float sliderPos, float rotaryStartAngle, float rotaryEndAngle);
    static Colour discColour (Colour thumb);
    static float valueBoxFontHeight (float sliderWidth);
    static Font valueBoxFont (float sliderWidth);

    static constexpr float ringThickness = 4.0f;

    /** Width of the slider area at the last drawRotarySlider call; sizes the value-box font. */
    float lastSliderWidth = 0.0f;
};

/** The full dial face with the value arc running from the value up to the end of the range. */
class FullDialMirrowLAF : public LookAndFeel_V4
{
public:
    ~FullDialMirrowLAF() override;

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

/** A smaller flat disc in the thumb colour, a wide translucent black ring and a grey pointer. */
class AlphaDialLAF : public LookAndFeel_V4
{
public:
    ~AlphaDialLAF() override;

    void drawLabel (Graphics& g, Label& label) override;
    void drawRotarySlider (Graphics& g, int x, int y, int width, int height,
                           float sliderPos, float rotaryStartAngle, float rotaryEndAngle,
                           Slider& slider) override;

    static orvane_gui::FlatDialGeometry computeGeometry (int x, int y, int width, int height,
                                                         float sliderPos, float rotaryStartAngle, float rotaryEndAngle);
    static Colour ringColour();
    static Colour pointerColour();
    static float valueBoxFontHeight (float sliderWidth);
    static Font valueBoxFont (float sliderWidth);

    static constexpr float ringThickness = 10.0f;

    /** Width of the slider area at the last drawRotarySlider call; sizes the value-box font. */
    float lastSliderWidth = 0.0f;
};

/** Draws nothing of its own: a slider using it looks as LookAndFeel_V4 draws it. */
class CustomAbleDialLAF : public LookAndFeel_V4
{
public:
    ~CustomAbleDialLAF() override;
};
} // namespace juce
