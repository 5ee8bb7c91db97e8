#include "editor/TubeEQComponent.h"

#include <gtest/gtest.h>

#include "../ProcessorHarness.h"
#include "EditorTestSupport.h"

#include <array>
#include <thread>

namespace
{
using DialMember = orvane_gui::Dial TubeEQComponent::*;

// The panel on a fresh processor; the processor outlives the panel.
struct TubePanel : public ::testing::Test
{
    orvane_gui::Dial& dial (DialMember member) { return panel.*member; }

    /** The caption attached to a dial. */
    juce::Label* captionOf (juce::Component& control) { return editortest::captionOf (panel, control); }

    ProcessorHarness harness;
    TubeEQComponent panel { *harness.processor };
};

// The seven dials in declaration order with the parameter each is bound to.
struct Binding
{
    DialMember dial;
    const char* name;
    const char* id;
};

const std::array<Binding, 7> bindings { {
    { &TubeEQComponent::lowBoostDial, "lowBoostDial", "tube eq band 1 gain" },
    { &TubeEQComponent::lowCutDial, "lowCutDial", "tube eq band 2 gain" },
    { &TubeEQComponent::lowFreqDial, "lowFreqDial", "tube eq band 1 freq" },
    { &TubeEQComponent::bandWidthDial, "bandWidthDial", "tube eq BW" },
    { &TubeEQComponent::highBoostDial, "highBoostDial", "tube eq band 3 gain" },
    { &TubeEQComponent::highCutDial, "highCutDial", "tube eq band 4 gain" },
    { &TubeEQComponent::highFreqDial, "highFreqDial", "tube eq band 2 freq" },
} };

// Parameter defaults, in the order of `bindings`.
constexpr std::array<double, 7> defaults { 0.0, 0.0, 100.0, 0.0, 0.0, 0.0, 5000.0 };
} // namespace

//==============================================================================
// Building.

TEST_F (TubePanel, EachDialIsFollowedByItsCentredCaptionAndNothingIsPlacedYet)
{
    const std::array<const char*, 7> captions { "Low Boost", "Low Cut", "Low Freq", "BW", "High Boost", "High Cut", "High Freq" };
    const orvane_gui::Label freshLabel { true, "" };

    ASSERT_EQ (panel.getNumChildComponents(), 14);
    EXPECT_TRUE (panel.getBounds().isEmpty());

    for (size_t i = 0; i < bindings.size(); ++i)
    {
        SCOPED_TRACE (bindings[i].name);
        auto& d = dial (bindings[i].dial);

        EXPECT_EQ (panel.getChildComponent ((int) (2 * i)), &d);
        auto* caption = dynamic_cast<orvane_gui::Label*> (panel.getChildComponent ((int) (2 * i + 1)));
        ASSERT_NE (caption, nullptr);

        EXPECT_EQ (caption->getText(), captions[i]);
        EXPECT_EQ (caption->getAttachedComponent(), &d);
        EXPECT_FALSE (caption->isAttachedOnLeft());
        EXPECT_EQ (caption->getJustificationType(), juce::Justification (juce::Justification::centred));
        EXPECT_TRUE (d.isVisible());
        EXPECT_TRUE (caption->isVisible());

        // Construction sets no position, size or font: resized() does.
        EXPECT_TRUE (d.getBounds().isEmpty());
        EXPECT_EQ (caption->getFont(), freshLabel.getFont());
    }
}

//==============================================================================
// Layout.

TEST_F (TubePanel, LayoutFollowsTheHeightAloneWithCaptionsRidingAboveTheDials)
{
    using R = juce::Rectangle<int>;

    // Bounds in the order of `bindings`: low boost, low cut, low freq, bandwidth, high boost,
    // high cut, high freq.
    const std::array<R, 7> at327 { R (0, 36, 124, 124), R (130, 36, 124, 124), R (80, 184, 105, 105), R (216, 184, 105, 105),
                                   R (260, 36, 124, 124), R (390, 36, 124, 124), R (340, 184, 105, 105) };
    const std::array<R, 7> at336 { R (0, 36, 127, 127), R (133, 36, 127, 127), R (81, 188, 108, 108), R (221, 188, 108, 108),
                                   R (266, 36, 127, 127), R (399, 36, 127, 127), R (347, 188, 108, 108) };

    struct Case
    {
        int width, height;
        const std::array<R, 7>& bounds;
        float captionHeight;   // 0.38 h x 0.08f: 10.214399 at 336, where 0.08 in double would give 10.2144
    };

    for (const auto& c : { Case { 514, 327, at327, 9.9408f }, Case { 528, 336, at336, 10.214399f },
                           Case { 300, 327, at327, 9.9408f }, Case { 1000, 327, at327, 9.9408f },
                           Case { 514, 336, at336, 10.214399f } })
    {
        SCOPED_TRACE (testing::Message() << c.width << " x " << c.height);
        panel.setSize (c.width, c.height);

        for (size_t i = 0; i < bindings.size(); ++i)
        {
            SCOPED_TRACE (bindings[i].name);
            auto& d = dial (bindings[i].dial);
            EXPECT_EQ (d.getBounds(), c.bounds[i]);
            editortest::expectCaptionAbove (panel, d, c.captionHeight);
        }
    }

    // At 514 x 327 the high cut dial ends exactly at the panel's right edge.
    panel.setSize (514, 327);
    EXPECT_EQ (panel.highCutDial.getRight(), 514);
}

//==============================================================================
// Binding.

TEST_F (TubePanel, EachDialTakesItsParametersRangeDefaultAndText)
{
    struct Case { double minimum, maximum; const char* text; };

    // In the order of `bindings`. The low frequency dial's range now starts at 20, below its
    // constructor's 30; every box shows the parameter's text followed by the dial's suffix.
    const std::array<Case, 7> cases { { { 0.0, 10.0, "0.00 dB" }, { 0.0, 10.0, "0.00 dB" }, { 20.0, 300.0, "100.00 Hz" },
                                        { 0.0, 10.0, "0.00 BW" }, { 0.0, 10.0, "0.00 dB" }, { 0.0, 10.0, "0.00 dB" },
                                        { 1000.0, 16000.0, "5000.00 Hz" } } };

    for (size_t i = 0; i < bindings.size(); ++i)
    {
        SCOPED_TRACE (bindings[i].name);
        auto& d = dial (bindings[i].dial);

        EXPECT_DOUBLE_EQ (d.getMinimum(), cases[i].minimum);
        EXPECT_DOUBLE_EQ (d.getMaximum(), cases[i].maximum);
        EXPECT_DOUBLE_EQ (d.getValue(), defaults[i]);

        auto* box = guitest::firstChildLabel (d);
        ASSERT_NE (box, nullptr);
        EXPECT_EQ (box->getText(), cases[i].text);
    }
}

TEST_F (TubePanel, MovingOneDialChangesOnlyItsParameter)
{
    const std::array<double, 7> moves { 3.5, 4.25, 150.0, 7.5, 2.5, 6.0, 8000.0 };
    auto expected = defaults;

    for (size_t moved = 0; moved < bindings.size(); ++moved)
    {
        SCOPED_TRACE (bindings[moved].name);
        dial (bindings[moved].dial).setValue (moves[moved], juce::sendNotificationSync);
        expected[moved] = moves[moved];

        for (size_t i = 0; i < bindings.size(); ++i)
            EXPECT_NEAR (harness.get (bindings[i].id), expected[i], 1.0e-3) << bindings[i].id;
    }
}

TEST_F (TubePanel, AutomationFromAnotherThreadMovesOnlyItsDialOnTheMessageThread)
{
    struct Move { double value; const char* text; };

    const std::array<Move, 7> moves { { { 6.5, "6.50 dB" }, { 1.25, "1.25 dB" }, { 40.0, "40.00 Hz" }, { 7.25, "7.25 BW" },
                                        { 9.0, "9.00 dB" }, { 3.75, "3.75 dB" }, { 12000.0, "12000.00 Hz" } } };
    auto expected = defaults;

    for (size_t moved = 0; moved < bindings.size(); ++moved)
    {
        SCOPED_TRACE (bindings[moved].name);
        auto& d = dial (bindings[moved].dial);

        std::thread host ([&] { harness.set (bindings[moved].id, (float) moves[moved].value); });
        host.join();

        // The attachment hands the change to the message thread; until it runs, the dial waits.
        EXPECT_NEAR (d.getValue(), expected[moved], 1.0e-3);

        guitest::runMessageLoop (30);
        expected[moved] = moves[moved].value;

        for (size_t i = 0; i < bindings.size(); ++i)
            EXPECT_NEAR (dial (bindings[i].dial).getValue(), expected[i], 1.0e-3) << bindings[i].name;

        auto* box = guitest::firstChildLabel (d);
        ASSERT_NE (box, nullptr);
        EXPECT_EQ (box->getText(), moves[moved].text);
    }
}

TEST_F (TubePanel, DoubleClickReturnsAFrequencyDialToItsParameterDefault)
{
    // Neither is its constructor's default: 30 for the low frequency, 0 (outside the range) for
    // the high frequency.
    struct Case { DialMember dial; const char* id; double moved, reset; };

    for (const auto c : { Case { &TubeEQComponent::lowFreqDial, "tube eq band 1 freq", 250.0, 100.0 },
                          Case { &TubeEQComponent::highFreqDial, "tube eq band 2 freq", 12000.0, 5000.0 } })
    {
        SCOPED_TRACE (c.id);
        panel.setSize (514, 327);
        auto& d = dial (c.dial);

        d.setValue (c.moved, juce::sendNotificationSync);
        ASSERT_NEAR (harness.get (c.id), c.moved, 1.0e-3);

        d.mouseDoubleClick (guitest::mouseEvent (d, d.getLocalBounds().getCentre().toFloat(),
                                                 juce::ModifierKeys::leftButtonModifier, 2));

        EXPECT_NEAR (d.getValue(), c.reset, 1.0e-3);
        EXPECT_NEAR (harness.get (c.id), c.reset, 1.0e-3);
    }
}

//==============================================================================
// Colours and drawing.

TEST (TubePanelColours, KnobAndPointerColoursDeriveFromTheNamedColours)
{
    EXPECT_EQ (juce::Colours::palevioletred.getARGB(), 0xffdb7093u);
    EXPECT_EQ (juce::Colours::palevioletred.darker (1.0f).darker (0.3f).getARGB(), 0xff532b38u);

    EXPECT_EQ (juce::Colours::orange.getARGB(), 0xffffa500u);
    EXPECT_EQ (juce::Colours::orange.darker (0.5f).getARGB(), 0xffaa6e00u);

    EXPECT_EQ (juce::Colours::black.brighter (0.1f).withAlpha ((juce::uint8) 0xcc).getARGB(), 0xcc171717u);
}

namespace
{
// A dial's own colours, and the ones the panel gives three of its dials.
struct DialColours
{
    DialMember dial;
    const char* name;
    juce::uint32 thumb, track;   // 0 keeps the dial's own
};

const std::array<DialColours, 7> panelColours { {
    { &TubeEQComponent::lowBoostDial, "lowBoostDial", 0, 0 },
    { &TubeEQComponent::lowCutDial, "lowCutDial", 0, 0 },
    { &TubeEQComponent::lowFreqDial, "lowFreqDial", 0xff532b38, 0 },
    { &TubeEQComponent::bandWidthDial, "bandWidthDial", 0xffaa6e00, 0xcc171717 },
    { &TubeEQComponent::highBoostDial, "highBoostDial", 0, 0 },
    { &TubeEQComponent::highCutDial, "highCutDial", 0, 0 },
    { &TubeEQComponent::highFreqDial, "highFreqDial", 0xff532b38, 0 },
} };
} // namespace

TEST_F (TubePanel, FrequencyDialsAndBandwidthDialTakeTheirColoursTheOthersKeepTheDials)
{
    const orvane_gui::Dial plainDial { " dB", "Plain", 0, 10, 0.1, 0 };

    for (const auto& c : panelColours)
    {
        SCOPED_TRACE (c.name);
        auto& d = dial (c.dial);

        for (const auto id : { juce::Slider::rotarySliderFillColourId, juce::Slider::rotarySliderOutlineColourId,
                               juce::Slider::trackColourId, juce::Slider::textBoxOutlineColourId,
                               juce::Slider::textBoxTextColourId, juce::Slider::thumbColourId })
        {
            SCOPED_TRACE (juce::String::toHexString (id).toStdString());
            auto expected = plainDial.findColour (id).getARGB();

            if (id == juce::Slider::thumbColourId && c.thumb != 0)
                expected = c.thumb;

            if (id == juce::Slider::trackColourId && c.track != 0)
                expected = c.track;

            EXPECT_EQ (d.findColour (id).getARGB(), expected);
        }
    }
}

TEST_F (TubePanel, KnobsAndPointersAreDrawnInTheirColours)
{
    // Each of the panel's dials draws its face through its own look into a clear 195 x 195 area
    // with the value straight up. The knob is a radial gradient from its thumb colour at alpha
    // 0x80 (brightened at the highlight), and the pointer line runs up through (97, 50) in the
    // track colour, over the knob.
    constexpr int size = 195;
    const auto face = juce::FullDialLAF::computeGeometry (0, 0, size, size, 0.5f, guitest::defaultStart, guitest::defaultEnd);
    const orvane_gui::Dial plainDial { " dB", "Plain", 0, 10, 0.1, 0 };

    struct Pixel { int x, y; };
    const Pixel pointer { 97, 50 };

    for (const auto& c : panelColours)
    {
        SCOPED_TRACE (c.name);
        auto& d = dial (c.dial);

        const auto thumb = juce::Colour (c.thumb != 0 ? c.thumb : plainDial.findColour (juce::Slider::thumbColourId).getARGB());
        const auto track = juce::Colour (c.track != 0 ? c.track : plainDial.findColour (juce::Slider::trackColourId).getARGB());

        juce::Image expected (juce::Image::ARGB, size, size, true);
        {
            juce::Graphics g (expected);
            g.setGradientFill (juce::ColourGradient (orvane_gui::knobHighlightColour (thumb), face.gradientCentre,
                                                     orvane_gui::knobEdgeColour (thumb), face.gradientEdge, true));
            g.fillEllipse (face.centre.x - face.knobRadius, face.centre.y - face.knobRadius,
                           2.0f * face.knobRadius, 2.0f * face.knobRadius);
            g.setColour (track);
            g.fillRect (pointer.x, pointer.y, 1, 1);
        }

        const auto image = guitest::drawFace (d.getLookAndFeel(), d, size, size, { 0, 0, size, size }, 0.5f);

        for (const auto p : { Pixel { 111, 70 }, Pixel { 60, 135 }, Pixel { 97, 130 }, Pixel { 130, 97 }, Pixel { 70, 80 }, pointer })
        {
            SCOPED_TRACE (testing::Message() << p.x << ", " << p.y);
            EXPECT_EQ (image.getPixelAt (p.x, p.y), expected.getPixelAt (p.x, p.y));
        }

        // The bandwidth dial's pointer lets the knob show through.
        if (c.track == 0xcc171717)
        {
            EXPECT_LT (image.getPixelAt (pointer.x, pointer.y).getAlpha(), 0xff);
        }
    }
}

TEST_F (TubePanel, PaintsNothingOfItsOwn)
{
    panel.setSize (514, 327);

    // Its own paint leaves what lies beneath untouched; painted with its children, everything
    // outside them stays clear.
    EXPECT_EQ (editortest::pixelsChangedByOwnPaint (panel), 0);
    EXPECT_EQ (editortest::paintCoverage (panel).elsewhere, 0);

    const auto rendered = guitest::render (panel);

    for (const auto& b : bindings)
    {
        SCOPED_TRACE (b.name);
        EXPECT_GT (guitest::countPixelsWhere (rendered, dial (b.dial).getBounds(),
                                              [] (juce::Colour pixel) { return pixel.getAlpha() != 0; }), 0);
    }
}
