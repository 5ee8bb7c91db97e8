namespace orvane_gui
{
namespace dialface
{
    // Positions of the scale dots along the sweep, as fractions of it.
    constexpr std::array<float, DialFaceGeometry::maxDots> dotFractions { 0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f,
                                                                         0.6f, 0.7f, 0.8f, 0.9f, 1.0f };

    juce::Point<float> pointOnDial (juce::Point<float> centre, float angle, float distance)
    {
        return { centre.x + std::sin (angle) * distance, centre.y - std::cos (angle) * distance };
    }

    // The eleven scale dots on dotRadius; each dot's top-left corner sits a fixed 3 pixels from
    // its point on the scale, whatever the dot's size.
    void placeDots (DialFaceGeometry& face, float rotaryStartAngle, float rotaryEndAngle)
    {
        face.numDots = DialFaceGeometry::maxDots;

        for (size_t i = 0; i < dotFractions.size(); ++i)
        {
            const auto a = rotaryStartAngle + dotFractions[i] * (rotaryEndAngle - rotaryStartAngle);
            const auto p = pointOnDial (face.centre, a, face.dotRadius);
            face.dots[i] = { p.x - 3.0f, p.y - 3.0f, face.dotSize, face.dotSize };
        }
    }

    // The value angle and both arcs: the background arc spans the sweep; the value arc runs
    // from the start to the value, or on a mirrored face from the value to the end.
    void placeArcs (DialFaceGeometry& face, float sliderPos, float rotaryStartAngle, float rotaryEndAngle, bool mirrored)
    {
        face.angle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
        face.backgroundArcFrom = rotaryStartAngle;
        face.backgroundArcTo = rotaryEndAngle;
        face.valueArcFrom = mirrored ? face.angle : rotaryStartAngle;
        face.valueArcTo = mirrored ? rotaryEndAngle : face.angle;
    }

    // Knob, ring and pointer follow the same rules on both full faces once r2 and the stroke
    // width are known.
    void placeKnobAndPointer (DialFaceGeometry& face)
    {
        const auto cx = face.centre.x;
        const auto cy = face.centre.y;
        const auto sw = face.strokeWidth;

        face.knobRadius = juce::jmax (10.0f, face.r2 - 3.0f * sw);
        face.ringRadius = juce::jmax (10.0f, face.knobRadius - 4.0f);

        const auto length = face.ringRadius - sw;
        face.pointerOuter = { cx + std::sin (face.angle) * length, cy - std::cos (face.angle) * length };
        face.pointerInner = { cx + std::sin (face.angle) * 0.6f * length, cy - std::cos (face.angle) * 0.6f * length };
        face.pointerThickness = 0.75f * sw;

        face.gradientCentre = { cx + 2.0f * sw, cy - 4.0f * sw };
        face.gradientEdge = { cx + face.knobRadius, cy + face.knobRadius };
    }

    juce::Rectangle<float> squareAround (juce::Point<float> centre, float radius)
    {
        return { centre.x - radius, centre.y - radius, 2.0f * radius, 2.0f * radius };
    }

    void strokeArc (juce::Graphics& g, const DialFaceGeometry& face, float from, float to)
    {
        juce::Path arc;
        arc.addCentredArc (face.centre.x, face.centre.y, face.arcRadius, face.arcRadius, 0.0f, from, to, true);
        g.strokePath (arc, juce::PathStrokeType (face.strokeWidth, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    FlatDialGeometry computeFlatDial (int x, int y, int width, int height, float sliderPos,
                                      float rotaryStartAngle, float rotaryEndAngle,
                                      double sizeFactor, float pointerInset, float pointerWidth)
    {
        FlatDialGeometry dial;
        dial.diameter = (float) (juce::jmin (width, height) * sizeFactor);
        dial.radius = 0.5f * dial.diameter;
        dial.centre = { (float) (x + width * 0.5), (float) (y + height * 0.5) };
        dial.disc = { dial.centre.x - dial.radius, dial.centre.y - dial.radius, dial.diameter, dial.diameter };
        dial.angle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
        dial.pointerBar = { 0.0f, pointerInset - dial.radius, pointerWidth, (float) (0.6 * dial.radius) };
        dial.pointerTransform = juce::AffineTransform::rotation (dial.angle).translated (dial.centre.x, dial.centre.y);
        return dial;
    }

    void drawFlatDial (juce::Graphics& g, const FlatDialGeometry& dial, juce::Colour disc,
                       juce::Colour ring, float ringThickness, juce::Colour pointer)
    {
        g.setColour (disc);
        g.fillEllipse (dial.disc);

        g.setColour (ring);
        g.drawEllipse (dial.disc, ringThickness);

        g.setColour (pointer);
        g.fillPath (dial.pointerPath());
    }
} // namespace dialface

DialFaceColours DialFaceColours::fromSlider (const juce::Slider& slider, bool dotsInTrackColour)
{
    DialFaceColours colours;
    colours.backgroundArc = slider.findColour (juce::Slider::rotarySliderOutlineColourId);
    colours.valueArc = slider.findColour (juce::Slider::rotarySliderFillColourId);
    colours.thumb = slider.findColour (juce::Slider::thumbColourId);
    colours.pointer = slider.findColour (juce::Slider::trackColourId);
    colours.dots = dotsInTrackColour ? colours.pointer : colours.valueArc;
    return colours;
}

juce::Colour knobHighlightColour (juce::Colour thumb)  { return thumb.brighter (0.15f).withAlpha ((juce::uint8) 0x80); }
juce::Colour knobEdgeColour (juce::Colour thumb)       { return thumb.withAlpha ((juce::uint8) 0x80); }
juce::Colour knobRingColour (juce::Colour outline)     { return outline.brighter (0.4f); }

void drawDialFace (juce::Graphics& g, juce::Slider& slider, const DialFaceGeometry& face, const DialFaceColours& colours)
{
    g.setColour (colours.dots);

    for (int i = 0; i < face.numDots; ++i)
        g.fillEllipse (face.dots[(size_t) i]);

    g.setColour (colours.backgroundArc);
    dialface::strokeArc (g, face, face.backgroundArcFrom, face.backgroundArcTo);

    {
        // Without a gradient the knob is filled in the colour still set from the background arc.
        const juce::Graphics::ScopedSaveState savedState (g);

        if (slider.isEnabled())
            g.setGradientFill (juce::ColourGradient (knobHighlightColour (colours.thumb), face.gradientCentre,
                                                     knobEdgeColour (colours.thumb), face.gradientEdge, true));

        g.fillEllipse (dialface::squareAround (face.centre, face.knobRadius));
    }

    g.setColour (knobRingColour (colours.backgroundArc));
    g.drawEllipse (dialface::squareAround (face.centre, face.ringRadius), DialFaceGeometry::ringThickness);

    g.setColour (colours.valueArc);
    dialface::strokeArc (g, face, face.valueArcFrom, face.valueArcTo);

    g.setColour (colours.pointer);
    juce::Path pointer;
    pointer.startNewSubPath (face.pointerOuter);
    pointer.lineTo (face.pointerInner);
    g.strokePath (pointer, juce::PathStrokeType (face.pointerThickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

juce::Path FlatDialGeometry::pointerPath() const
{
    juce::Path bar;
    bar.addRectangle (pointerBar);
    bar.applyTransform (pointerTransform);
    return bar;
}
} // namespace orvane_gui

namespace juce
{
//==============================================================================
HardDialLAF::~HardDialLAF() = default;

orvane_gui::FlatDialGeometry HardDialLAF::computeGeometry (int x, int y, int width, int height, float sliderPos,
                                                          float rotaryStartAngle, float rotaryEndAngle)
{
    return orvane_gui::dialface::computeFlatDial (x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, 0.9, 2.0f, 4.0f);
}

Colour HardDialLAF::discColour (Colour thumb)          { return thumb.withAlpha ((uint8) 0xb2); }
float HardDialLAF::valueBoxFontHeight (float sliderWidth) { return (float) (sliderWidth * 0.12); }
Font HardDialLAF::valueBoxFont (float sliderWidth)     { return orvane_gui::makeFont ("Helvetica", valueBoxFontHeight (sliderWidth), Font::plain); }

void HardDialLAF::drawLabel (Graphics& g, Label& label)
{
    orvane_gui::drawValueBox (g, label, *this, valueBoxFont (lastSliderWidth));
}

void HardDialLAF::drawRotarySlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                    float rotaryStartAngle, float rotaryEndAngle, Slider& slider)
{
    lastSliderWidth = (float) width;

    const auto dial = computeGeometry (x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle);
    orvane_gui::dialface::drawFlatDial (g, dial,
                              discColour (slider.findColour (Slider::thumbColourId)),
                              slider.findColour (Slider::rotarySliderOutlineColourId), ringThickness,
                              slider.findColour (Slider::trackColourId));
}

//==============================================================================
FullDialMirrowLAF::~FullDialMirrowLAF() = default;

orvane_gui::DialFaceGeometry FullDialMirrowLAF::computeGeometry (int x, int y, int width, int height, float sliderPos,
                                                                 float rotaryStartAngle, float rotaryEndAngle)
{
    orvane_gui::DialFaceGeometry face;

    const auto bounds = Rectangle<float> ((float) x, (float) y, (float) width, (float) height).reduced (10.0f);
    face.centre = bounds.getCentre();
    face.radius = jmin (bounds.getWidth(), bounds.getHeight()) / 2.0f;

    if (face.radius > 50.0f)
    {
        face.dotSize = 7.0f;
        face.dotRadius = face.radius - 2.0f;
        orvane_gui::dialface::placeDots (face, rotaryStartAngle, rotaryEndAngle);

        face.r2 = face.radius - 10.0f;
    }
    else
    {
        face.r2 = face.radius;
    }

    face.strokeWidth = jmin (0.5f * face.r2, 6.0f);
    face.arcRadius = face.r2 - face.strokeWidth;

    orvane_gui::dialface::placeArcs (face, sliderPos, rotaryStartAngle, rotaryEndAngle, true);
    orvane_gui::dialface::placeKnobAndPointer (face);
    return face;
}

float FullDialMirrowLAF::valueBoxFontHeight (float sliderWidth) { return (float) (sliderWidth * 0.12); }
Font FullDialMirrowLAF::valueBoxFont (float sliderWidth)     { return orvane_gui::makeFont ("Helvetica", valueBoxFontHeight (sliderWidth), Font::bold); }

void FullDialMirrowLAF::drawLabel (Graphics& g, Label& label)
{
    orvane_gui::drawValueBox (g, label, *this, valueBoxFont (lastSliderWidth));
}

void FullDialMirrowLAF::drawRotarySlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                          float rotaryStartAngle, float rotaryEndAngle, Slider& slider)
{
    lastSliderWidth = (float) width;

    orvane_gui::drawDialFace (g, slider, computeGeometry (x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle),
                              orvane_gui::DialFaceColours::fromSlider (slider, true));
}

//==============================================================================
AlphaDialLAF::~AlphaDialLAF() = default;

orvane_gui::FlatDialGeometry AlphaDialLAF::computeGeometry (int x, int y, int width, int height, float sliderPos,
                                                           float rotaryStartAngle, float rotaryEndAngle)
{
    return orvane_gui::dialface::computeFlatDial (x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, 0.7, 6.0f, 3.0f);
}

Colour AlphaDialLAF::ringColour()                          { return Colours::black.withAlpha ((uint8) 0x26); }
Colour AlphaDialLAF::pointerColour()                       { return Colours::whitesmoke.darker (0.5f); }
float AlphaDialLAF::valueBoxFontHeight (float sliderWidth) { return (float) (sliderWidth * 0.12); }
Font AlphaDialLAF::valueBoxFont (float sliderWidth)        { return orvane_gui::makeFont ("Helvetica", valueBoxFontHeight (sliderWidth), Font::plain); }

void AlphaDialLAF::drawLabel (Graphics& g, Label& label)
{
    orvane_gui::drawValueBox (g, label, *this, valueBoxFont (lastSliderWidth));
}

void AlphaDialLAF::drawRotarySlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                     float rotaryStartAngle, float rotaryEndAngle, Slider& slider)
{
    lastSliderWidth = (float) width;

    const auto dial = computeGeometry (x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle);
    orvane_gui::dialface::drawFlatDial (g, dial, slider.findColour (Slider::thumbColourId),
                              ringColour(), ringThickness, pointerColour());
}

//==============================================================================
CustomAbleDialLAF::~CustomAbleDialLAF() = default;
} // namespace juce
