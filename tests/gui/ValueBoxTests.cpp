#include <orvane_modules/orvane_modules.h>

#include "GuiTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// The framework's own label drawing with its label font replaced: what every value box of the
// library must look like, apart from being made editable.
struct FrameworkLabelLook : public juce::LookAndFeel_V4
{
    explicit FrameworkLabelLook (juce::Font f) : font (f) {}
    juce::Font getLabelFont (juce::Label&) override { return font; }
    void drawLabel (juce::Graphics& g, juce::Label& label) override { juce::LookAndFeel_V2::drawLabel (g, label); }
    juce::Font font;
};

struct ValueBoxLook : public juce::LookAndFeel_V4
{
    explicit ValueBoxLook (juce::Font f) : font (f) {}
    void drawLabel (juce::Graphics& g, juce::Label& label) override { orvane_gui::drawValueBox (g, label, *this, font); }
    juce::Font font;
};

juce::Image drawWith (juce::LookAndFeel& look, juce::Label& label)
{
    juce::Image image (juce::Image::ARGB, label.getWidth(), label.getHeight(), true);
    juce::Graphics g (image);
    look.drawLabel (g, label);
    return image;
}
} // namespace

TEST (ValueBox, DrawsLikeTheFrameworkLabelInTheGivenFont)
{
    const auto font = orvane_gui::makeFont ("Helvetica", 13.0f, juce::Font::bold);
    FrameworkLabelLook reference (font);
    ValueBoxLook valueBox (font);

    struct Case { const char* text; bool enabled; int width, height; juce::BorderSize<int> border; };
    const Case cases[] = {
        { "-3.25 dB", true, 96, 32, { 1, 5, 1, 5 } },
        { "-3.25 dB", false, 96, 32, { 1, 5, 1, 5 } },
        { "a caption long enough to need fitting into two lines", true, 60, 40, { 2, 2, 2, 2 } },
        { "7000 Hz", true, 30, 12, { 0, 0, 0, 0 } },
    };

    for (const auto& c : cases)
    {
        juce::Label label;
        label.setText (c.text, juce::dontSendNotification);
        label.setSize (c.width, c.height);
        label.setBorderSize (c.border);
        label.setJustificationType (juce::Justification::centred);
        label.setColour (juce::Label::backgroundColourId, juce::Colour (0x20102030));
        label.setColour (juce::Label::textColourId, juce::Colour (0xff626262));
        label.setColour (juce::Label::outlineColourId, juce::Colour (0x80ff0000));
        label.setEnabled (c.enabled);

        const auto expected = drawWith (reference, label);
        EXPECT_EQ (guitest::countDifferentPixels (drawWith (valueBox, label), expected), 0) << c.text << " enabled " << c.enabled;
    }
}

TEST (ValueBox, MakesTheLabelEditableOnASingleClickKeepingChanges)
{
    ValueBoxLook valueBox (juce::Font (12.0f));
    juce::Label label;
    label.setSize (40, 20);
    label.setEditable (false, true, true);

    drawWith (valueBox, label);
    EXPECT_TRUE (label.isEditableOnSingleClick());
    EXPECT_FALSE (label.isEditableOnDoubleClick());
    EXPECT_FALSE (label.doesLossOfFocusDiscardChanges());
    EXPECT_TRUE (label.getWantsKeyboardFocus());
}
