#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
using guitest::mouseEvent;
using guitest::render;
using guitest::runMessageLoop;

/** Runs the message loop until the condition holds, for at most the given time. */
bool runMessageLoopUntil (std::function<bool()> condition, int timeoutMilliseconds)
{
    const auto end = juce::Time::currentTimeMillis() + timeoutMilliseconds;

    while (! condition())
    {
        if (juce::Time::currentTimeMillis() >= end)
            return false;

        runMessageLoop (10);
    }

    return true;
}

/** What a pixel fully covered by `top` over an opaque `bottom` comes out as. */
juce::Colour composited (juce::Colour bottom, juce::Colour top)
{
    juce::Image image (juce::Image::ARGB, 1, 1, true);
    juce::Graphics g (image);
    g.fillAll (bottom);
    g.fillAll (top);
    return image.getPixelAt (0, 0);
}

juce::uint32 background (const juce::ComboBox& menu)
{
    return menu.findColour (juce::ComboBox::backgroundColourId).getARGB();
}

constexpr juce::uint32 normal = 0xff171717;
constexpr juce::uint32 lit = 0xff1b1b1b;
constexpr juce::uint32 marker = 0xff123456; // a colour some caller might set
} // namespace

//==============================================================================
TEST (MenuTest, SetsItsColoursOnItselfAndThePopupColoursOnItsOwnLook)
{
    orvane_gui::Menu menu;

    const std::pair<int, juce::uint32> componentColours[] = {
        { juce::ComboBox::backgroundColourId,     0xff171717 },
        { juce::ComboBox::outlineColourId,        0x00f5f5f5 },
        { juce::ComboBox::focusedOutlineColourId, 0x80000000 },
        { juce::ComboBox::textColourId,           0x80f5f5f5 },
        { juce::ComboBox::arrowColourId,          0x80f5f5f5 },
    };

    for (const auto& [id, argb] : componentColours)
    {
        EXPECT_TRUE (menu.isColourSpecified (id)) << std::hex << id;
        EXPECT_EQ (menu.findColour (id).getARGB(), argb) << std::hex << id;
    }

    const std::pair<int, juce::uint32> popupColours[] = {
        { juce::PopupMenu::backgroundColourId,            0xff171717 },
        { juce::PopupMenu::highlightedBackgroundColourId, 0x1a87ceeb },
        { juce::PopupMenu::textColourId,                  0x80f5f5f5 },
        { juce::PopupMenu::highlightedTextColourId,       0x80f5f5f5 },
    };

    orvane_gui::Menu other;
    auto& look = menu.getLookAndFeel();
    auto& defaultLook = juce::LookAndFeel::getDefaultLookAndFeel();

    EXPECT_NE (dynamic_cast<juce::CustomMenuLAF*> (&look), nullptr);
    EXPECT_NE (&look, &other.getLookAndFeel());

    for (const auto& [id, argb] : popupColours)
    {
        EXPECT_FALSE (menu.isColourSpecified (id)) << std::hex << id;
        EXPECT_EQ (look.findColour (id).getARGB(), argb) << std::hex << id;
        EXPECT_NE (defaultLook.findColour (id).getARGB(), argb) << std::hex << id;
    }

    // Another menu's look is its own: changing this one's popup colours leaves it alone.
    look.setColour (juce::PopupMenu::backgroundColourId, juce::Colours::red);
    EXPECT_EQ (other.getLookAndFeel().findColour (juce::PopupMenu::backgroundColourId).getARGB(), 0xff171717u);

    EXPECT_EQ (menu.getJustificationType(), juce::Justification (juce::Justification::centred));
    EXPECT_EQ (menu.getName(), juce::String());
}

TEST (MenuTest, HoverLightensUntilTheFirstTickAndTheTimerRunsUntilExit)
{
    orvane_gui::Menu menu;
    const auto event = mouseEvent (menu);

    menu.mouseEnter (event);
    EXPECT_EQ (background (menu), lit);
    runMessageLoop (400);
    EXPECT_EQ (background (menu), lit);

    // First tick after about a second restores the normal shade...
    EXPECT_TRUE (runMessageLoopUntil ([&] { return background (menu) == normal; }, 3000));

    // ...and the timer keeps running while the pointer stays.
    menu.setColour (juce::ComboBox::backgroundColourId, juce::Colour (marker));
    EXPECT_TRUE (runMessageLoopUntil ([&] { return background (menu) == normal; }, 3000));

    // Leaving stops it.
    menu.mouseExit (event);
    EXPECT_EQ (background (menu), normal);
    menu.setColour (juce::ComboBox::backgroundColourId, juce::Colour (marker));
    runMessageLoop (1300);
    EXPECT_EQ (background (menu), marker);
}

TEST (MenuTest, EntersHandedOnFromItsTextLabelDoNotLightItAgain)
{
    // The combo box forwards its text label's mouse events and rebuilds that label on every
    // colour change, after which the pointer, resting on the text, "enters" the new label.
    orvane_gui::Menu menu;
    menu.setBounds (0, 0, 160, 30);
    menu.addItem ("Stereo", 1);
    auto* label = guitest::firstChildLabel (menu);
    ASSERT_NE (label, nullptr);

    menu.mouseEnter (mouseEvent (*label));
    EXPECT_EQ (background (menu), lit);
    EXPECT_TRUE (runMessageLoopUntil ([&] { return background (menu) == normal; }, 3000));

    auto* rebuiltLabel = guitest::firstChildLabel (menu);
    ASSERT_NE (rebuiltLabel, nullptr);
    menu.mouseEnter (mouseEvent (*rebuiltLabel));
    EXPECT_EQ (background (menu), normal);

    // Once it has really been left, entering lights it again.
    menu.mouseExit (mouseEvent (*rebuiltLabel));
    menu.mouseEnter (mouseEvent (menu));
    EXPECT_EQ (background (menu), lit);
}

TEST (MenuTest, LeavingBeforeTheFirstTickRestoresAtOnceAndStopsTheTimer)
{
    orvane_gui::Menu menu;
    const auto event = mouseEvent (menu);

    menu.mouseEnter (event);
    EXPECT_EQ (background (menu), lit);
    menu.mouseExit (event);
    EXPECT_EQ (background (menu), normal);

    menu.setColour (juce::ComboBox::backgroundColourId, juce::Colour (marker));
    runMessageLoop (1300);
    EXPECT_EQ (background (menu), marker);
}

TEST (MenuLAFTest, Geometry)
{
    struct Case { int width, height; float cy; };
    const Case cases[] = {
        { 100, 25, 12.0f }, // odd height rounds down
        { 100, 24, 12.0f },
        { 100, 30, 15.0f },
        { 20,  25, 12.0f }, // narrower than 27: the chevron starts left of the box
    };

    for (const auto& c : cases)
    {
        const auto w = (float) c.width;
        const auto points = juce::CustomMenuLAF::chevronPoints (c.width, c.height);
        EXPECT_EQ (points[0], juce::Point<float> (w - 27.0f, c.cy - 2.0f)) << c.width << "x" << c.height;
        EXPECT_EQ (points[1], juce::Point<float> (w - 20.0f, c.cy + 3.0f)) << c.width << "x" << c.height;
        EXPECT_EQ (points[2], juce::Point<float> (w - 13.0f, c.cy - 2.0f)) << c.width << "x" << c.height;
    }

    EXPECT_EQ (juce::CustomMenuLAF::outlineBounds (100, 25), juce::Rectangle<float> (0.5f, 0.5f, 99.0f, 24.0f));
    EXPECT_EQ (juce::CustomMenuLAF::outlineBounds (0, 0), juce::Rectangle<float> (0.5f, 0.5f, 0.0f, 0.0f));
    EXPECT_EQ (juce::CustomMenuLAF::outlineThickness, 1.0f);
    EXPECT_EQ (juce::CustomMenuLAF::chevronThickness, 4.0f);

    orvane_gui::Menu plain;
    EXPECT_EQ (juce::CustomMenuLAF::cornerSize (plain), 6.0f);

    // Inside a property panel's choice row (searched up through every ancestor) the box is square.
    orvane_gui::Menu nested;
    juce::Component holder;
    juce::Value value;
    juce::ChoicePropertyComponent property (value, "choice", { "a", "b" }, { 1, 2 });
    holder.addAndMakeVisible (nested);
    property.addAndMakeVisible (holder);
    EXPECT_EQ (juce::CustomMenuLAF::cornerSize (nested), 0.0f);
    property.removeChildComponent (&holder);
    holder.removeChildComponent (&nested);
}

TEST (MenuLAFTest, DrawsRoundedBoxAndChevronInTheBoxColours)
{
    orvane_gui::Menu menu;
    menu.setSize (100, 25);
    menu.setColour (juce::ComboBox::backgroundColourId, juce::Colours::blue);
    menu.setColour (juce::ComboBox::arrowColourId, juce::Colours::red);

    auto image = render (menu);

    // Chevron (73, 10) -> (80, 15) -> (87, 10), 4 thick: (76, 13) and (83, 13) lie 0.8 pixels
    // off the centre lines and are fully covered only by a stroke that wide.
    EXPECT_EQ (image.getPixelAt (76, 12).getARGB(), 0xffff0000u);
    EXPECT_EQ (image.getPixelAt (76, 13).getARGB(), 0xffff0000u);
    EXPECT_EQ (image.getPixelAt (83, 13).getARGB(), 0xffff0000u);
    EXPECT_EQ (image.getPixelAt (79, 14).getARGB(), 0xffff0000u);
    EXPECT_EQ (image.getPixelAt (80, 5).getARGB(), 0xff0000ffu);
    EXPECT_EQ (image.getPixelAt (80, 20).getARGB(), 0xff0000ffu);
    EXPECT_EQ (image.getPixelAt (71, 9).getARGB(), 0xff0000ffu);  // butt ends: nothing before (73, 10)
    EXPECT_EQ (image.getPixelAt (88, 9).getARGB(), 0xff0000ffu);  // or after (87, 10)

    // Rounded corners with radius 6, invisible outline.
    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_EQ (image.getPixelAt (50, 0).getARGB(), 0xff0000ffu);
    EXPECT_EQ (image.getPixelAt (0, 12).getARGB(), 0xff0000ffu);

    // The arrow colour is used as stored, also when the box is disabled.
    menu.setEnabled (false);
    image = render (menu);
    EXPECT_EQ (image.getPixelAt (76, 12).getARGB(), 0xffff0000u);

    // Square inside a choice property row.
    juce::Value value;
    juce::ChoicePropertyComponent property (value, "choice", { "a", "b" }, { 1, 2 });
    property.addAndMakeVisible (menu);
    image = render (menu);
    EXPECT_EQ (image.getPixelAt (0, 0).getARGB(), 0xff0000ffu);
    property.removeChildComponent (&menu);
}

TEST (MenuLAFTest, DefaultColoursAndHoverShadeOnScreen)
{
    orvane_gui::Menu menu;
    menu.setSize (100, 25);

    auto image = render (menu);
    EXPECT_EQ (image.getPixelAt (50, 20).getARGB(), normal);
    EXPECT_EQ (image.getPixelAt (50, 0).getARGB(), normal);  // outline drawn fully transparent
    EXPECT_EQ (image.getPixelAt (95, 20).getARGB(), normal);
    EXPECT_EQ (image.getPixelAt (76, 12), composited (juce::Colour (normal), juce::Colour (0x80f5f5f5)));

    menu.mouseEnter (mouseEvent (menu));
    image = render (menu);
    EXPECT_EQ (image.getPixelAt (50, 20).getARGB(), lit);
    menu.mouseExit (mouseEvent (menu));
}
