#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
using guitest::countDifferentPixels;
using guitest::countPixelsOfColour;
using guitest::defaultEnd;
using guitest::defaultStart;
using guitest::drawFace;
using guitest::firstChildLabel;
using guitest::pi;
using guitest::pixelOnDial;
using guitest::render;

constexpr juce::uint32 thumb = 0xff324a76;
constexpr juce::uint32 outline = 0xff171717;
constexpr juce::uint32 fill = 0xff626262;
constexpr juce::uint32 track = 0xffff0000;

// A rotary slider with a colour of its own under every id the looks read.
struct ColouredSlider : public juce::Slider
{
    ColouredSlider() : juce::Slider (juce::Slider::RotaryVerticalDrag, juce::Slider::TextBoxBelow)
    {
        setColour (juce::Slider::thumbColourId, juce::Colour (thumb));
        setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colour (outline));
        setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (fill));
        setColour (juce::Slider::trackColourId, juce::Colour (track));
    }

    ~ColouredSlider() override { setLookAndFeel (nullptr); }
};

void expectRectangle (juce::Rectangle<float> r, float x, float y, float w, float h)
{
    EXPECT_FLOAT_EQ (r.getX(), x);
    EXPECT_FLOAT_EQ (r.getY(), y);
    EXPECT_FLOAT_EQ (r.getWidth(), w);
    EXPECT_FLOAT_EQ (r.getHeight(), h);
}
} // namespace

//==============================================================================
// The flat looks.

TEST (DialLooksFlat, GeometryOnA100By80Area)
{
    struct Case
    {
        const char* look;
        orvane_gui::FlatDialGeometry (*compute) (int, int, int, int, float, float, float);
        float diameter, radius, discX, discY, pointerX, pointerTop, pointerWidth, pointerHeight;
    };

    for (const auto& c : { Case { "HardDialLAF", &juce::HardDialLAF::computeGeometry, 72.0f, 36.0f, 14.0f, 4.0f, 50.0f, 6.0f, 4.0f, 21.6f },
                           Case { "AlphaDialLAF", &juce::AlphaDialLAF::computeGeometry, 56.0f, 28.0f, 22.0f, 12.0f, 50.0f, 18.0f, 3.0f, 16.8f } })
    {
        SCOPED_TRACE (c.look);

        // Angle 0: a range starting and ending straight up.
        const auto dial = c.compute (0, 0, 100, 80, 0.0f, 0.0f, 0.0f);

        EXPECT_FLOAT_EQ (dial.diameter, c.diameter);
        EXPECT_FLOAT_EQ (dial.radius, c.radius);
        EXPECT_FLOAT_EQ (dial.centre.x, 50.0f);
        EXPECT_FLOAT_EQ (dial.centre.y, 40.0f);
        expectRectangle (dial.disc, c.discX, c.discY, c.diameter, c.diameter);

        // The bar's left edge lies on the vertical through the centre.
        expectRectangle (dial.pointerPath().getBounds(), c.pointerX, c.pointerTop, c.pointerWidth, c.pointerHeight);
    }
}

TEST (DialLooksFlat, PointerTurnsWithTheValueAboutTheCentre)
{
    // At 90 degrees the bar points right, its former left edge now along the horizontal through the centre.
    const auto dial = juce::HardDialLAF::computeGeometry (0, 0, 100, 80, 1.0f, 0.0f, 0.5f * pi);
    const auto bounds = dial.pointerPath().getBounds();

    EXPECT_FLOAT_EQ (dial.angle, 0.5f * pi);
    EXPECT_NEAR (bounds.getX(), 50.0f + 36.0f - 2.0f - 21.6f, 1.0e-4f);
    EXPECT_NEAR (bounds.getRight(), 50.0f + 36.0f - 2.0f, 1.0e-4f);
    EXPECT_NEAR (bounds.getY(), 40.0f, 1.0e-4f);
    EXPECT_NEAR (bounds.getBottom(), 44.0f, 1.0e-4f);

    // Odd areas: the centre is formed from the area's position and size.
    const auto offset = juce::AlphaDialLAF::computeGeometry (5, 7, 41, 30, 0.0f, defaultStart, defaultEnd);
    EXPECT_FLOAT_EQ (offset.centre.x, 25.5f);
    EXPECT_FLOAT_EQ (offset.centre.y, 22.0f);
    EXPECT_FLOAT_EQ (offset.diameter, 21.0f);
}

TEST (DialLooksFlat, Colours)
{
    EXPECT_EQ (juce::HardDialLAF::discColour (juce::Colour (thumb)).getARGB(), 0xb2324a76u);
    EXPECT_EQ (juce::AlphaDialLAF::ringColour().getARGB(), 0x26000000u);
    EXPECT_EQ (juce::AlphaDialLAF::pointerColour().getARGB(), 0xffa3a3a3u);
    EXPECT_FLOAT_EQ (juce::HardDialLAF::ringThickness, 4.0f);
    EXPECT_FLOAT_EQ (juce::AlphaDialLAF::ringThickness, 10.0f);
}

TEST (DialLooksFlat, HardDialDrawsDiscRingAndPointer)
{
    juce::HardDialLAF look;
    ColouredSlider slider;
    const auto image = drawFace (look, slider, 100, 80, { 0, 0, 100, 80 }, 0.0f, 0.0f, 1.0f);

    const auto disc = image.getPixelAt (50, 60);
    EXPECT_EQ (disc.getAlpha(), 0xb2);
    EXPECT_NEAR (disc.getRed(), 0x32, 1);
    EXPECT_NEAR (disc.getGreen(), 0x4a, 1);
    EXPECT_NEAR (disc.getBlue(), 0x76, 1);

    EXPECT_EQ (image.getPixelAt (13, 40).getARGB(), outline);   // ring, 4 wide over the disc's edge
    EXPECT_EQ (image.getPixelAt (86, 40).getARGB(), outline);
    EXPECT_EQ (image.getPixelAt (51, 15).getARGB(), track);     // pointer, right of the centre line
    EXPECT_EQ (image.getPixelAt (53, 26).getARGB(), track);
    EXPECT_EQ (image.getPixelAt (49, 15), disc);                // left of the centre line: disc only
    EXPECT_EQ (image.getPixelAt (51, 29), disc);                // below the bar's end
    EXPECT_EQ (image.getPixelAt (5, 40).getARGB(), 0u);         // outside the ring
    EXPECT_FLOAT_EQ (look.lastSliderWidth, 100.0f);
}

TEST (DialLooksFlat, AlphaDialDrawsDiscWideTranslucentRingAndGreyPointer)
{
    juce::AlphaDialLAF look;
    ColouredSlider slider;
    const auto image = drawFace (look, slider, 100, 80, { 0, 0, 100, 80 }, 0.0f, 0.0f, 1.0f);

    EXPECT_EQ (image.getPixelAt (50, 55).getARGB(), thumb);        // the disc in the thumb colour as it is
    EXPECT_EQ (image.getPixelAt (50, 70).getARGB(), 0x26000000u);  // the ring's outer half, beyond the disc
    EXPECT_EQ (image.getPixelAt (50, 74).getARGB(), 0u);           // beyond the ring's 5-pixel outer half
    EXPECT_EQ (image.getPixelAt (51, 25).getARGB(), 0xffa3a3a3u);  // pointer: the look's grey, not the track colour
    EXPECT_EQ (image.getPixelAt (49, 25).getARGB(), thumb);
    EXPECT_EQ (image.getPixelAt (51, 36).getARGB(), thumb);        // below the bar's end
    EXPECT_EQ (countPixelsOfColour (image, track), 0);

    // Inside the disc the ring darkens it.
    const auto ringOverDisc = image.getPixelAt (50, 64);
    EXPECT_EQ (ringOverDisc.getAlpha(), 0xff);
    EXPECT_LT (ringOverDisc.getBlue(), juce::Colour (thumb).getBlue());
}

TEST (DialLooksFlat, DisabledSliderIsDrawnLikeAnEnabledOne)
{
    juce::HardDialLAF hard;
    juce::AlphaDialLAF alpha;

    for (auto* look : std::initializer_list<juce::LookAndFeel*> { &hard, &alpha })
    {
        ColouredSlider slider;
        const auto enabled = drawFace (*look, slider, 100, 80, { 0, 0, 100, 80 }, 0.3f);
        slider.setEnabled (false);
        const auto disabled = drawFace (*look, slider, 100, 80, { 0, 0, 100, 80 }, 0.3f);

        EXPECT_EQ (countDifferentPixels (enabled, disabled), 0);
    }
}

//==============================================================================
// The mirrored full face.

TEST (DialLooksMirrow, GeometryAcrossAreaSizes)
{
    struct Case
    {
        int x, y, width, height;
        float cx, cy, radius;
        int numDots;
        float r2, sw, arcR, knobR, ringR, pointerOuter, pointerInner, pointerThickness;
    };

    for (const auto& c : { Case { 0, 0, 140, 140, 70.0f, 70.0f, 60.0f, 11, 50.0f, 6.0f, 44.0f, 32.0f, 28.0f, 22.0f, 13.2f, 4.5f },
                           Case { 0, 0, 120, 120, 60.0f, 60.0f, 50.0f, 0, 50.0f, 6.0f, 44.0f, 32.0f, 28.0f, 22.0f, 13.2f, 4.5f },
                           Case { 0, 0, 40, 40, 20.0f, 20.0f, 10.0f, 0, 10.0f, 5.0f, 5.0f, 10.0f, 10.0f, 5.0f, 3.0f, 3.75f },
                           Case { 0, 0, 20, 20, 10.0f, 10.0f, 0.0f, 0, 0.0f, 0.0f, 0.0f, 10.0f, 10.0f, 10.0f, 6.0f, 0.0f },
                           Case { 5, 7, 12, 9, 15.0f, 17.0f, 0.0f, 0, 0.0f, 0.0f, 0.0f, 10.0f, 10.0f, 10.0f, 6.0f, 0.0f },
                           Case { 0, 0, 20, 200, 10.0f, 100.0f, 0.0f, 0, 0.0f, 0.0f, 0.0f, 10.0f, 10.0f, 10.0f, 6.0f, 0.0f } })
    {
        SCOPED_TRACE (testing::Message() << c.width << " x " << c.height << " at " << c.x << ", " << c.y);
        const auto face = juce::FullDialMirrowLAF::computeGeometry (c.x, c.y, c.width, c.height, 0.5f, defaultStart, defaultEnd);

        EXPECT_FLOAT_EQ (face.centre.x, c.cx);
        EXPECT_FLOAT_EQ (face.centre.y, c.cy);
        EXPECT_FLOAT_EQ (face.radius, c.radius);
        EXPECT_EQ (face.numDots, c.numDots);
        EXPECT_FLOAT_EQ (face.r2, c.r2);
        EXPECT_FLOAT_EQ (face.strokeWidth, c.sw);
        EXPECT_FLOAT_EQ (face.arcRadius, c.arcR);
        EXPECT_FLOAT_EQ (face.knobRadius, c.knobR);
        EXPECT_FLOAT_EQ (face.ringRadius, c.ringR);
        EXPECT_NEAR (face.pointerOuter.getDistanceFrom (face.centre), c.pointerOuter, 1.0e-5f);
        EXPECT_NEAR (face.pointerInner.getDistanceFrom (face.centre), c.pointerInner, 1.0e-5f);
        EXPECT_FLOAT_EQ (face.pointerThickness, c.pointerThickness);
    }
}

TEST (DialLooksMirrow, DotsAreSevenPixelsOnRadiusMinusTwo)
{
    const auto face = juce::FullDialMirrowLAF::computeGeometry (0, 0, 140, 140, 0.0f, defaultStart, defaultEnd);
    const auto step = (defaultEnd - defaultStart) / 10.0f;

    EXPECT_FLOAT_EQ (face.dotRadius, 58.0f);

    for (size_t i = 0; i < face.dots.size(); ++i)
    {
        const auto& dot = face.dots[i];
        const auto a = defaultStart + (float) i * step;
        EXPECT_FLOAT_EQ (dot.getWidth(), 7.0f);
        EXPECT_FLOAT_EQ (dot.getHeight(), 7.0f);
        EXPECT_NEAR (dot.getX() + 3.0f, 70.0f + std::sin (a) * 58.0f, 1.0e-4f);
        EXPECT_NEAR (dot.getY() + 3.0f, 70.0f - std::cos (a) * 58.0f, 1.0e-4f);
    }
}

TEST (DialLooksMirrow, ValueArcRunsFromTheValueToTheEnd)
{
    struct Case { float sliderPos; float valueArcFrom; };

    for (const auto c : { Case { 0.0f, defaultStart }, Case { 0.5f, 2.0f * pi }, Case { 1.0f, defaultEnd } })
    {
        const auto face = juce::FullDialMirrowLAF::computeGeometry (0, 0, 140, 140, c.sliderPos, defaultStart, defaultEnd);
        EXPECT_FLOAT_EQ (face.valueArcFrom, c.valueArcFrom);
        EXPECT_FLOAT_EQ (face.valueArcTo, defaultEnd);
        EXPECT_FLOAT_EQ (face.backgroundArcFrom, defaultStart);
        EXPECT_FLOAT_EQ (face.backgroundArcTo, defaultEnd);
    }
}

TEST (DialLooksMirrow, DrawsTheMirroredFace)
{
    juce::FullDialMirrowLAF look;
    ColouredSlider slider;
    const juce::Point<float> centre (70.0f, 70.0f);

    struct Case { float sliderPos; juce::uint32 beforeValue, afterValue; };

    for (const auto c : { Case { 0.5f, outline, fill }, Case { 0.0f, fill, fill }, Case { 1.0f, outline, outline } })
    {
        SCOPED_TRACE (c.sliderPos);
        const auto image = drawFace (look, slider, 140, 140, { 0, 0, 140, 140 }, c.sliderPos);

        EXPECT_EQ (pixelOnDial (image, centre, defaultStart + 0.4f, 44.0f).getARGB(), c.beforeValue);
        EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi - 0.3f, 44.0f).getARGB(), c.beforeValue);
        EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi + 0.3f, 44.0f).getARGB(), c.afterValue);
        EXPECT_EQ (pixelOnDial (image, centre, defaultEnd - 0.4f, 44.0f).getARGB(), c.afterValue);
        EXPECT_EQ (pixelOnDial (image, centre, defaultEnd, 44.0f).getARGB(), c.afterValue);

        EXPECT_EQ (pixelOnDial (image, centre, 0.5f * pi, 28.5f).getARGB(), 0xff595959u);   // ring
        EXPECT_EQ (image.getPixelAt (68, 10).getARGB(), track);                              // top dot, in the track colour
    }

    const auto image = drawFace (look, slider, 140, 140, { 0, 0, 140, 140 }, 0.5f);
    EXPECT_EQ (image.getPixelAt (69, 52).getARGB(), track);   // pointer, straight up, 17.6 from the centre
    EXPECT_FLOAT_EQ (look.lastSliderWidth, 140.0f);

    // The knob: gradient 0x804c6187 at (82, 46) reaching 0x80324a76 at (102, 102), radius 32.
    juce::Image knob (juce::Image::ARGB, 140, 140, true);
    {
        juce::Graphics g (knob);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0x804c6187), 82.0f, 46.0f,
                                                 juce::Colour (0x80324a76), 102.0f, 102.0f, true));
        g.fillEllipse (38.0f, 38.0f, 64.0f, 64.0f);
    }

    for (const auto p : { juce::Point<int> { 80, 60 }, juce::Point<int> { 60, 80 }, juce::Point<int> { 75, 85 } })
        EXPECT_EQ (image.getPixelAt (p.x, p.y), knob.getPixelAt (p.x, p.y));
}

TEST (DialLooksMirrow, DisabledKnobIsFlatInTheOutlineColour)
{
    juce::FullDialMirrowLAF look;
    ColouredSlider slider;
    const auto enabled = drawFace (look, slider, 140, 140, { 0, 0, 140, 140 }, 0.5f);
    slider.setEnabled (false);
    const auto disabled = drawFace (look, slider, 140, 140, { 0, 0, 140, 140 }, 0.5f);

    EXPECT_EQ (disabled.getPixelAt (80, 60).getARGB(), outline);
    EXPECT_EQ (disabled.getPixelAt (60, 80).getARGB(), outline);
    EXPECT_EQ (enabled.getPixelAt (80, 60).getAlpha(), 0x80);

    // Everything outside the knob's disc stays as it was.
    int differingOutsideKnob = 0;

    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 140; ++x)
            if (juce::Point<float> ((float) x + 0.5f, (float) y + 0.5f).getDistanceFrom ({ 70.0f, 70.0f }) > 33.0f
                 && enabled.getPixelAt (x, y) != disabled.getPixelAt (x, y))
                ++differingOutsideKnob;

    EXPECT_EQ (differingOutsideKnob, 0);
    EXPECT_EQ (disabled.getPixelAt (69, 52).getARGB(), track);   // the pointer is still drawn
}

TEST (DialLooksMirrow, TinyAreaDrawsNoArcsButKeepsKnobAndRing)
{
    juce::FullDialMirrowLAF look;
    ColouredSlider slider;
    const auto image = drawFace (look, slider, 40, 40, { 0, 0, 20, 20 }, 0.0f);

    // sliderPos 0 would cover the whole range with the value arc, but radius 0 leaves it out.
    EXPECT_EQ (countPixelsOfColour (image, fill), 0);
    EXPECT_EQ (countPixelsOfColour (image, outline), 0);

    EXPECT_EQ (image.getPixelAt (0, 10).getARGB(), 0xff595959u);   // ring round (10, 10), radius 10
    EXPECT_EQ (image.getPixelAt (10, 14).getAlpha(), 0x80);         // knob
    EXPECT_EQ (image.getPixelAt (30, 30).getARGB(), 0u);
}

//==============================================================================
// Value boxes.

TEST (DialLooksValueBox, FontsFromTheLastSliderWidth)
{
    struct Case { const char* look; juce::Font (*font) (float); float width, height; bool bold; };

    for (const auto& c : { Case { "FullDialLAF", &juce::FullDialLAF::valueBoxFont, 195.0f, 19.5f, true },
                           Case { "FullDialLAF", &juce::FullDialLAF::valueBoxFont, 40.0f, 4.0f, true },
                           Case { "HardDialLAF", &juce::HardDialLAF::valueBoxFont, 100.0f, 12.0f, false },
                           Case { "HardDialLAF", &juce::HardDialLAF::valueBoxFont, 150.0f, 18.0f, false },
                           Case { "AlphaDialLAF", &juce::AlphaDialLAF::valueBoxFont, 100.0f, 12.0f, false },
                           Case { "FullDialMirrowLAF", &juce::FullDialMirrowLAF::valueBoxFont, 150.0f, 18.0f, true },
                           Case { "FullDialMirrowLAF", &juce::FullDialMirrowLAF::valueBoxFont, 0.0f, 0.1f, true } })
    {
        SCOPED_TRACE (testing::Message() << c.look << " at width " << c.width);
        const auto font = c.font (c.width);

        EXPECT_FLOAT_EQ (font.getHeight(), c.height);
        EXPECT_EQ (font.isBold(), c.bold);
        EXPECT_FALSE (font.isItalic());
        EXPECT_EQ (font.getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));
    }
}

TEST (DialLooksValueBox, BoxIsDrawnInTheFontOfTheSliderDrawnJustBefore)
{
    juce::HardDialLAF hard;
    juce::FullDialMirrowLAF mirrow;
    juce::AlphaDialLAF alpha;
    juce::FullDialLAF full;

    struct Case { const char* name; juce::LookAndFeel* look; float* lastWidth; float factor; int style; };

    for (const auto& c : { Case { "HardDialLAF", &hard, &hard.lastSliderWidth, 0.12f, juce::Font::plain },
                           Case { "FullDialMirrowLAF", &mirrow, &mirrow.lastSliderWidth, 0.12f, juce::Font::bold },
                           Case { "AlphaDialLAF", &alpha, &alpha.lastSliderWidth, 0.12f, juce::Font::plain },
                           Case { "FullDialLAF", &full, &full.lastSliderWidth, 0.1f, juce::Font::bold } })
    {
        SCOPED_TRACE (c.name);

        ColouredSlider slider;
        slider.setColour (juce::Slider::textBoxTextColourId, juce::Colours::white);
        slider.setLookAndFeel (c.look);
        slider.setBounds (0, 0, 150, 182);
        slider.setRange (0.0, 10.0, 0.1);
        slider.setValue (7.0);

        auto* box = firstChildLabel (slider);
        ASSERT_NE (box, nullptr);
        box->setBounds (0, 0, 150, 32);

        const auto drawBox = [&] (auto&& draw)
        {
            juce::Image image (juce::Image::ARGB, box->getWidth(), box->getHeight(), true);
            juce::Graphics g (image);
            draw (g);
            return image;
        };

        // Drawing the slider records its width; the box is then drawn in the font sized from it.
        drawFace (*c.look, slider, 150, 150, { 0, 0, 150, 150 }, 0.5f);
        EXPECT_FLOAT_EQ (*c.lastWidth, 150.0f);

        const auto drawn = drawBox ([&] (juce::Graphics& g) { c.look->drawLabel (g, *box); });
        const auto expected = drawBox ([&] (juce::Graphics& g)
        {
            orvane_gui::drawValueBox (g, *box, *c.look, orvane_gui::makeFont ("Helvetica", (float) (150.0 * c.factor), c.style));
        });
        const auto otherSize = drawBox ([&] (juce::Graphics& g)
        {
            orvane_gui::drawValueBox (g, *box, *c.look, orvane_gui::makeFont ("Helvetica", 9.0f, c.style));
        });

        EXPECT_GT (countPixelsOfColour (drawn, 0xffffffff), 0);
        EXPECT_EQ (countDifferentPixels (drawn, expected), 0);
        EXPECT_GT (countDifferentPixels (drawn, otherSize), 0);
    }
}

TEST (DialLooksValueBox, ReadOnlyBoxBecomesSingleClickEditableOncePainted)
{
    juce::HardDialLAF hard;
    juce::FullDialMirrowLAF mirrow;
    juce::AlphaDialLAF alpha;

    for (auto* look : std::initializer_list<juce::LookAndFeel*> { &hard, &mirrow, &alpha })
    {
        ColouredSlider slider;
        slider.setTextBoxStyle (juce::Slider::TextBoxBelow, true, 80, 20);
        slider.setLookAndFeel (look);
        slider.setBounds (0, 0, 120, 140);

        auto* box = firstChildLabel (slider);
        ASSERT_NE (box, nullptr);
        EXPECT_FALSE (box->isEditableOnSingleClick());

        render (slider, true);
        EXPECT_TRUE (box->isEditableOnSingleClick());
        EXPECT_FALSE (box->isEditableOnDoubleClick());
    }
}

//==============================================================================
// The framework's own face.

TEST (DialLooksCustomAble, LooksExactlyLikeTheFrameworkLook)
{
    struct Case { juce::Slider::SliderStyle style; double value; bool enabled; };

    for (const auto& c : { Case { juce::Slider::RotaryVerticalDrag, 3.0, true },
                           Case { juce::Slider::RotaryHorizontalVerticalDrag, 8.5, false },
                           Case { juce::Slider::LinearHorizontal, 1.0, true } })
    {
        SCOPED_TRACE (c.value);

        juce::CustomAbleDialLAF custom;
        juce::LookAndFeel_V4 framework;
        juce::Slider withCustom (c.style, juce::Slider::TextBoxBelow);
        juce::Slider withFramework (c.style, juce::Slider::TextBoxBelow);

        for (auto* s : { &withCustom, &withFramework })
        {
            s->setRange (0.0, 10.0, 0.5);
            s->setValue (c.value);
            s->setEnabled (c.enabled);
            s->setBounds (0, 0, 160, 190);
        }

        withCustom.setLookAndFeel (&custom);
        withFramework.setLookAndFeel (&framework);

        const auto a = render (withCustom, true);
        const auto b = render (withFramework, true);

        EXPECT_GT (countPixelsOfColour (a, 0u), 0);
        EXPECT_LT (countPixelsOfColour (a, 0u), a.getWidth() * a.getHeight());
        EXPECT_EQ (countDifferentPixels (a, b), 0);

        withCustom.setLookAndFeel (nullptr);
        withFramework.setLookAndFeel (nullptr);
    }
}

TEST (DialLooksOnDial, AnyLookCanBeInstalledOnADial)
{
    // A Dial drawn under FullDialMirrowLAF shows the mirrored value arc in its own colours.
    juce::FullDialMirrowLAF mirrow;
    orvane_gui::Dial dial (" dB", "Gain", -24.0, 24.0, 0.1, 0.0);
    dial.setLookAndFeel (&mirrow);
    dial.setBounds (0, 0, 140, 172);
    dial.setComponentEffect (nullptr);
    dial.setValue (0.0);

    const auto image = render (dial, true);
    const juce::Point<float> centre (70.0f, 70.0f);

    EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi - 0.3f, 44.0f).getARGB(), 0xff171717u);
    EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi + 0.3f, 44.0f).getARGB(), 0xff626262u);
    EXPECT_FLOAT_EQ (mirrow.lastSliderWidth, 140.0f);

    dial.setLookAndFeel (nullptr);
}
