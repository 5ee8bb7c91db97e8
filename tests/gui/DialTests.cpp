#include <orvane_modules/orvane_modules.h>

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
using guitest::countDifferentPixels;
using guitest::countPixelsOfColour;
using guitest::defaultEnd;
using guitest::defaultStart;
using guitest::firstChildLabel;
using guitest::mouseEvent;
using guitest::pi;
using guitest::pixelOnDial;
using guitest::render;

constexpr juce::uint32 fillGrey = 0xff626262;
constexpr juce::uint32 outlineGrey = 0xff171717;
constexpr juce::uint32 ringGrey = 0xff595959;
constexpr juce::uint32 restingThumb = 0xff324a76;

float distance (juce::Point<float> a, juce::Point<float> b) { return a.getDistanceFrom (b); }

// The dial's face alone, drawn by its look into a clear image without the component effect.
juce::Image renderFace (juce::Slider& slider, int size, float sliderPos)
{
    return guitest::drawFace (slider.getLookAndFeel(), slider, size, size, { 0, 0, size, size }, sliderPos);
}

// A dial of the panels' kind, sized so that its slider area is 195 x 195 above the 32-pixel box.
struct DialWidget : public ::testing::Test
{
    DialWidget() { dial.setBounds (0, 0, 195, 227); }

    orvane_gui::Dial dial { " dB", "Gain", -24.0, 24.0, 0.1, 2.0 };
};
} // namespace

//==============================================================================
// Geometry of the face, from the slider area.

TEST (DialFaceGeometry, LargeAreaPlacesEveryPart)
{
    const auto face = juce::FullDialLAF::computeGeometry (0, 0, 195, 195, 0.5f, defaultStart, defaultEnd);

    EXPECT_FLOAT_EQ (face.centre.x, 97.5f);
    EXPECT_FLOAT_EQ (face.centre.y, 97.5f);
    EXPECT_FLOAT_EQ (face.radius, 100.0f);

    EXPECT_EQ (face.numDots, 11);
    EXPECT_FLOAT_EQ (face.dotSize, 4.875f);
    EXPECT_FLOAT_EQ (face.dotRadius, 91.225f);

    EXPECT_FLOAT_EQ (face.r2, 90.0f);
    EXPECT_FLOAT_EQ (face.strokeWidth, 6.825f);
    EXPECT_NEAR (face.arcRadius, 74.644f, 0.001f);
    EXPECT_FLOAT_EQ (face.knobRadius, 69.525f);
    EXPECT_FLOAT_EQ (face.ringRadius, 65.525f);

    EXPECT_NEAR (distance (face.pointerOuter, face.centre), 58.7f, 1.0e-4f);
    EXPECT_NEAR (distance (face.pointerInner, face.centre), 35.22f, 1.0e-4f);
    EXPECT_NEAR (face.pointerThickness, 5.119f, 0.001f);

    EXPECT_FLOAT_EQ (face.gradientCentre.x, 111.15f);
    EXPECT_FLOAT_EQ (face.gradientCentre.y, 70.2f);
    EXPECT_FLOAT_EQ (face.gradientEdge.x, 167.025f);
    EXPECT_FLOAT_EQ (face.gradientEdge.y, 167.025f);
}

TEST (DialFaceGeometry, DotsSitThreePixelsOffTheirPointsOnTheScale)
{
    struct Case { int size; float dotSize; };

    for (const auto c : { Case { 195, 4.875f }, Case { 40, 1.0f }, Case { 240, 6.0f } })
    {
        SCOPED_TRACE (c.size);
        const auto face = juce::FullDialLAF::computeGeometry (0, 0, c.size, c.size, 0.0f, defaultStart, defaultEnd);
        const auto step = (defaultEnd - defaultStart) / 10.0f;

        for (size_t i = 0; i < face.dots.size(); ++i)
        {
            const auto& dot = face.dots[i];
            EXPECT_FLOAT_EQ (dot.getWidth(), c.dotSize);
            EXPECT_FLOAT_EQ (dot.getHeight(), c.dotSize);

            // The point the dot hangs from: on the dot circle, a tenth of the sweep apart.
            const juce::Point<float> anchor (dot.getX() + 3.0f, dot.getY() + 3.0f);
            EXPECT_NEAR (distance (anchor, face.centre), face.dotRadius, 1.0e-3f);

            const auto a = defaultStart + (float) i * step;
            EXPECT_NEAR (anchor.x, face.centre.x + std::sin (a) * face.dotRadius, 1.0e-3f);
            EXPECT_NEAR (anchor.y, face.centre.y - std::cos (a) * face.dotRadius, 1.0e-3f);
        }
    }

    // Only at width 240 (dots 6 across) is a dot centred on its point.
    const auto centred = juce::FullDialLAF::computeGeometry (0, 0, 240, 240, 0.0f, defaultStart, defaultEnd);
    EXPECT_FLOAT_EQ (centred.dots[5].getCentreX(), centred.dots[5].getX() + 3.0f);
}

TEST (DialFaceGeometry, SmallAreaKeepsKnobAndRingAtTheirLowerLimit)
{
    const auto face = juce::FullDialLAF::computeGeometry (0, 0, 40, 40, 0.5f, defaultStart, defaultEnd);

    EXPECT_NEAR (face.radius, 20.51f, 0.005f);
    EXPECT_NEAR (face.r2, 10.51f, 0.005f);
    EXPECT_FLOAT_EQ (face.strokeWidth, 1.4f);
    EXPECT_NEAR (face.arcRadius, 7.36f, 0.005f);
    EXPECT_FLOAT_EQ (face.knobRadius, 10.0f);
    EXPECT_FLOAT_EQ (face.ringRadius, 10.0f);
    EXPECT_NEAR (distance (face.pointerOuter, face.centre), 8.6f, 1.0e-5f);
    EXPECT_NEAR (distance (face.pointerInner, face.centre), 5.16f, 1.0e-5f);
    EXPECT_FLOAT_EQ (face.dotSize, 1.0f);
    EXPECT_FLOAT_EQ (juce::FullDialLAF::valueBoxFontHeight (40.0f), 4.0f);
}

TEST (DialFaceGeometry, CentreFollowsTheAreaAndRadiusTheSmallerSide)
{
    const auto face = juce::FullDialLAF::computeGeometry (10, 20, 195, 300, 0.0f, defaultStart, defaultEnd);

    EXPECT_FLOAT_EQ (face.centre.x, 107.5f);
    EXPECT_FLOAT_EQ (face.centre.y, 170.0f);
    EXPECT_FLOAT_EQ (face.radius, 100.0f);
}

TEST (DialFaceGeometry, ValueAngleAndArcsAtBothEndsOfTheRange)
{
    struct Case { float sliderPos; float angle; float pointerDegrees; };

    for (const auto c : { Case { 0.0f, 1.2f * pi, 216.0f }, Case { 1.0f, 2.8f * pi, 144.0f } })
    {
        SCOPED_TRACE (c.sliderPos);
        const auto face = juce::FullDialLAF::computeGeometry (0, 0, 195, 195, c.sliderPos, defaultStart, defaultEnd);

        EXPECT_FLOAT_EQ (face.angle, c.angle);
        EXPECT_FLOAT_EQ (face.backgroundArcFrom, defaultStart);
        EXPECT_FLOAT_EQ (face.backgroundArcTo, defaultEnd);
        EXPECT_FLOAT_EQ (face.valueArcFrom, defaultStart);
        EXPECT_FLOAT_EQ (face.valueArcTo, c.angle);

        const auto direction = juce::degreesToRadians (c.pointerDegrees);
        EXPECT_NEAR (face.pointerOuter.x, 97.5f + std::sin (direction) * 58.7f, 1.0e-3f);
        EXPECT_NEAR (face.pointerOuter.y, 97.5f - std::cos (direction) * 58.7f, 1.0e-3f);
    }

    // 216 degrees is lower left, 144 degrees lower right.
    const auto atStart = juce::FullDialLAF::computeGeometry (0, 0, 195, 195, 0.0f, defaultStart, defaultEnd);
    const auto atEnd = juce::FullDialLAF::computeGeometry (0, 0, 195, 195, 1.0f, defaultStart, defaultEnd);
    EXPECT_LT (atStart.pointerOuter.x, 97.5f);
    EXPECT_GT (atStart.pointerOuter.y, 97.5f);
    EXPECT_GT (atEnd.pointerOuter.x, 97.5f);
    EXPECT_GT (atEnd.pointerOuter.y, 97.5f);
}

TEST (DialFaceColours, KnobAndRingFromTheDefaultColours)
{
    EXPECT_EQ (orvane_gui::knobHighlightColour (juce::Colour (restingThumb)).getARGB(), 0x804c6187u);
    EXPECT_EQ (orvane_gui::knobEdgeColour (juce::Colour (restingThumb)).getARGB(), 0x80324a76u);
    EXPECT_EQ (orvane_gui::knobRingColour (juce::Colour (outlineGrey)).getARGB(), ringGrey);
}

TEST (DialFaceFont, BoldHelveticaAtATenthOfTheSliderWidth)
{
    const auto font = juce::FullDialLAF::valueBoxFont (195.0f);

    EXPECT_FLOAT_EQ (font.getHeight(), 19.5f);
    EXPECT_TRUE (font.isBold());
    EXPECT_FALSE (font.isItalic());
    EXPECT_EQ (font.getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));
}

//==============================================================================
// The face as drawn.

TEST_F (DialWidget, FaceDrawsArcsRingDotsAndPointerInTheDialColours)
{
    const auto image = renderFace (dial, 195, 0.5f);   // the value points straight up
    const juce::Point<float> centre (97.5f, 97.5f);
    const auto arcR = 74.644f;

    EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi - 0.3f, arcR).getARGB(), fillGrey);    // value arc near its end
    EXPECT_EQ (pixelOnDial (image, centre, defaultStart + 0.3f, arcR).getARGB(), fillGrey); // value arc near the start
    EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi + 0.3f, arcR).getARGB(), outlineGrey); // background arc beyond the value
    EXPECT_EQ (pixelOnDial (image, centre, defaultEnd - 0.3f, arcR).getARGB(), outlineGrey);
    EXPECT_EQ (pixelOnDial (image, centre, 0.5f * pi, 66.0f).getARGB(), ringGrey);          // ring, right of the knob
    EXPECT_EQ (image.getPixelAt (97, 50).getARGB(), fillGrey);                               // pointer, halfway along
    EXPECT_EQ (image.getPixelAt (96, 5).getARGB(), fillGrey);                                // the top scale dot
    EXPECT_EQ (image.getPixelAt (97, 1).getARGB(), 0u);                                      // nothing above the dots

    // The knob: a radial gradient from 0x804c6187 at (111.15, 70.2) reaching 0x80324a76 at
    // (167.025, 167.025), on a disc of radius 69.525 round the centre.
    juce::Image knob (juce::Image::ARGB, 195, 195, true);
    {
        juce::Graphics g (knob);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0x804c6187), 111.15f, 70.2f,
                                                 juce::Colour (0x80324a76), 167.025f, 167.025f, true));
        g.fillEllipse (97.5f - 69.525f, 97.5f - 69.525f, 2.0f * 69.525f, 2.0f * 69.525f);
    }

    struct Pixel { int x, y; };

    for (const auto p : { Pixel { 111, 70 }, Pixel { 60, 135 }, Pixel { 97, 130 }, Pixel { 130, 97 }, Pixel { 70, 80 } })
    {
        SCOPED_TRACE (testing::Message() << p.x << ", " << p.y);
        EXPECT_EQ (image.getPixelAt (p.x, p.y), knob.getPixelAt (p.x, p.y));
        EXPECT_EQ (image.getPixelAt (p.x, p.y).getAlpha(), 0x80);
    }
}

TEST_F (DialWidget, PointerTakesTheTrackColourAndColoursAreReadAtEveryCall)
{
    dial.setColour (juce::Slider::trackColourId, juce::Colours::red);
    dial.setColour (juce::Slider::rotarySliderFillColourId, juce::Colours::lime);

    const auto image = renderFace (dial, 195, 0.5f);

    EXPECT_EQ (image.getPixelAt (97, 50), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (96, 5), juce::Colours::lime);
    EXPECT_EQ (pixelOnDial (image, { 97.5f, 97.5f }, 2.0f * pi - 0.3f, 74.644f), juce::Colours::lime);
}

TEST_F (DialWidget, ValueArcIsEmptyAtTheStartAndCoversTheSweepAtTheEnd)
{
    const juce::Point<float> centre (97.5f, 97.5f);

    struct Case { float sliderPos; juce::uint32 atStart, nearStart, middle, nearEnd; };

    for (const auto c : { Case { 0.0f, outlineGrey, outlineGrey, outlineGrey, outlineGrey },
                          Case { 1.0f, fillGrey, fillGrey, fillGrey, fillGrey } })
    {
        SCOPED_TRACE (c.sliderPos);
        const auto image = renderFace (dial, 195, c.sliderPos);

        // At sliderPos 0 not even a rounded cap shows at the start.
        EXPECT_EQ (pixelOnDial (image, centre, defaultStart, 74.644f).getARGB(), c.atStart);
        EXPECT_EQ (pixelOnDial (image, centre, defaultStart + 0.2f, 74.644f).getARGB(), c.nearStart);
        EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi, 74.644f).getARGB(), c.middle);
        EXPECT_EQ (pixelOnDial (image, centre, defaultEnd - 0.2f, 74.644f).getARGB(), c.nearEnd);
    }
}

TEST_F (DialWidget, DisabledDialHasAFlatKnobAndEverythingElseUnchanged)
{
    const auto enabled = renderFace (dial, 195, 0.5f);
    dial.setEnabled (false);
    const auto disabled = renderFace (dial, 195, 0.5f);

    EXPECT_EQ (disabled.getPixelAt (111, 70).getARGB(), outlineGrey);
    EXPECT_EQ (disabled.getPixelAt (60, 135).getARGB(), outlineGrey);

    // Dots, both arcs, ring and pointer are drawn as for an enabled dial.
    const juce::Point<float> centre (97.5f, 97.5f);
    struct Sample { float angle, radius; };

    for (const auto s : { Sample { 2.0f * pi - 0.3f, 74.644f }, Sample { 2.0f * pi + 0.3f, 74.644f },
                          Sample { 0.5f * pi, 66.0f }, Sample { 0.0f, 47.0f }, Sample { 0.0f, 91.0f } })
    {
        SCOPED_TRACE (s.radius);
        EXPECT_EQ (pixelOnDial (disabled, centre, s.angle, s.radius), pixelOnDial (enabled, centre, s.angle, s.radius));
        EXPECT_EQ (pixelOnDial (disabled, centre, s.angle, s.radius).getAlpha(), 0xff);
    }
}

TEST_F (DialWidget, PaintedDialShowsItsFaceAboveTheValueBoxWithTheLastWidth)
{
    dial.setValue (0.0);   // the middle of the range: the value points straight up
    const auto image = render (dial, true);
    const juce::Point<float> centre (97.5f, 97.5f);

    EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi - 0.3f, 74.644f).getARGB(), fillGrey);
    EXPECT_EQ (pixelOnDial (image, centre, 2.0f * pi + 0.3f, 74.644f).getARGB(), outlineGrey);
    EXPECT_EQ (image.getPixelAt (97, 50).getARGB(), fillGrey);

    auto& look = dynamic_cast<juce::FullDialLAF&> (dial.getLookAndFeel());
    EXPECT_FLOAT_EQ (look.lastSliderWidth, 195.0f);

    // The value text is drawn in the text-box colour inside the 96 x 32 box below the face.
    EXPECT_GT (countPixelsOfColour (image, fillGrey, { 49, 195, 96, 32 }), 20);
}

TEST_F (DialWidget, ComponentEffectIsTheSoftDropShadow)
{
    auto* effect = dynamic_cast<juce::DropShadowEffect*> (dial.getComponentEffect());
    ASSERT_NE (effect, nullptr);

    // The dial drawn with its effect equals the dial drawn plainly over a black shadow at alpha
    // 0x40, blurred with radius 24 and moved one pixel left and four down.
    orvane_gui::Dial plainDial { " dB", "Gain", -24.0, 24.0, 0.1, 2.0 };
    plainDial.setBounds (dial.getBounds());
    plainDial.setComponentEffect (nullptr);
    const auto plain = render (plainDial, true);

    juce::Image expected (juce::Image::ARGB, dial.getWidth(), dial.getHeight(), true);
    {
        juce::Graphics g (expected);
        juce::DropShadow (juce::Colour (0x40000000), 24, { -1, 4 }).drawForImage (g, plain);
        g.setOpacity (1.0f);
        g.drawImageAt (plain, 0, 0);
    }

    const auto actual = render (dial, true);
    EXPECT_EQ (countDifferentPixels (actual, expected), 0);
    // The shadow shows beside the face, where the dial itself draws nothing.
    EXPECT_GT (actual.getPixelAt (15, 101).getAlpha(), 0);
    EXPECT_EQ (plain.getPixelAt (15, 101).getAlpha(), 0);
}

TEST_F (DialWidget, ShadowSurvivesColourChangesByItsOwner)
{
    // The framework's slider re-applies its look's effect on every colour change.
    auto* const shadow = dial.getComponentEffect();
    dial.setColour (juce::Slider::thumbColourId, juce::Colour (0xff763232));
    dial.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xff808080));
    EXPECT_EQ (dial.getComponentEffect(), shadow);

    // Also under any of the faces it holds, and back under its own.
    for (juce::LookAndFeel* look : std::initializer_list<juce::LookAndFeel*> { &dial.getHardDialLAF(), &dial.getAlphaDialLAF(),
                                                                              &dial.getFullDialMirrowLAF(), &dial.getCustomAbleDialLAF(),
                                                                              &dial.getFullDialLAF() })
    {
        dial.setLookAndFeel (look);
        dial.setColour (juce::Slider::thumbColourId, juce::Colour (0xff324a76));
        EXPECT_EQ (dial.getComponentEffect(), shadow);
    }
}

//==============================================================================
// Configuration.

TEST_F (DialWidget, ConstructorConfiguresStyleRangeBoxAndLook)
{
    EXPECT_EQ (dial.getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ (dial.getTextBoxPosition(), juce::Slider::TextBoxBelow);
    EXPECT_EQ (dial.getTextBoxWidth(), 96);
    EXPECT_EQ (dial.getTextBoxHeight(), 32);
    EXPECT_TRUE (dial.isTextBoxEditable());

    EXPECT_DOUBLE_EQ (dial.getMinimum(), -24.0);
    EXPECT_DOUBLE_EQ (dial.getMaximum(), 24.0);
    EXPECT_DOUBLE_EQ (dial.getInterval(), 0.1);
    EXPECT_TRUE (dial.isDoubleClickReturnEnabled());
    EXPECT_DOUBLE_EQ (dial.getDoubleClickReturnValue(), 2.0);
    EXPECT_EQ (dial.getTextValueSuffix(), " dB");

    EXPECT_NE (dynamic_cast<juce::FullDialLAF*> (&dial.getLookAndFeel()), nullptr);
    EXPECT_EQ (dial.getName(), juce::String());

    // The dial leaves the framework's rotary range alone: 216 degrees to 144 degrees, stopping at the end.
    const auto rotary = dial.getRotaryParameters();
    EXPECT_FLOAT_EQ (rotary.startAngleRadians, 1.2f * pi);
    EXPECT_FLOAT_EQ (rotary.endAngleRadians, 2.8f * pi);
    EXPECT_TRUE (rotary.stopAtEnd);
}

TEST_F (DialWidget, ConstructorSetsTheSixColours)
{
    struct Case { int id; juce::uint32 argb; };

    for (const auto c : { Case { juce::Slider::rotarySliderFillColourId, fillGrey },
                          Case { juce::Slider::rotarySliderOutlineColourId, outlineGrey },
                          Case { juce::Slider::trackColourId, fillGrey },
                          Case { juce::Slider::textBoxOutlineColourId, 0x00000000 },
                          Case { juce::Slider::textBoxTextColourId, fillGrey },
                          Case { juce::Slider::thumbColourId, restingThumb } })
    {
        SCOPED_TRACE (juce::String::toHexString (c.id).toStdString());
        EXPECT_TRUE (dial.isColourSpecified (c.id));
        EXPECT_EQ (dial.findColour (c.id).getARGB(), c.argb);
    }

    EXPECT_FALSE (dial.isColourSpecified (juce::Slider::backgroundColourId));
}

TEST_F (DialWidget, ValueBoxSitsBelowTheFaceAndShowsTheSuffix)
{
    dial.setValue (3.0);

    auto* box = firstChildLabel (dial);
    ASSERT_NE (box, nullptr);
    EXPECT_EQ (box->getBounds(), juce::Rectangle<int> (49, 195, 96, 32));
    EXPECT_EQ (box->getText(), "3.0 dB");
    EXPECT_EQ (box->findColour (juce::Label::textColourId).getARGB(), fillGrey);
    EXPECT_EQ (box->findColour (juce::Label::outlineColourId).getARGB(), 0x00000000u);
}

TEST_F (DialWidget, PaintedValueBoxBecomesEditableOnASingleClick)
{
    auto* box = firstChildLabel (dial);
    ASSERT_NE (box, nullptr);

    // Painting makes the box open its editor on a single click (and not on a double click),
    // keeping typed text when it loses focus.
    box->setEditable (false, true, true);
    render (dial, true);
    EXPECT_TRUE (box->isEditableOnSingleClick());
    EXPECT_FALSE (box->isEditableOnDoubleClick());
    EXPECT_FALSE (box->doesLossOfFocusDiscardChanges());

    // A disabled dial's box is made editable too, but being disabled it takes no clicks.
    dial.setEnabled (false);
    EXPECT_FALSE (box->isEditableOnSingleClick());
    render (dial, true);
    EXPECT_TRUE (box->isEditableOnSingleClick());
    EXPECT_FALSE (box->isEnabled());
}

//==============================================================================
// Mouse.

TEST_F (DialWidget, HoverLightensTheThumbAndLeavingRestoresIt)
{
    const auto event = mouseEvent (dial, { 97.0f, 97.0f }, {}, 0);
    auto* const shadow = dial.getComponentEffect();
    ASSERT_NE (shadow, nullptr);

    dial.mouseEnter (event);
    EXPECT_EQ (dial.findColour (juce::Slider::thumbColourId).getARGB(), 0xff375182u);
    EXPECT_EQ (dial.getComponentEffect(), shadow);

    dial.mouseExit (event);
    EXPECT_EQ (dial.findColour (juce::Slider::thumbColourId).getARGB(), restingThumb);

    // Each step starts from the colour stored at that moment.
    dial.mouseEnter (event);
    dial.mouseEnter (event);
    EXPECT_EQ (dial.findColour (juce::Slider::thumbColourId),
               juce::Colour (0xff375182).withMultipliedLightness (1.1f));

    // Leaving scales lightness by 0.909 exactly, not by 1 / 1.1: for this thumb the two differ.
    dial.setColour (juce::Slider::thumbColourId, juce::Colour (0xff8ba0b2));
    dial.mouseExit (event);
    EXPECT_EQ (dial.findColour (juce::Slider::thumbColourId).getARGB(), 0xff7a92a6u);

    // The value box keeps the text-box colours when the thumb changes.
    auto* box = firstChildLabel (dial);
    ASSERT_NE (box, nullptr);
    EXPECT_EQ (box->findColour (juce::Label::textColourId).getARGB(), fillGrey);
}

TEST (DialReset, DoubleClickAndAltClickReturnToTheDefault)
{
    enum class Gesture { doubleClick, altClick, plainClick };
    struct Case { bool bound; Gesture gesture; double expected; };

    for (const auto c : { Case { false, Gesture::doubleClick, 2.0 }, Case { false, Gesture::altClick, 2.0 },
                          Case { false, Gesture::plainClick, 10.0 },
                          Case { true, Gesture::doubleClick, 3.0 }, Case { true, Gesture::altClick, 3.0 },
                          Case { true, Gesture::plainClick, 10.0 } })
    {
        SCOPED_TRACE (testing::Message() << "bound " << c.bound << ", gesture " << (int) c.gesture);

        guitest::OneParameterProcessor processor { juce::NormalisableRange<float> (-12.0f, 12.0f, 0.1f), 3.0f };
        orvane_gui::Dial dial { " dB", "Gain", -24.0, 24.0, 0.1, 2.0 };
        dial.setBounds (0, 0, 195, 227);

        std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

        if (c.bound)
            attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (processor.state, "gain", dial);

        dial.setValue (10.0, juce::sendNotificationSync);
        ASSERT_DOUBLE_EQ (dial.getValue(), 10.0);

        const auto mods = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier
                                              | (c.gesture == Gesture::altClick ? juce::ModifierKeys::altModifier : 0));
        const auto event = mouseEvent (dial, { 97.0f, 97.0f }, mods, c.gesture == Gesture::doubleClick ? 2 : 1);

        if (c.gesture == Gesture::doubleClick)
        {
            dial.mouseDoubleClick (event);
        }
        else
        {
            dial.mouseDown (event);
            dial.mouseUp (event);
        }

        EXPECT_NEAR (dial.getValue(), c.expected, 1.0e-5);

        if (c.bound)
        {
            EXPECT_NEAR (processor.state.getRawParameterValue ("gain")->load(), c.expected, 1.0e-5);
            EXPECT_DOUBLE_EQ (dial.getMinimum(), -12.0);
            EXPECT_DOUBLE_EQ (dial.getMaximum(), 12.0);
            EXPECT_TRUE (dial.getTextFromValue (dial.getValue()).endsWith (" dB"));
        }
    }
}
