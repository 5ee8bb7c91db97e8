#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
using guitest::render;
using guitest::runMessageLoop;

/** A button whose face and outline are invisible, so that only the caption leaves pixels. */
void showCaptionOnly (juce::TextButton& button)
{
    button.setColour (juce::TextButton::buttonColourId, juce::Colours::transparentBlack);
    button.setColour (juce::ComboBox::outlineColourId, juce::Colours::transparentBlack);
}

struct Ink
{
    juce::Rectangle<int> bounds;
    int maxAlpha = 0;
    int rows = 0; // separate horizontal bands of ink, one per text line
};

Ink measureInk (const juce::Image& image)
{
    Ink ink;
    auto inBand = false;

    for (auto y = 0; y < image.getHeight(); ++y)
    {
        auto rowHasInk = false;

        for (auto x = 0; x < image.getWidth(); ++x)
        {
            const auto alpha = (int) image.getPixelAt (x, y).getAlpha();

            if (alpha > 0x10)
            {
                rowHasInk = true;
                ink.bounds = ink.bounds.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1)
                                                  : ink.bounds.getUnion ({ x, y, 1, 1 });
            }

            ink.maxAlpha = juce::jmax (ink.maxAlpha, alpha);
        }

        if (rowHasInk && ! inBand)
            ++ink.rows;

        inBand = rowHasInk;
    }

    return ink;
}
} // namespace

//==============================================================================
TEST (PushButtonTest, ColoursAndClickingTogglesTheState)
{
    orvane_gui::PushButton button;

    const std::pair<int, juce::uint32> colours[] = {
        { juce::TextButton::buttonColourId,   0xff171717 },
        { juce::ComboBox::outlineColourId,    0x0ff5f5f5 },
        { juce::TextButton::buttonOnColourId, 0xffd0d0af },
        { juce::TextButton::textColourOffId,  0x80f5f5f5 },
        { juce::TextButton::textColourOnId,   0xd9171717 },
    };

    for (const auto& [id, argb] : colours)
    {
        EXPECT_TRUE (button.isColourSpecified (id)) << std::hex << id;
        EXPECT_EQ (button.findColour (id).getARGB(), argb) << std::hex << id;
    }

    EXPECT_NE (dynamic_cast<juce::CustomPushButton*> (&button.getLookAndFeel()), nullptr);
    EXPECT_EQ (button.getButtonText(), juce::String());
    EXPECT_TRUE (button.getClickingTogglesState());
    EXPECT_FALSE (button.getToggleState());

    button.triggerClick();
    runMessageLoop (50);
    EXPECT_TRUE (button.getToggleState());

    button.triggerClick();
    runMessageLoop (50);
    EXPECT_FALSE (button.getToggleState());
}

TEST (PushButtonLAFTest, TextLayout)
{
    struct Case
    {
        int width, height;
        bool connectedLeft, connectedRight;
        int yIndent, cornerSize, leftIndent, rightIndent, textWidth;
    };

    const Case cases[] = {
        { 20,  30, false, false, 4, 10, 7,  7,  6 },
        { 12,  30, false, false, 4, 6,  5,  5,  2 },
        { 4,   30, false, false, 4, 2,  3,  3,  -2 },
        { 100, 10, false, false, 3, 5,  4,  4,  92 }, // yIndent below 4 up to a height of 11
        { 100, 11, false, false, 3, 5,  4,  4,  92 },
        { 100, 12, false, false, 4, 6,  5,  5,  90 },
        { 200, 100, false, false, 4, 50, 10, 10, 180 }, // indents never exceed the font height 10
        { 40,  30, true,  false, 4, 15, 5,  9,  26 },
        { 40,  30, false, true,  4, 15, 9,  5,  26 },
        { 40,  30, true,  true,  4, 15, 5,  5,  30 },
    };

    const auto font = juce::CustomPushButton::captionFont();

    for (const auto& c : cases)
    {
        const auto layout = juce::CustomPushButton::textLayout (c.width, c.height, c.connectedLeft, c.connectedRight, font);
        const auto label = std::to_string (c.width) + "x" + std::to_string (c.height)
                         + (c.connectedLeft ? " L" : "") + (c.connectedRight ? " R" : "");

        EXPECT_EQ (layout.yIndent, c.yIndent) << label;
        EXPECT_EQ (layout.cornerSize, c.cornerSize) << label;
        EXPECT_EQ (layout.fontHeight, 10) << label;
        EXPECT_EQ (layout.leftIndent, c.leftIndent) << label;
        EXPECT_EQ (layout.rightIndent, c.rightIndent) << label;
        EXPECT_EQ (layout.textWidth, c.textWidth) << label;

        if (c.textWidth > 0)
        {
            EXPECT_EQ (layout.textArea, juce::Rectangle<int> (c.leftIndent, c.yIndent, c.textWidth, c.height - 2 * c.yIndent)) << label;
        }
    }

    EXPECT_EQ (juce::CustomPushButton::maximumCaptionLines, 2);
}

TEST (PushButtonLAFTest, CaptionFontAndColour)
{
    const auto font = juce::CustomPushButton::captionFont();
    EXPECT_EQ (font.getHeight(), 16.0f);
    EXPECT_TRUE (font.isBold());
    EXPECT_FALSE (font.isItalic());
    EXPECT_EQ (font.getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));

    orvane_gui::PushButton button;
    juce::Component parent;
    parent.addAndMakeVisible (button);

    EXPECT_EQ (juce::CustomPushButton::captionColour (button).getARGB(), 0x80f5f5f5u);
    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (juce::CustomPushButton::captionColour (button).getARGB(), 0xd9171717u);

    button.setToggleState (false, juce::dontSendNotification);
    parent.setEnabled (false); // disabled through a parent
    EXPECT_EQ (juce::CustomPushButton::captionColour (button).getARGB(), 0x40f5f5f5u);

    parent.removeChildComponent (&button);
}

TEST (PushButtonLAFTest, DisabledCaptionIsDrawnAtHalfAlpha)
{
    orvane_gui::PushButton button;
    button.setButtonText ("Reset");
    button.setSize (120, 30);
    showCaptionOnly (button);

    const auto enabled = measureInk (render (button));
    EXPECT_EQ (enabled.maxAlpha, 0x80);

    button.setEnabled (false);
    const auto disabled = measureInk (render (button));
    EXPECT_EQ (disabled.maxAlpha, 0x40);
    EXPECT_EQ (disabled.bounds, enabled.bounds);
}

TEST (PushButtonLAFTest, CaptionFontDoesNotFollowTheButtonSize)
{
    orvane_gui::PushButton small, tall;
    small.setButtonText ("Reset");
    tall.setButtonText ("Reset");
    small.setSize (120, 24);
    tall.setSize (120, 120);
    showCaptionOnly (small);
    showCaptionOnly (tall);

    const auto smallInk = measureInk (render (small));
    const auto tallInk = measureInk (render (tall));

    EXPECT_EQ (smallInk.bounds.getWidth(), tallInk.bounds.getWidth());
    EXPECT_EQ (smallInk.bounds.getHeight(), tallInk.bounds.getHeight());
    EXPECT_GE (tallInk.bounds.getHeight(), 10);   // cap height of a 16-pixel face
    EXPECT_LE (tallInk.bounds.getHeight(), 14);
}

TEST (PushButtonLAFTest, LongCaptionUsesAtMostTwoLines)
{
    orvane_gui::PushButton button;
    button.setButtonText ("one two three four five six seven eight");
    button.setSize (70, 200); // room for many lines
    showCaptionOnly (button);

    EXPECT_EQ (measureInk (render (button)).rows, 2);
}

TEST (PushButtonLAFTest, CaptionIsSkippedOnlyWhenTheIndentsUseUpTheWidth)
{
    struct Case { int width; bool drawn; };
    const Case cases[] = { { 20, true }, { 12, true }, { 4, false } };

    for (const auto& c : cases)
    {
        orvane_gui::PushButton button;
        button.setButtonText ("Reset");
        button.setSize (c.width, 30);
        showCaptionOnly (button);

        EXPECT_EQ (measureInk (render (button)).maxAlpha > 0, c.drawn) << c.width;
    }
}
