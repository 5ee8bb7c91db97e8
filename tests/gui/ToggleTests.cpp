#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
using guitest::countDifferentPixels;
using guitest::mouseEvent;
using guitest::render;
using guitest::runMessageLoop;

/** What a pixel fully covered by the colour comes out as on a transparent image. */
juce::Colour drawnOnTransparent (juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, 1, 1, true);
    juce::Graphics g (image);
    g.fillAll (colour);
    return image.getPixelAt (0, 0);
}

juce::uint32 onColour (const juce::ToggleButton& t)   { return t.findColour (juce::ToggleButton::tickColourId).getARGB(); }
juce::uint32 offColour (const juce::ToggleButton& t)  { return t.findColour (juce::ToggleButton::tickDisabledColourId).getARGB(); }

// Pixels of a 40 x 40 toggle: on the power symbol's ring at 3 o'clock, on its bar, in the
// ring's gap at the top, and on the polarity symbol's diagonal (off the power symbol).
constexpr int ringX = 26, ringY = 19;
constexpr int barX = 19, barY = 15;
constexpr int gapX = 22, gapY = 13;
constexpr int diagonalX = 17, diagonalY = 21;
} // namespace

//==============================================================================
TEST (PowerToggleLAFTest, Geometry)
{
    struct Case
    {
        int width, height;
        int s, x0, y0;
        float cx, cy, radius, barTopY;
    };

    const Case cases[] = {
        { 40, 40, 34, 3,  3, 20.0f, 20.0f, 6.25f,  10.14f },
        { 60, 30, 24, 18, 3, 30.0f, 15.0f, 3.75f,  8.04f },
        { 41, 40, 34, 3,  3, 20.0f, 20.0f, 6.25f,  10.14f }, // (41 - 34) / 2 truncates to 3
        { 15, 15, 9,  3,  3, 7.5f,  7.5f,  0.0f,   (float) (3 + 0.21 * 9) },
        { 10, 12, 4,  3,  4, 5.0f,  6.0f,  -1.25f, (float) (4 + 0.21 * 4) },
    };

    for (const auto& c : cases)
    {
        const auto g = juce::PowerToggleLAF::geometry (c.width, c.height);
        const auto label = std::to_string (c.width) + "x" + std::to_string (c.height);

        EXPECT_EQ (g.s, c.s) << label;
        EXPECT_EQ (g.x0, c.x0) << label;
        EXPECT_EQ (g.y0, c.y0) << label;
        EXPECT_EQ (g.centre, juce::Point<float> (c.cx, c.cy)) << label;
        EXPECT_EQ (g.radius, c.radius) << label;
        EXPECT_EQ (g.barTop, juce::Point<float> (c.cx, c.barTopY)) << label;
        EXPECT_EQ (g.barBottom, g.centre) << label;
    }

    EXPECT_EQ (juce::PowerToggleLAF::arcStart, 0.5235988f);
    EXPECT_EQ (juce::PowerToggleLAF::arcEnd, 5.7595863f);
    EXPECT_EQ (juce::PowerToggleLAF::strokeThickness, 2.0f);
}

TEST (PhaseToggleLAFTest, Geometry)
{
    const auto g = juce::PhaseToggleLAF::geometry (40, 40);
    EXPECT_EQ (g.s, 13); // 34 / 2.5 = 13.6, truncated
    EXPECT_EQ (g.x0, 13);
    EXPECT_EQ (g.y0, 13);
    EXPECT_EQ (g.diagonal.getStart(), juce::Point<float> (13.0f, 26.0f));
    EXPECT_EQ (g.diagonal.getEnd(), juce::Point<float> (26.0f, 13.0f));

    const auto wide = juce::PhaseToggleLAF::geometry (61, 30);
    EXPECT_EQ (wide.s, 9);
    EXPECT_EQ (wide.x0, 26);
    EXPECT_EQ (wide.y0, 10);
}

TEST (ToggleTest, ConstructionColoursAndClicks)
{
    orvane_gui::Toggle toggle ("Power");

    EXPECT_EQ (offColour (toggle), 0x80696969u);
    EXPECT_EQ (onColour (toggle), 0x8000ff7fu);
    EXPECT_NE (dynamic_cast<juce::PowerToggleLAF*> (&toggle.getLookAndFeel()), nullptr);
    EXPECT_EQ (toggle.getButtonText(), juce::String());
    EXPECT_FALSE (toggle.getToggleState());
    EXPECT_FALSE (toggle.isVisible());
    EXPECT_EQ (toggle.getParentComponent(), nullptr);
    EXPECT_TRUE (toggle.getClickingTogglesState());

    toggle.triggerClick();
    runMessageLoop (50);
    EXPECT_TRUE (toggle.getToggleState());
}

TEST (ToggleTest, HoverWritesFixedColours)
{
    orvane_gui::Toggle toggle ("Power");
    const auto event = mouseEvent (toggle);

    toggle.setColour (juce::ToggleButton::tickColourId, juce::Colours::red); // a caller's colour

    toggle.mouseEnter (event);
    EXPECT_EQ (offColour (toggle), 0xcc696969u);
    EXPECT_EQ (onColour (toggle), 0xcc00ff7fu);

    toggle.setColour (juce::ToggleButton::tickColourId, juce::Colours::red);
    toggle.mouseExit (event);
    EXPECT_EQ (offColour (toggle), 0x80696969u);
    EXPECT_EQ (onColour (toggle), 0x8000ff7fu);
}

TEST (PowerToggleLAFTest, StrokesThePowerSymbolInTheStateColour)
{
    orvane_gui::Toggle toggle ("Power");
    toggle.setSize (40, 40);
    toggle.setColour (juce::ToggleButton::tickColourId, juce::Colours::red);
    toggle.setColour (juce::ToggleButton::tickDisabledColourId, juce::Colours::blue);

    auto image = render (toggle);
    EXPECT_EQ (image.getPixelAt (ringX, ringY).getARGB(), 0xff0000ffu);
    EXPECT_EQ (image.getPixelAt (barX, barY).getARGB(), 0xff0000ffu);
    EXPECT_EQ (image.getPixelAt (gapX, gapY).getAlpha(), 0);         // 60-degree gap, butt ends
    EXPECT_EQ (image.getPixelAt (ringX - 2, ringY).getAlpha(), 0);   // ring 2 thick: 5.25 to 7.25 from the centre
    EXPECT_EQ (image.getPixelAt (ringX + 2, ringY).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (barX, 9).getAlpha(), 0);            // bar starts at 10.14
    EXPECT_EQ (image.getPixelAt (diagonalX, diagonalY).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (2, 2).getAlpha(), 0);               // no background

    toggle.setToggleState (true, juce::dontSendNotification);
    image = render (toggle);
    EXPECT_EQ (image.getPixelAt (ringX, ringY).getARGB(), 0xffff0000u);
    EXPECT_EQ (image.getPixelAt (barX, barY).getARGB(), 0xffff0000u);
}

TEST (PowerToggleLAFTest, RestingAndHoverColoursOnScreen)
{
    struct Case { bool on; juce::uint32 resting, hovered; };
    const Case cases[] = { { true, 0x8000ff7f, 0xcc00ff7f }, { false, 0x80696969, 0xcc696969 } };

    for (const auto& c : cases)
    {
        orvane_gui::Toggle toggle ("Power");
        toggle.setSize (40, 40);
        toggle.setToggleState (c.on, juce::dontSendNotification);

        EXPECT_EQ (render (toggle).getPixelAt (ringX, ringY), drawnOnTransparent (juce::Colour (c.resting))) << c.on;
        toggle.mouseEnter (mouseEvent (toggle));
        EXPECT_EQ (render (toggle).getPixelAt (ringX, ringY), drawnOnTransparent (juce::Colour (c.hovered))) << c.on;
        toggle.mouseExit (mouseEvent (toggle));
        EXPECT_EQ (render (toggle).getPixelAt (ringX, ringY), drawnOnTransparent (juce::Colour (c.resting))) << c.on;
    }
}

TEST (PowerToggleLAFTest, SmallToggleDrawsOnlyTheBar)
{
    orvane_gui::Toggle toggle ("Power");
    toggle.setSize (15, 15); // arc radius 0; the bar runs at x 7.5 from y 4.89 to 7.5
    toggle.setColour (juce::ToggleButton::tickDisabledColourId, juce::Colours::blue);

    const auto image = render (toggle);
    EXPECT_EQ (image.getPixelAt (7, 6).getARGB(), 0xff0000ffu);

    for (auto y = 0; y < 15; ++y)
        for (auto x = 0; x < 15; ++x)
        {
            if (x < 6 || x > 8 || y < 4 || y > 7)
            {
                EXPECT_EQ (image.getPixelAt (x, y).getAlpha(), 0) << x << ", " << y;
            }
        }
}

TEST (PowerToggleLAFTest, IgnoresEnablementButtonTextAndHighlight)
{
    for (auto on : { false, true })
    {
        orvane_gui::Toggle toggle ("Power");
        toggle.setSize (40, 40);
        toggle.setToggleState (on, juce::dontSendNotification);
        const auto reference = render (toggle);

        toggle.setEnabled (false);
        EXPECT_EQ (countDifferentPixels (render (toggle), reference), 0) << on;

        toggle.setEnabled (true);
        toggle.setButtonText ("Power");
        EXPECT_EQ (countDifferentPixels (render (toggle), reference), 0) << on;

        toggle.setState (juce::Button::buttonDown);
        EXPECT_EQ (countDifferentPixels (render (toggle), reference), 0) << on;
    }
}

TEST (PhaseToggleLAFTest, StrokesThePolaritySymbolInTheStateColour)
{
    orvane_gui::Toggle toggle ("Phase");
    toggle.setSize (40, 40);
    toggle.setLookAndFeel (&toggle.getPhaseToggleLAF());
    toggle.setColour (juce::ToggleButton::tickColourId, juce::Colours::red);
    toggle.setColour (juce::ToggleButton::tickDisabledColourId, juce::Colours::blue);
    toggle.setButtonText ("Phase");

    auto image = render (toggle);
    EXPECT_EQ (image.getPixelAt (diagonalX, diagonalY).getARGB(), 0xff0000ffu);
    EXPECT_EQ (image.getPixelAt (19, 19).getARGB(), 0xff0000ffu);  // diagonal through the middle
    EXPECT_EQ (image.getPixelAt (13, 19).getARGB(), 0xff0000ffu);  // circle, left
    EXPECT_EQ (image.getPixelAt (19, 13).getARGB(), 0xff0000ffu);  // circle, top: no gap
    EXPECT_EQ (image.getPixelAt (16, 16).getAlpha(), 0);           // inside, off the diagonal
    EXPECT_EQ (image.getPixelAt (ringX + 3, ringY).getAlpha(), 0);  // outside the circle

    toggle.setToggleState (true, juce::dontSendNotification);
    image = render (toggle);
    EXPECT_EQ (image.getPixelAt (diagonalX, diagonalY).getARGB(), 0xffff0000u);

    const auto enabledImage = image;
    toggle.setEnabled (false);
    EXPECT_EQ (countDifferentPixels (render (toggle), enabledImage), 0);
}

TEST (ToggleTest, CaptionIsAttachedOnTheLeftAndFollowsTheToggle)
{
    orvane_gui::Toggle toggle ("Power");

    juce::Label* caption = nullptr;
    juce::Component parent;
    parent.setSize (300, 100);
    parent.addChildComponent (toggle);

    for (auto* child : parent.getChildren())
        if (auto* label = dynamic_cast<orvane_gui::Label*> (child))
            caption = label;

    ASSERT_NE (caption, nullptr);
    EXPECT_EQ (toggle.getNumChildComponents(), 0);
    EXPECT_EQ (caption->getAttachedComponent(), &toggle);
    EXPECT_TRUE (caption->isAttachedOnLeft());
    EXPECT_EQ (caption->getText(), "Power");
    EXPECT_FALSE (caption->isVisible());

    toggle.setBounds (200, 30, 40, 40);
    EXPECT_EQ (caption->getRight(), 200);
    EXPECT_EQ (caption->getY(), 30);
    EXPECT_EQ (caption->getHeight(), 40);
    EXPECT_GT (caption->getWidth(), 0);

    toggle.setVisible (true);
    EXPECT_TRUE (caption->isVisible());
    toggle.setVisible (false);
    EXPECT_FALSE (caption->isVisible());

    toggle.setBounds (10, 30, 40, 40); // never wider than the space left of the toggle
    EXPECT_EQ (caption->getX(), 0);
    EXPECT_EQ (caption->getWidth(), 10);

    parent.removeChildComponent (&toggle);
}
