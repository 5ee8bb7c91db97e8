#include "editor/ParametricEQComponent.h"
#include "plugin/ParameterIDs.h"
#include "tests/ProcessorHarness.h"
#include "EditorTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <thread>

namespace
{
using Panel = ParametricEQComponent;

/** One dial of the panel, in declaration order: what it is bound to, where it stands, what it
    shows and what it returns to. */
struct DialCase
{
    orvane_gui::Dial Panel::* dial;
    const char* id;
    const char* caption;
    int column, row;                  // row 0: gains, row 1: frequencies
    double minimum, maximum, parameterDefault;
    float moved;                      // a value inside the range, on its step
    const char* movedText;            // what the value box shows for it
};

const std::array<DialCase, 8> dialCases { {
    { &Panel::band1GainDial, "parametric eq band 1 gain", "Low Gain",  0, 0, -12.0, 12.0, 0.0, -4.5f, "-4.50 dB" },
    { &Panel::band2GainDial, "parametric eq band 2 gain", "Mid Gain",  1, 0, -12.0, 12.0, 0.0, 3.25f, "3.25 dB" },
    { &Panel::band3GainDial, "parametric eq band 3 gain", "Mid Gain",  2, 0, -12.0, 12.0, 0.0, 7.75f, "7.75 dB" },
    { &Panel::band4GainDial, "parametric eq band 4 gain", "high Gain", 3, 0, -12.0, 12.0, 0.0, -11.0f, "-11.00 dB" },
    { &Panel::band1FreqDial, "parametric eq band 1 freq", "Low Freq",  0, 1, 30.0, 400.0, 200.0, 321.0f, "321 Hz" },
    { &Panel::band2FreqDial, "parametric eq band 2 freq", "Mid Freq",  1, 1, 200.0, 2000.0, 1000.0, 555.0f, "555 Hz" },
    { &Panel::band3FreqDial, "parametric eq band 3 freq", "Mid Freq",  2, 1, 200.0, 2000.0, 1000.0, 1777.0f, "1777 Hz" },
    { &Panel::band4FreqDial, "parametric eq band 4 freq", "high Freq", 3, 1, 1000.0, 20000.0, 7000.0, 15000.0f, "15000 Hz" },
} };

/** A dial's face as its own look draws it, at a fixed pointer position, into a clear image. */
juce::Image faceOf (orvane_gui::Dial& dial)
{
    return guitest::drawFace (dial.getLookAndFeel(), dial, 123, 123, { 0, 0, 123, 123 }, 0.3f);
}

struct ParametricPanel : public ::testing::Test
{
    orvane_gui::Dial& dial (const DialCase& c) { return panel.*(c.dial); }

    /** Every parameter of the processor, by ID. */
    std::map<std::string, float> allParameters()
    {
        std::map<std::string, float> values;

        for (auto* id : ParameterIDs::ids)
            values[id] = harness.get (id);

        return values;
    }

    /** Sets a parameter from another thread, as host automation does, then lets the message
        thread deliver what that thread posted. */
    void automate (const char* id, float value)
    {
        std::thread host ([&] { harness.set (id, value); });
        host.join();
        guitest::runMessageLoop (20);
    }

    ProcessorHarness harness;
    ParametricEQComponent panel { *harness.processor };
};
} // namespace

//==============================================================================
// Building.

TEST_F (ParametricPanel, AddsEachDialThenItsCaptionWithoutPlacingThem)
{
    ASSERT_EQ (panel.getNumChildComponents(), 16);

    const orvane_gui::Label unplacedCaption { true, "x" };

    for (size_t i = 0; i < dialCases.size(); ++i)
    {
        const auto& c = dialCases[i];
        SCOPED_TRACE (c.id);
        auto* caption = dynamic_cast<juce::Label*> (panel.getChildComponent (2 * (int) i + 1));

        EXPECT_EQ (panel.getChildComponent (2 * (int) i), &dial (c));
        ASSERT_NE (caption, nullptr);
        EXPECT_EQ (caption->getText(), c.caption);
        EXPECT_EQ (caption->getAttachedComponent(), &dial (c));
        EXPECT_FALSE (caption->isAttachedOnLeft());
        EXPECT_EQ (caption->getJustificationType(), juce::Justification (juce::Justification::centred));
        EXPECT_TRUE (dial (c).isVisible());
        EXPECT_TRUE (caption->isVisible());

        EXPECT_TRUE (dial (c).getBounds().isEmpty());
        EXPECT_EQ (caption->getFont(), unplacedCaption.getFont());
    }

    EXPECT_TRUE (panel.getBounds().isEmpty());
}

TEST_F (ParametricPanel, CaptionsReadLeftToRightInEachRow)
{
    panel.setSize (514, 327);

    // Collected by position, not by member: row by row, left to right.
    std::array<std::array<juce::String, 4>, 2> rows;

    for (auto* child : panel.getChildren())
        if (auto* caption = dynamic_cast<juce::Label*> (child))
        {
            const auto* control = caption->getAttachedComponent();
            ASSERT_NE (control, nullptr);
            rows[control->getY() == 24 ? 0u : 1u][(size_t) (control->getX() / control->getWidth())] = caption->getText();
        }

    EXPECT_EQ (rows[0], (std::array<juce::String, 4> { "Low Gain", "Mid Gain", "Mid Gain", "high Gain" }));
    EXPECT_EQ (rows[1], (std::array<juce::String, 4> { "Low Freq", "Mid Freq", "Mid Freq", "high Freq" }));
}

//==============================================================================
// Layout.

TEST_F (ParametricPanel, LayoutAtTheEditorsSizes)
{
    struct Case
    {
        int width, height;
        int size;
        std::array<int, 4> columns;
        int frequencyRow;
        int gridRight, gridBottom;
        float captionHeight;
    };

    for (const auto& layout : { Case { 514, 327, 123, { 0, 123, 246, 369 }, 177, 492, 300, 9.8688f },
                                Case { 528, 336, 126, { 0, 126, 252, 378 }, 181, 504, 307, 10.1376f } })
    {
        SCOPED_TRACE (testing::Message() << layout.width << " x " << layout.height);
        panel.setSize (layout.width, layout.height);

        for (const auto& c : dialCases)
        {
            SCOPED_TRACE (c.id);
            const juce::Rectangle<int> expected (layout.columns[(size_t) c.column], c.row == 0 ? 24 : layout.frequencyRow,
                                                 layout.size, layout.size);
            EXPECT_EQ (dial (c).getBounds(), expected);

            // The caption follows its dial: directly above it, as wide as it.
            editortest::expectCaptionAbove (panel, dial (c), layout.captionHeight);
        }

        EXPECT_EQ (panel.band4FreqDial.getRight(), layout.gridRight);
        EXPECT_EQ (panel.band4FreqDial.getBottom(), layout.gridBottom);
    }
}

TEST_F (ParametricPanel, DialSizesFollowTheWidthAlone)
{
    panel.setSize (514, 327);
    std::array<juce::Rectangle<int>, 8> reference;

    for (size_t i = 0; i < dialCases.size(); ++i)
        reference[i] = dial (dialCases[i]).getBounds();

    for (const auto height : { 40, 200, 900 })
    {
        SCOPED_TRACE (height);
        panel.setSize (514, height);

        for (size_t i = 0; i < dialCases.size(); ++i)
            EXPECT_EQ (dial (dialCases[i]).getBounds(), reference[i]) << dialCases[i].id;

        EXPECT_EQ (editortest::captionOf (panel, panel.band1GainDial)->getFont().getHeight(), 9.8688f);
    }
}

//==============================================================================
// Binding.

TEST_F (ParametricPanel, MovingADialChangesOnlyItsParameter)
{
    for (const auto& c : dialCases)
    {
        SCOPED_TRACE (c.id);
        const auto before = allParameters();

        dial (c).setValue (c.moved, juce::sendNotificationSync);

        for (const auto& [id, now] : allParameters())
            EXPECT_EQ (now, id == c.id ? c.moved : before.at (id)) << id;

        dial (c).setValue (c.parameterDefault, juce::sendNotificationSync);
    }
}

TEST_F (ParametricPanel, AutomationOfAParameterMovesOnlyItsDial)
{
    for (const auto& c : dialCases)
    {
        SCOPED_TRACE (c.id);
        automate (c.id, c.moved);

        for (const auto& other : dialCases)
            EXPECT_DOUBLE_EQ (dial (other).getValue(), &other == &c ? (double) c.moved : other.parameterDefault) << other.id;

        automate (c.id, (float) c.parameterDefault);
        EXPECT_DOUBLE_EQ (dial (c).getValue(), c.parameterDefault);
    }
}

TEST_F (ParametricPanel, AttachedDialsTakeTheirParametersRangeAndReturnToItsDefault)
{
    for (const auto& c : dialCases)
    {
        SCOPED_TRACE (c.id);
        auto& d = dial (c);

        EXPECT_DOUBLE_EQ (d.getMinimum(), c.minimum);
        EXPECT_DOUBLE_EQ (d.getMaximum(), c.maximum);

        d.setValue (c.moved, juce::sendNotificationSync);
        d.mouseDoubleClick (guitest::mouseEvent (d, d.getLocalBounds().getCentre().toFloat(),
                                                 juce::ModifierKeys::leftButtonModifier, 2));

        // The parameter's default, not the 0 the frequency dials were built with.
        EXPECT_DOUBLE_EQ (d.getValue(), c.parameterDefault);
        EXPECT_EQ (harness.get (c.id), (float) c.parameterDefault);
    }
}

TEST_F (ParametricPanel, ValueBoxShowsTheParameterTextFollowedByTheSuffix)
{
    for (const auto& c : dialCases)
    {
        SCOPED_TRACE (c.id);
        automate (c.id, c.moved);

        auto* box = guitest::firstChildLabel (dial (c));
        ASSERT_NE (box, nullptr);
        EXPECT_EQ (box->getText(), c.movedText);
        EXPECT_EQ (box->getText(), harness.parameter (c.id).getCurrentValueAsText() + dial (c).getTextValueSuffix());
    }
}

//==============================================================================
// Drawing.

TEST_F (ParametricPanel, FrequencyKnobsAreDarkRedAndGainKnobsKeepTheDialsColour)
{
    const auto darkRed = juce::Colours::palevioletred.darker (1.0f).darker (0.3f);
    ASSERT_EQ (darkRed.getARGB(), 0xff532b38u);

    // Plain dials of the library, one as built and one given the dark red thumb.
    orvane_gui::Dial plainDial { " dB", "Gain", -12, 12, 0.01, 0 };
    orvane_gui::Dial darkRedDial { " Hz", "Freq", 30, 400, 1, 0 };
    darkRedDial.setColour (juce::Slider::thumbColourId, darkRed);

    const auto plainFace = faceOf (plainDial);
    const auto darkRedFace = faceOf (darkRedDial);
    ASSERT_GT (guitest::countDifferentPixels (plainFace, darkRedFace), 0);

    for (const auto& c : dialCases)
    {
        SCOPED_TRACE (c.id);
        const auto isFrequency = c.row == 1;

        EXPECT_EQ (dial (c).findColour (juce::Slider::thumbColourId),
                   isFrequency ? darkRed : plainDial.findColour (juce::Slider::thumbColourId));
        EXPECT_EQ (guitest::countDifferentPixels (faceOf (dial (c)), isFrequency ? darkRedFace : plainFace), 0);
    }
}

TEST_F (ParametricPanel, PaintsNothingOfItsOwn)
{
    panel.setSize (514, 327);

    const auto coverage = editortest::paintCoverage (panel);
    EXPECT_GT (coverage.insideChildren, 1000);   // the dials and their captions are drawn
    EXPECT_EQ (coverage.elsewhere, 0);
    EXPECT_EQ (editortest::pixelsChangedByOwnPaint (panel), 0);

    // With its children hidden, the panel leaves the whole image clear.
    EXPECT_EQ (editortest::pixelsDrawnWithChildrenHidden (panel), 0);
}
