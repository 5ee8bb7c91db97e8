#include <orvane_modules/orvane_modules.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
using guitest::firstChildLabel;
using guitest::mouseEvent;
using guitest::render;
using guitest::runMessageLoop;

juce::FaderLAF& lookOf (orvane_gui::Fader& fader)
{
    return dynamic_cast<juce::FaderLAF&> (fader.getLookAndFeel());
}

struct SliderEvents : juce::Slider::Listener
{
    void sliderValueChanged (juce::Slider*) override   { ++valueChanges; }
    void sliderDragStarted (juce::Slider*) override    { ++dragStarts; }
    void sliderDragEnded (juce::Slider*) override      { ++dragEnds; }

    int valueChanges = 0, dragStarts = 0, dragEnds = 0;
};

struct GestureEvents : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float) override {}
    void parameterGestureChanged (int, bool starting) override   { (starting ? begins : ends)++; }

    int begins = 0, ends = 0;
};

const auto restingThumb = juce::Colour (0xff324a76);
} // namespace

//==============================================================================
TEST (FaderTest, ConfiguresSliderValueBoxRangeAndColours)
{
    orvane_gui::Fader fader (" dB", "unused", -12.0, 12.0, 0.5, 3.0);

    EXPECT_EQ (fader.getSliderStyle(), juce::Slider::LinearVertical);
    EXPECT_EQ (fader.getTextBoxPosition(), juce::Slider::TextBoxBelow);
    EXPECT_FALSE (fader.isTextBoxEditable());
    EXPECT_EQ (fader.getTextBoxWidth(), 72);
    EXPECT_EQ (fader.getTextBoxHeight(), 32);
    EXPECT_EQ (fader.getMinimum(), -12.0);
    EXPECT_EQ (fader.getMaximum(), 12.0);
    EXPECT_EQ (fader.getInterval(), 0.5);
    EXPECT_TRUE (fader.isDoubleClickReturnEnabled());
    EXPECT_EQ (fader.getDoubleClickReturnValue(), 3.0);
    EXPECT_EQ (fader.getTextValueSuffix(), " dB");
    EXPECT_EQ (fader.getValue(), 0.0); // the constructor sets no value
    EXPECT_NE (dynamic_cast<juce::DropShadowEffect*> (fader.getComponentEffect()), nullptr);

    const std::pair<int, juce::uint32> colours[] = {
        { juce::Slider::backgroundColourId,     0xff000000 },
        { juce::Slider::trackColourId,          0x00000000 },
        { juce::Slider::textBoxOutlineColourId, 0x00000000 },
        { juce::Slider::textBoxTextColourId,    0x5cf5f5f5 },
        { juce::Slider::thumbColourId,          0xff324a76 },
    };

    for (const auto& [id, argb] : colours)
    {
        EXPECT_TRUE (fader.isColourSpecified (id)) << std::hex << id;
        EXPECT_EQ (fader.findColour (id).getARGB(), argb) << std::hex << id;
    }

    auto* valueBox = firstChildLabel (fader);
    ASSERT_NE (valueBox, nullptr);
    EXPECT_EQ (valueBox->findColour (juce::Label::textColourId).getARGB(), 0x5cf5f5f5u);
}

TEST (FaderLAFTest, TicksStandAtEvenValuesFromTheTruncatedStartUpToTwelve)
{
    const auto evens = [] (int from, int to)
    {
        juce::Array<int> values;
        for (auto v = from; v <= to; v += 2)
            values.add (v);
        return values;
    };

    struct Case { double start, end; juce::Array<int> expected; };
    const Case cases[] = {
        { -12.0,   12.0,    evens (-12, 12) },
        { 0.0,     20.0,    evens (0, 12) },
        { -24.0,   24.0,    evens (-24, 12) },
        { 20.0,    1000.0,  {} },
        { 1000.0,  20000.0, {} },
        { -12.0,   11.5,    evens (-12, 12) }, // 12 < 11.5 + 1
        { -12.0,   10.9,    evens (-12, 10) }, // 12 is not below 11.9
        { -12.5,   12.0,    evens (-12, 12) },
        { -13.5,   12.0,    evens (-12, 12) }, // truncated to -13, not floored to -14
        { 11.0,    11.0,    {} },              // 12 is not below 11 + 1
        { 11.0,    11.5,    { 12 } },
        { 1.0e12,  2.0e12,  {} },              // starts no int can hold mark nothing
        { -1.0e12, 12.0,    {} },
    };

    for (const auto& c : cases)
        EXPECT_EQ (juce::FaderLAF::tickValues (c.start, c.end), c.expected) << c.start << " .. " << c.end;

    EXPECT_EQ (juce::FaderLAF::tickValues (-12.0, 12.0).size(), 13);
    EXPECT_EQ (juce::FaderLAF::tickValues (0.0, 20.0).size(), 7);
    EXPECT_EQ (juce::FaderLAF::tickValues (-24.0, 24.0).size(), 19);
}

TEST (FaderLAFTest, FortyPixelGeometry)
{
    const auto ticks = juce::FaderLAF::tickMarks (0, 40);
    EXPECT_EQ (ticks.left, 14.0f);
    EXPECT_EQ (ticks.right, 26.4f);
    EXPECT_EQ (ticks.thickness, 0.2f);

    const auto shifted = juce::FaderLAF::tickMarks (3, 40);
    EXPECT_EQ (shifted.left, 17.0f);
    EXPECT_EQ (shifted.right, 29.4f);

    EXPECT_EQ (juce::FaderLAF::trackWidth (false, 40, 176), 4.0f);
    EXPECT_EQ (juce::FaderLAF::trackWidth (true, 176, 40), 10.0f);

    const auto vertical = juce::FaderLAF::track (false, 0, 12, 40, 176);
    EXPECT_EQ (vertical.getStart(), juce::Point<float> (20.0f, 188.0f));
    EXPECT_EQ (vertical.getEnd(), juce::Point<float> (20.0f, 12.0f));

    const auto horizontal = juce::FaderLAF::track (true, 12, 0, 176, 40);
    EXPECT_EQ (horizontal.getStart(), juce::Point<float> (12.0f, 20.0f));
    EXPECT_EQ (horizontal.getEnd(), juce::Point<float> (188.0f, 20.0f));

    EXPECT_EQ (juce::FaderLAF::valuePoint (false, 0, 12, 40, 176, 100.5f), juce::Point<float> (20.0f, 100.5f));
    EXPECT_EQ (juce::FaderLAF::valuePoint (true, 12, 0, 176, 40, 100.5f), juce::Point<float> (100.5f, 20.0f));

    // The thumb is sized from the width in either orientation.
    EXPECT_EQ (juce::FaderLAF::thumbBounds ({ 20.0f, 100.0f }, 40), juce::Rectangle<float> (5.0f, 95.0f, 30.0f, 10.0f));
    EXPECT_EQ (juce::FaderLAF::thumbCornerSize, 6.0f);

    const auto gradient = juce::FaderLAF::thumbGradient (restingThumb, 40);
    EXPECT_FALSE (gradient.isRadial);
    EXPECT_EQ (gradient.point1, juce::Point<float> (7.5f, 0.0f));
    EXPECT_EQ (gradient.point2, juce::Point<float> (22.5f, 0.0f));
    EXPECT_EQ (gradient.getNumColours(), 2);
    EXPECT_EQ (gradient.getColour (0).getARGB(), 0xff3b527cu);
    EXPECT_EQ (gradient.getColour (1).getARGB(), 0xff324a76u);
}

TEST (FaderLAFTest, ValueBoxFontFollowsTheWidthOfTheLastSliderDrawn)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.1, 0.0);
    fader.setSize (40, 232);
    render (fader);

    auto& look = lookOf (fader);
    EXPECT_EQ (look.lastSliderWidth, 40.0f);
    EXPECT_EQ (look.lastSliderHeight, 176.0f); // 232 less the 32-pixel box and the 12-pixel thumb inset at both ends
    EXPECT_EQ (look.fontName, "Helvetica");

    const auto font = look.getValueBoxFont();
    EXPECT_EQ (font.getHeight(), 6.0f);
    EXPECT_TRUE (font.isBold());
    EXPECT_EQ (font.getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));

    fader.setSize (200, 232);
    render (fader);
    EXPECT_EQ (look.getValueBoxFont().getHeight(), 30.0f);
}

TEST (FaderLAFTest, DrawsBlackTicksAndTrackAndAGradientThumbWithAShadow)
{
    // 400 wide: ticks 2 thick from x 140 to 264, background track 50 wide around x 200,
    // thumb 300 x 100. The slider area is 360 high from y 12, so the even values sit 30 apart.
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.5, 0.0);
    fader.setSize (400, 416);
    ASSERT_EQ (fader.getPositionOfValue (-12.0), 372.0);
    ASSERT_EQ (fader.getPositionOfValue (0.0), 192.0);

    const auto image = render (fader);

    for (auto value : { -12, -10, -8, 8, 10, 12 })
    {
        const auto p = (int) fader.getPositionOfValue (value);
        EXPECT_EQ (image.getPixelAt (150, p - 1).getARGB(), 0xff000000u) << value;
        EXPECT_EQ (image.getPixelAt (150, p).getARGB(), 0xff000000u) << value;
    }

    // Odd values draw nothing: -11 lies halfway between two ticks, out of the shadow's reach.
    EXPECT_EQ (image.getPixelAt (150, (int) fader.getPositionOfValue (-11.0)).getAlpha(), 0);
    // Ticks end at 264.4; the thumb starts at x 50, so a tick's far end shows above it.
    EXPECT_EQ (image.getPixelAt (262, 371).getARGB(), 0xff000000u);
    EXPECT_EQ (image.getPixelAt (275, 357).getAlpha(), 0);

    // Background track, between two ticks.
    EXPECT_EQ (image.getPixelAt (176, 357).getARGB(), 0xff000000u);
    EXPECT_EQ (image.getPixelAt (223, 357).getARGB(), 0xff000000u);

    // Thumb centred on (200, 192): light colour left of the gradient start (x 75), thumb colour
    // right of its end (x 225).
    EXPECT_EQ (image.getPixelAt (60, 192).getARGB(), 0xff3b527cu);
    EXPECT_EQ (image.getPixelAt (300, 192).getARGB(), 0xff324a76u);
    EXPECT_EQ (image.getPixelAt (300, 143).getARGB(), 0xff324a76u);
    EXPECT_EQ (image.getPixelAt (300, 241).getARGB(), 0xff324a76u);

    // The black drop shadow just below the thumb's bottom edge (y 242).
    const auto shadow = image.getPixelAt (100, 243);
    EXPECT_GT (shadow.getAlpha(), 0);
    EXPECT_LT (shadow.getAlpha(), 255);
    EXPECT_EQ (shadow.withAlpha ((juce::uint8) 0xff).getARGB(), 0xff000000u);
}

TEST (FaderTest, ShadowIsABlackFourPixelGlowAroundTheFader)
{
    orvane_gui::Fader fader (" dB", {}, -12.0, 12.0, 0.5, 0.0);
    fader.setBounds (0, 0, 60, 300);
    fader.setValue (4.0);

    orvane_gui::Fader plainFader (" dB", {}, -12.0, 12.0, 0.5, 0.0);
    plainFader.setBounds (fader.getBounds());
    plainFader.setValue (4.0);
    plainFader.setComponentEffect (nullptr);
    const auto plain = render (plainFader);

    // The fader with its effect equals the plain fader over a black shadow of radius 4, unmoved.
    juce::Image expected (juce::Image::ARGB, fader.getWidth(), fader.getHeight(), true);
    {
        juce::Graphics g (expected);
        juce::DropShadow (juce::Colour (0xff000000), 4, {}).drawForImage (g, plain);
        g.setOpacity (1.0f);
        g.drawImageAt (plain, 0, 0);
    }

    EXPECT_EQ (guitest::countDifferentPixels (render (fader), expected), 0);
}

TEST (FaderLAFTest, ValueTrackRunsFromTheTrackStartToTheThumb)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.5, 0.0);
    fader.setSize (400, 416);
    fader.setColour (juce::Slider::trackColourId, juce::Colours::red);

    const auto image = render (fader);

    EXPECT_EQ (image.getPixelAt (200, 300).getARGB(), 0xffff0000u); // below the thumb at 192
    EXPECT_EQ (image.getPixelAt (181, 300).getARGB(), 0xffff0000u); // 40 wide
    EXPECT_EQ (image.getPixelAt (200, 100).getARGB(), 0xff000000u); // above it only the background track
}

TEST (FaderLAFTest, TickAboveTheRangeEndIsDrawnAtTheTopOfTheTrack)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 11.5, 0.5, 0.0);
    fader.setSize (400, 416);

    const auto image = render (fader);

    EXPECT_EQ (image.getPixelAt (150, 11).getARGB(), 0xff000000u);
    EXPECT_EQ (image.getPixelAt (150, 12).getARGB(), 0xff000000u);
}

TEST (FaderLAFTest, NoTicksAboveTwelve)
{
    orvane_gui::Fader fader ({}, {}, 0.0, 24.0, 0.5, 0.0);
    fader.setSize (400, 416);

    const auto image = render (fader);

    EXPECT_EQ (image.getPixelAt (150, (int) fader.getPositionOfValue (12.0)).getARGB(), 0xff000000u);

    for (auto value : { 14.0, 16.0, 20.0, 24.0 })
        EXPECT_EQ (image.getPixelAt (150, (int) fader.getPositionOfValue (value)).getAlpha(), 0) << value;
}

//==============================================================================
TEST (FaderTest, HoverScalesTheStoredThumbBrightness)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.5, 0.0);
    fader.setSize (400, 416);
    const auto event = mouseEvent (fader, { 200.0f, 192.0f }, {});

    fader.mouseEnter (event);
    const auto hovered = fader.findColour (juce::Slider::thumbColourId);
    EXPECT_EQ (hovered.getARGB(), 0xff3e5c94u);

    auto image = render (fader);
    EXPECT_EQ (image.getPixelAt (60, 192).getARGB(), 0xff476399u);  // hovered colour brightened by 0.05
    EXPECT_EQ (image.getPixelAt (300, 192).getARGB(), 0xff3e5c94u);

    // The shadow stays although the slider reinstalls its effect on every colour change.
    EXPECT_NE (dynamic_cast<juce::DropShadowEffect*> (fader.getComponentEffect()), nullptr);
    EXPECT_GT (image.getPixelAt (100, 243).getAlpha(), 0);

    fader.mouseExit (event);
    EXPECT_EQ (fader.findColour (juce::Slider::thumbColourId).getARGB(), 0xff324a76u);
    EXPECT_NE (dynamic_cast<juce::DropShadowEffect*> (fader.getComponentEffect()), nullptr);

    // Each step scales the colour stored at that moment; nothing remembers the resting one.

    fader.setColour (juce::Slider::thumbColourId, juce::Colour (0xff808080));
    fader.mouseEnter (event);
    fader.mouseEnter (event);
    EXPECT_EQ (fader.findColour (juce::Slider::thumbColourId).getARGB(), 0xffc8c8c8u);
    fader.mouseEnter (event);
    EXPECT_EQ (fader.findColour (juce::Slider::thumbColourId).getARGB(), 0xfffafafau);
    fader.mouseEnter (event);
    EXPECT_EQ (fader.findColour (juce::Slider::thumbColourId).getARGB(), 0xffffffffu); // brightness stops at 1
}

TEST (FaderTest, RightButtonPressAndReleaseAreIgnored)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.5, 0.0);
    fader.setSize (40, 232);
    SliderEvents events;
    fader.addListener (&events);

    const auto right = juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier);
    fader.mouseDown (mouseEvent (fader, { 20.0f, 20.0f }, right));
    fader.mouseUp (mouseEvent (fader, { 20.0f, 20.0f }, right));
    runMessageLoop (50);

    EXPECT_EQ (fader.getValue(), 0.0);
    EXPECT_EQ (events.valueChanges, 0);
    EXPECT_EQ (events.dragStarts, 0);
    EXPECT_EQ (events.dragEnds, 0);

    // The same press with the left button reaches the slider and moves it.
    const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
    fader.mouseDown (mouseEvent (fader, { 20.0f, 20.0f }, left));
    fader.mouseUp (mouseEvent (fader, { 20.0f, 20.0f }, left));

    EXPECT_GT (fader.getValue(), 10.0);
    EXPECT_EQ (events.valueChanges, 1);
    EXPECT_EQ (events.dragStarts, 1);
    EXPECT_EQ (events.dragEnds, 1);

    fader.removeListener (&events);
}

TEST (FaderTest, DoubleClickSetsTheConstructorDefaultAsynchronouslyWithoutGesture)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.5, 3.0);
    fader.setValue (-6.0, juce::dontSendNotification);
    SliderEvents events;
    fader.addListener (&events);

    fader.mouseDoubleClick (mouseEvent (fader, {}, {}));

    EXPECT_EQ (fader.getValue(), 3.0);
    EXPECT_EQ (events.valueChanges, 0); // not yet: listeners hear of it asynchronously

    runMessageLoop (50);
    EXPECT_EQ (events.valueChanges, 1);
    EXPECT_EQ (events.dragStarts, 0);
    EXPECT_EQ (events.dragEnds, 0);

    // At the default already, a double-click changes nothing and tells nobody.
    fader.mouseDoubleClick (mouseEvent (fader, {}, {}));
    runMessageLoop (50);
    EXPECT_EQ (fader.getValue(), 3.0);
    EXPECT_EQ (events.valueChanges, 1);

    // No enabled check of its own.
    fader.setValue (-6.0, juce::dontSendNotification);
    fader.setEnabled (false);
    fader.mouseDoubleClick (mouseEvent (fader, {}, {}));
    EXPECT_EQ (fader.getValue(), 3.0);
    runMessageLoop (50);

    fader.removeListener (&events);
}

TEST (FaderTest, BoundFaderDoubleClickGoesToConstructorDefaultAndAltClickToParameterDefault)
{
    guitest::OneParameterProcessor processor { juce::NormalisableRange<float> (-12.0f, 12.0f, 0.5f), 0.0f };
    auto* parameter = processor.state.getParameter ("gain");
    ASSERT_NE (parameter, nullptr);
    GestureEvents gestures;
    parameter->addListener (&gestures);

    {
        orvane_gui::Fader fader (" dB", "gain", -12.0, 12.0, 0.5, 3.0);
        fader.setSize (40, 232);
        juce::AudioProcessorValueTreeState::SliderAttachment attachment (processor.state, "gain", fader);
        EXPECT_EQ (fader.getDoubleClickReturnValue(), 0.0); // replaced by the parameter's default

        const auto gain = [&] { return (double) processor.state.getRawParameterValue ("gain")->load(); };

        fader.mouseDoubleClick (mouseEvent (fader, {}, {}));
        EXPECT_EQ (fader.getValue(), 3.0);
        EXPECT_EQ (gain(), 0.0);
        runMessageLoop (50);
        EXPECT_EQ (gain(), 3.0);
        EXPECT_EQ (gestures.begins, 0);
        EXPECT_EQ (gestures.ends, 0);

        // Alt-click: the slider's own reset to the binding's value, inside a gesture.
        const auto altClick = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::altModifier);
        fader.mouseDown (mouseEvent (fader, { 20.0f, 20.0f }, altClick));
        fader.mouseUp (mouseEvent (fader, { 20.0f, 20.0f }, altClick));
        EXPECT_EQ (fader.getValue(), 0.0);
        EXPECT_EQ (gain(), 0.0);
        EXPECT_EQ (gestures.begins, 1);
        EXPECT_EQ (gestures.ends, 1);
    }

    parameter->removeListener (&gestures);
}

TEST (FaderTest, ValueBoxIsReadOnlyUntilPaintedThenEditsOnASingleClick)
{
    orvane_gui::Fader fader ({}, {}, -12.0, 12.0, 0.5, 0.0);
    fader.setSize (40, 232);

    auto* valueBox = firstChildLabel (fader);
    ASSERT_NE (valueBox, nullptr);
    EXPECT_EQ (valueBox->getBounds(), juce::Rectangle<int> (0, 200, 40, 32));
    EXPECT_FALSE (valueBox->isEditable());

    render (fader);

    EXPECT_TRUE (valueBox->isEditableOnSingleClick());
    EXPECT_FALSE (valueBox->isEditableOnDoubleClick());
    EXPECT_FALSE (valueBox->doesLossOfFocusDiscardChanges());

    // A disabled fader's box is made editable too, but a disabled label opens no editor.
    fader.setEnabled (false);
    render (fader);
    EXPECT_TRUE (valueBox->isEditableOnSingleClick());
}
