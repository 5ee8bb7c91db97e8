#include <orvane_modules/orvane_modules.h>

#include <BinaryData.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "GuiTestSupport.h"

namespace
{
using guitest::cachedImage;
using guitest::countDifferentPixels;
using guitest::firstChildLabel;
using guitest::render;

/** `source` drawn at `opacity`, stretched into `area`, on a transparent canvas of `size`. */
juce::Image reference (const juce::Image& source, juce::Rectangle<int> size, juce::Rectangle<int> area, float opacity)
{
    juce::Image image (juce::Image::ARGB, size.getWidth(), size.getHeight(), true);
    juce::Graphics g (image);
    g.setOpacity (opacity);
    g.drawImageTransformed (source, juce::RectanglePlacement (juce::RectanglePlacement::stretchToFit)
                                        .getTransformToFit (source.getBounds().toFloat(), area.toFloat()));
    return image;
}

/** A single left-button event on `component`. */
juce::MouseEvent leftButtonEvent (juce::Component& component, juce::Point<float> position)
{
    return guitest::mouseEvent (component, position, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier));
}

// The mouse callbacks and hitTest are public on juce::Component, where the framework calls them.
void click (juce::Component& button, juce::Point<float> position)
{
    const auto event = leftButtonEvent (button, position);
    button.mouseDown (event);
    button.mouseUp (event);
}

struct Variant
{
    const char* name;
    std::function<std::unique_ptr<juce::ImageButton>()> make;
    juce::Image normal, down;
};

std::vector<Variant> variants()
{
    return {
        { "wide key",   [] { return std::make_unique<orvane_gui::ToggleButton> (true, "Phase"); },
          cachedImage (BinaryData::keyWide_png, BinaryData::keyWide_pngSize),
          cachedImage (BinaryData::keyWideLit_png, BinaryData::keyWideLit_pngSize) },
        { "narrow key", [] { return std::make_unique<orvane_gui::ToggleButton> (false, "Tube"); },
          cachedImage (BinaryData::keyNarrow_png, BinaryData::keyNarrow_pngSize),
          cachedImage (BinaryData::keyNarrowPressed_png, BinaryData::keyNarrowPressed_pngSize) },
        { "LED",        [] { return std::make_unique<orvane_gui::LEDButton>(); },
          cachedImage (BinaryData::ledOff_png, BinaryData::ledOff_pngSize),
          cachedImage (BinaryData::ledOn_png, BinaryData::ledOn_pngSize) },
    };
}
} // namespace

//==============================================================================
TEST (ImageButtonSetup, UsesTheSharedCachedImagesForEachState)
{
    for (const auto& v : variants())
    {
        SCOPED_TRACE (v.name);
        auto button = v.make();

        ASSERT_TRUE (v.normal.isValid());
        ASSERT_TRUE (v.down.isValid());
        EXPECT_EQ (button->getNormalImage(), v.normal);   // same decoded copy, not just equal pixels
        EXPECT_EQ (button->getOverImage(), v.normal);
        EXPECT_EQ (button->getDownImage(), v.down);

        EXPECT_EQ (button->getName(), "");
        EXPECT_EQ (button->getButtonText(), "");
        EXPECT_TRUE (button->getClickingTogglesState());
        EXPECT_FALSE (button->getToggleState());
        EXPECT_FALSE (button->isVisible());
        EXPECT_EQ (button->getBounds(), juce::Rectangle<int>());   // not sized to its image
    }
}

TEST (ImageButtonClicks, EveryClickFlipsTheToggleState)
{
    for (const auto& v : variants())
    {
        SCOPED_TRACE (v.name);
        auto button = v.make();
        button->setBounds (0, 0, 80, 40);
        button->setVisible (true);

        int clicks = 0;
        button->onClick = [&clicks] { ++clicks; };

        click (*button, { 40.0f, 20.0f });
        EXPECT_TRUE (button->getToggleState());
        click (*button, { 40.0f, 20.0f });
        EXPECT_FALSE (button->getToggleState());
        EXPECT_EQ (clicks, 2);
    }
}

TEST (ImageButtonDrawing, ShowsTheImageOfTheCurrentState)
{
    struct Case
    {
        const char* name;
        bool toggledOn;
        juce::Button::ButtonState mouse;
        bool expectDownImage;
        float opacity;
    };

    const Case cases[] =
    {
        { "off, idle",    false, juce::Button::buttonNormal, false, 1.0f },
        { "off, hovered", false, juce::Button::buttonOver,   false, 0.8f },
        { "off, held",    false, juce::Button::buttonDown,   true,  1.0f },
        { "on, idle",     true,  juce::Button::buttonNormal, true,  1.0f },
        { "on, hovered",  true,  juce::Button::buttonOver,   true,  1.0f },
    };

    for (const auto& v : variants())
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE (std::string (v.name) + ", " + c.name);

            // Sized exactly like its image, so the image is drawn one to one.
            auto button = v.make();
            button->setSize (v.normal.getWidth(), v.normal.getHeight());
            button->setToggleState (c.toggledOn, juce::dontSendNotification);
            button->setState (c.mouse);

            const auto& expectedImage = c.expectDownImage ? v.down : v.normal;
            const auto image = render (*button);
            EXPECT_EQ (countDifferentPixels (image, reference (expectedImage, button->getLocalBounds(), button->getLocalBounds(), c.opacity)), 0);

            // The key's middle is opaque in the image; dimmed to 80 percent only while hovered off.
            const auto centre = image.getPixelAt (image.getWidth() / 2, image.getHeight() / 2);
            EXPECT_NEAR (centre.getAlpha(), juce::roundToInt (255.0f * c.opacity), 1);
        }
    }
}

TEST (ImageButtonDrawing, FollowsTheMouseWhilePressedAndReleased)
{
    orvane_gui::ToggleButton button (true, "Graphic");
    button.setSize (252, 132);
    button.setVisible (true);
    const auto event = leftButtonEvent (button, { 126.0f, 66.0f });
    const auto lit = cachedImage (BinaryData::keyWideLit_png, BinaryData::keyWideLit_pngSize);

    static_cast<juce::Component&> (button).mouseDown (event);
    EXPECT_TRUE (button.isDown());
    EXPECT_FALSE (button.getToggleState());
    EXPECT_EQ (countDifferentPixels (render (button), reference (lit, button.getLocalBounds(), button.getLocalBounds(), 1.0f)), 0);

    static_cast<juce::Component&> (button).mouseUp (event);
    EXPECT_FALSE (button.isDown());
    EXPECT_TRUE (button.getToggleState());
    EXPECT_EQ (countDifferentPixels (render (button), reference (lit, button.getLocalBounds(), button.getLocalBounds(), 1.0f)), 0);
}

TEST (ImageButtonDrawing, FitsTheImageCentredWithItsProportions)
{
    struct Case
    {
        const char* name;
        bool wide;
        juce::Rectangle<int> bounds, imageArea;
    };

    const Case cases[] =
    {
        { "wide key, wider button",   true,  { 0, 0, 300, 132 }, { 24, 0, 252, 132 } },
        { "wide key, taller button",  true,  { 0, 0, 126, 100 }, { 0, 17, 126, 66 } },
        { "wide key, editor size",    true,  { 0, 0, 81, 26 },   { 15, 0, 50, 26 } },
        { "narrow key, wider button", false, { 0, 0, 200, 131 }, { 18, 0, 164, 131 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        orvane_gui::ToggleButton button (c.wide, "Key");
        button.setBounds (c.bounds);
        button.setVisible (true);

        const auto normal = button.getNormalImage();
        EXPECT_EQ (countDifferentPixels (render (button), reference (normal, c.bounds, c.imageArea, 1.0f)), 0);

        // The transparent margins and corners take clicks like the rest of the button.
        const auto right = c.bounds.getWidth() - 1, bottom = c.bounds.getHeight() - 1;

        for (const auto& p : { juce::Point<int> (0, 0), juce::Point<int> (right, 0), juce::Point<int> (0, bottom),
                               juce::Point<int> (right, bottom), c.bounds.getCentre() })
            EXPECT_TRUE (static_cast<juce::Component&> (button).hitTest (p.x, p.y)) << p.x << ", " << p.y;

        click (button, { 0.0f, 0.0f });
        EXPECT_TRUE (button.getToggleState());
    }
}

//==============================================================================
TEST (ImageButtonCaption, IsATransparentLabelAttachedAboveTheKey)
{
    juce::Component parent;
    parent.setSize (936, 468);

    orvane_gui::ToggleButton button (true, "Phase");

    // Before the button has a parent the caption is its child, hidden with it, in the label style.
    ASSERT_EQ (button.getNumChildComponents(), 1);
    auto* caption = dynamic_cast<orvane_gui::Label*> (button.getChildComponent (0));
    ASSERT_NE (caption, nullptr);
    EXPECT_FALSE (caption->isVisible());
    EXPECT_EQ (caption->getText(), "Phase");
    EXPECT_EQ (caption->getJustificationType(), juce::Justification (juce::Justification::centredBottom));
    EXPECT_EQ (caption->findColour (juce::Label::textColourId).getARGB(), 0xff7a7a7aU);
    EXPECT_EQ (caption->findColour (juce::Label::backgroundColourId).getARGB(), 0x00000000U);
    EXPECT_EQ (caption->getAttachedComponent(), &button);
    EXPECT_FALSE (caption->isAttachedOnLeft());

    // Until the first layout it keeps the font the label started with.
    EXPECT_EQ (caption->getFont().getHeight(), 0.1f);
    EXPECT_TRUE (caption->getFont().isBold());

    parent.addAndMakeVisible (button);
    EXPECT_EQ (firstChildLabel (parent), caption);
    EXPECT_TRUE (caption->isVisible());

    // The font is set before the caption follows the key, so its height already fits the new
    // font: 81 * 0.15 = 12.15, giving 1 + 1 border + 6 + round (12.65) = 21 pixels.
    button.setBounds (599, 393, 81, 26);
    EXPECT_EQ (caption->getFont().getHeight(), (float) (81 * 0.15));
    EXPECT_EQ (caption->getBounds(), juce::Rectangle<int> (599, 372, 81, 21));

    button.setVisible (false);
    EXPECT_FALSE (caption->isVisible());
}

TEST (ImageButtonCaption, FontFollowsTheButtonWidthOnly)
{
    struct Case { int width, height; float expected; };

    const Case cases[] =
    {
        { 81,  26,  (float) (81 * 0.15) },
        { 252, 132, (float) (252 * 0.15) },
        { 252, 10,  (float) (252 * 0.15) },
        { 1,   26,  0.15f },
        { 0,   26,  0.1f },    // the framework's smallest font height
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.width);
        juce::Component parent;
        orvane_gui::ToggleButton button (false, "Tube");
        parent.addAndMakeVisible (button);

        button.setBounds (10, 50, c.width + 7, c.height + 3);   // a first layout at another size
        button.setBounds (10, 50, c.width, c.height);

        auto* caption = firstChildLabel (parent);
        ASSERT_NE (caption, nullptr);
        const auto font = caption->getFont();
        EXPECT_EQ (font.getHeight(), c.expected);
        EXPECT_EQ (font.getStyleFlags(), (int) juce::Font::plain);
        EXPECT_EQ (font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    }
}

TEST (ImageButtonCaption, LEDHasNoCaption)
{
    juce::Component parent;
    orvane_gui::LEDButton led;
    parent.addAndMakeVisible (led);
    led.setBounds (748, 383, 37, 37);

    EXPECT_EQ (led.getNumChildComponents(), 0);
    EXPECT_EQ (parent.getNumChildComponents(), 1);
}
