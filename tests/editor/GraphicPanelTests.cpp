#include "editor/GraphicEQComponent.h"
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
constexpr int numBands = 10;

constexpr std::array<const char*, numBands> captions { "31", "63", "125", "250", "500", "1K", "2K", "4K", "8K", "15K" };

std::string gainID (int band) { return "graphic eq band " + std::to_string (band + 1) + " gain"; }

struct GraphicPanel : public ::testing::Test
{
    orvane_gui::Fader& fader (int band) { return *panel.faders.at ((size_t) band); }

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
    void automate (const std::string& id, float value)
    {
        std::thread host ([&] { harness.set (id.c_str(), value); });
        host.join();
        guitest::runMessageLoop (20);
    }

    ProcessorHarness harness;
    GraphicEQComponent panel { *harness.processor };
};
} // namespace

//==============================================================================
// Building.

TEST_F (GraphicPanel, AddsEachFaderThenItsCaptionInBandOrderWithoutPlacingThem)
{
    ASSERT_EQ (panel.faders.size(), (size_t) numBands);
    ASSERT_EQ (panel.getNumChildComponents(), 2 * numBands);

    const orvane_gui::Label unplacedCaption { true, "x" };

    for (int band = 0; band < numBands; ++band)
    {
        SCOPED_TRACE (band + 1);
        auto* control = panel.getChildComponent (2 * band);
        auto* caption = dynamic_cast<juce::Label*> (panel.getChildComponent (2 * band + 1));

        EXPECT_EQ (control, &fader (band));
        ASSERT_NE (caption, nullptr);
        EXPECT_EQ (caption->getText(), captions[(size_t) band]);
        EXPECT_EQ (caption->getAttachedComponent(), control);
        EXPECT_FALSE (caption->isAttachedOnLeft());
        EXPECT_EQ (caption->getJustificationType(), juce::Justification (juce::Justification::centred));
        EXPECT_TRUE (control->isVisible());
        EXPECT_TRUE (caption->isVisible());

        // Nothing is placed or given a font before the owner sizes the panel.
        EXPECT_TRUE (control->getBounds().isEmpty());
        EXPECT_EQ (caption->getFont(), unplacedCaption.getFont());
    }

    EXPECT_TRUE (panel.getBounds().isEmpty());
}

//==============================================================================
// Layout.

TEST_F (GraphicPanel, LayoutAtTheEditorsSizes)
{
    struct Case
    {
        int width, height;
        int faderWidth, faderHeight;
        std::array<int, 5> columns;
        int secondRow;
        int rightEdge;
        float captionHeight;
    };

    for (const auto& c : { Case { 514, 327, 56, 132, { 12, 115, 218, 321, 424 }, 182, 480, 9.0464f },
                           Case { 528, 336, 58, 136, { 12, 119, 226, 333, 440 }, 187, 498, 9.2928f },
                           Case { 704, 448, 77, 181, { 12, 154, 296, 438, 580 }, 241, 657, 12.3904f } })
    {
        SCOPED_TRACE (testing::Message() << c.width << " x " << c.height);
        panel.setSize (c.width, c.height);

        for (int band = 0; band < numBands; ++band)
        {
            SCOPED_TRACE (band + 1);
            const auto row = band / 5, column = band % 5;
            const juce::Rectangle<int> expected (c.columns[(size_t) column], row == 0 ? 24 : c.secondRow,
                                                 c.faderWidth, c.faderHeight);
            EXPECT_EQ (fader (band).getBounds(), expected);

            // The caption follows its fader: directly above it, as wide as it.
            editortest::expectCaptionAbove (panel, fader (band), c.captionHeight);
        }

        EXPECT_EQ (fader (9).getRight(), c.rightEdge);
    }
}

TEST_F (GraphicPanel, FaderSizesFollowTheWidthAlone)
{
    panel.setSize (514, 327);
    std::array<juce::Rectangle<int>, numBands> reference;

    for (int band = 0; band < numBands; ++band)
        reference[(size_t) band] = fader (band).getBounds();

    for (const auto height : { 40, 200, 900 })
    {
        SCOPED_TRACE (height);
        panel.setSize (514, height);

        for (int band = 0; band < numBands; ++band)
            EXPECT_EQ (fader (band).getBounds(), reference[(size_t) band]) << "band " << band + 1;

        EXPECT_EQ (editortest::captionOf (panel, fader (0))->getFont().getHeight(), 9.0464f);
    }
}

//==============================================================================
// Binding.

TEST_F (GraphicPanel, MovingAFaderChangesOnlyItsBandsGain)
{
    for (int band = 0; band < numBands; ++band)
    {
        SCOPED_TRACE (band + 1);
        const auto before = allParameters();
        const auto value = -10.5f + 2.0f * (float) band;

        fader (band).setValue (value, juce::sendNotificationSync);

        for (const auto& [id, now] : allParameters())
            EXPECT_EQ (now, id == gainID (band) ? value : before.at (id)) << id;

        fader (band).setValue (0.0, juce::sendNotificationSync);
    }
}

TEST_F (GraphicPanel, AutomationOfABandMovesOnlyItsFader)
{
    for (int band = 0; band < numBands; ++band)
    {
        SCOPED_TRACE (band + 1);
        automate (gainID (band), -3.25f);

        for (int other = 0; other < numBands; ++other)
            EXPECT_DOUBLE_EQ (fader (other).getValue(), other == band ? -3.25 : 0.0) << "fader " << other + 1;

        automate (gainID (band), 0.0f);
        EXPECT_DOUBLE_EQ (fader (band).getValue(), 0.0);
    }
}

TEST_F (GraphicPanel, DoubleClickReturnsEveryFaderAndItsGainToZero)
{
    for (int band = 0; band < numBands; ++band)
        fader (band).setValue (6.0, juce::sendNotificationSync);

    for (int band = 0; band < numBands; ++band)
    {
        auto& f = fader (band);
        f.mouseDoubleClick (guitest::mouseEvent (f, f.getLocalBounds().getCentre().toFloat(),
                                                 juce::ModifierKeys::leftButtonModifier, 2));
    }

    // The fader sets its value with an asynchronous notification: the gains follow on a later
    // message-thread callback.
    guitest::runMessageLoop (20);

    for (int band = 0; band < numBands; ++band)
    {
        SCOPED_TRACE (band + 1);
        EXPECT_DOUBLE_EQ (fader (band).getValue(), 0.0);
        EXPECT_EQ (harness.get (gainID (band).c_str()), 0.0f);
    }
}

TEST_F (GraphicPanel, ValueBoxShowsTheGainTextFollowedByDecibels)
{
    struct Case { int band; float value; const char* text; };

    for (const auto c : { Case { 0, 3.25f, "3.25 dB" }, Case { 6, -12.0f, "-12.00 dB" }, Case { 9, 0.5f, "0.50 dB" } })
    {
        SCOPED_TRACE (c.text);
        automate (gainID (c.band), c.value);

        auto* box = guitest::firstChildLabel (fader (c.band));
        ASSERT_NE (box, nullptr);
        EXPECT_EQ (box->getText(), c.text);
        EXPECT_EQ (box->getText(), harness.parameter (gainID (c.band).c_str()).getCurrentValueAsText() + " dB");
    }
}

//==============================================================================
// Drawing.

TEST_F (GraphicPanel, PaintsNothingOfItsOwn)
{
    panel.setSize (514, 327);

    const auto coverage = editortest::paintCoverage (panel);
    EXPECT_GT (coverage.insideChildren, 1000);   // the faders and their captions are drawn
    EXPECT_EQ (coverage.elsewhere, 0);
    EXPECT_EQ (editortest::pixelsChangedByOwnPaint (panel), 0);

    // With its children hidden, the panel leaves the whole image clear.
    EXPECT_EQ (editortest::pixelsDrawnWithChildrenHidden (panel), 0);
}
