#include <orvane_modules/orvane_modules.h>

#include <BinaryData.h>

#include <gtest/gtest.h>

#include <vector>

#include "GuiTestSupport.h"

namespace
{
using guitest::countDifferentPixels;
using guitest::countPixelsOfColour;
using guitest::render;

constexpr juce::uint32 panelColour = 0xff1f1f1fU;
constexpr juce::uint32 frameColour = 0xff2f4f4fU;
constexpr juce::uint32 textColour  = 0xff7a7a7aU;

juce::uint32 argbAt (const juce::Image& image, int x, int y)
{
    return image.getPixelAt (x, y).getARGB();
}

// Delivers the messages already queued (at most 1000), without waiting for more.
void drainMessages()
{
    for (int i = 0; i < 1000 && juce::dispatchNextMessageOnSystemQueue (true); ++i) {}
}

/** Points an embedded image at bytes that do not decode, for as long as it lives. */
class UndecodableImage
{
public:
    explicit UndecodableImage (const char*& resourceToBreak, int resourceSize)
        : resource (resourceToBreak), original (resourceToBreak), garbage ((size_t) resourceSize, '\0')
    {
        resource = garbage.data();
    }

    ~UndecodableImage() { resource = original; }

private:
    const char*& resource;
    const char* original;
    std::vector<char> garbage;

    JUCE_DECLARE_NON_COPYABLE (UndecodableImage)
};

struct CountingListener : juce::Label::Listener
{
    void labelTextChanged (juce::Label*) override { ++calls; }
    int calls = 0;
};
} // namespace

//==============================================================================
TEST (LabelConstruction, SetsTheCaptionColours)
{
    struct Case { int id; int expectedId; juce::uint32 argb; };

    const Case cases[] =
    {
        { juce::Label::backgroundColourId, 0x1000280, 0x00000000U },
        { juce::Label::outlineColourId,    0x1000282, 0x00000000U },
        { juce::Label::textColourId,       0x1000281, textColour },
    };

    for (const auto transparent : { true, false })
    {
        orvane_gui::Label label (transparent, "HP");

        for (const auto& c : cases)
        {
            SCOPED_TRACE (juce::String::toHexString (c.expectedId).toStdString());
            EXPECT_EQ (c.id, c.expectedId);
            EXPECT_TRUE (label.isColourSpecified (c.id));
            EXPECT_EQ (label.findColour (c.id).getARGB(), c.argb);
        }
    }
}

TEST (LabelConstruction, IsCentredQuietAndNotEditable)
{
    orvane_gui::Label label (true, "Gain");

    CountingListener listener;
    int callbacks = 0;
    label.addListener (&listener);
    label.onTextChange = [&callbacks] { ++callbacks; };
    drainMessages();   // nothing from construction may still be pending

    EXPECT_EQ (label.getText(), "Gain");
    EXPECT_EQ (label.getName(), "");
    EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centred));
    EXPECT_FALSE (label.isEditableOnSingleClick());
    EXPECT_FALSE (label.isEditableOnDoubleClick());
    EXPECT_EQ (listener.calls, 0);
    EXPECT_EQ (callbacks, 0);

    label.removeListener (&listener);
}

TEST (LabelFont, StartsAtTheMinimumHeightInBoldHelvetica)
{
    orvane_gui::Label label (false, "CPU");
    const auto font = label.getFont();

    EXPECT_EQ (font.getHeight(), 0.1f);
    EXPECT_TRUE (font.isBold());
    EXPECT_FALSE (font.isItalic());
    EXPECT_EQ (font.getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));
}

TEST (LabelFont, ResizingNeverChangesIt)
{
    orvane_gui::Label untouched (true, "Q");
    orvane_gui::Label owned (true, "Q");
    const auto ownerFont = orvane_gui::makeFont ("Helvetica", 13.5f, juce::Font::bold);
    owned.setFont (ownerFont);

    for (const auto& size : { juce::Point<int> (100, 30), juce::Point<int> (251, 266), juce::Point<int> (0, 0), juce::Point<int> (37, 37) })
    {
        untouched.setSize (size.x, size.y);
        owned.setSize (size.x, size.y);

        EXPECT_EQ (untouched.getFont().getHeight(), 0.1f);
        EXPECT_TRUE (untouched.getFont().isBold());
        EXPECT_EQ (owned.getFont(), ownerFont);
    }
}

TEST (LabelResize, GivesAnOpenEditorTheWholeLabel)
{
    orvane_gui::Label label (true, "Gain");
    label.setSize (60, 20);
    label.showEditor();
    ASSERT_NE (label.getCurrentTextEditor(), nullptr);

    label.setSize (90, 33);
    EXPECT_EQ (label.getCurrentTextEditor()->getBounds(), juce::Rectangle<int> (0, 0, 90, 33));
}

//==============================================================================
TEST (LabelPainting, TransparentLabelDrawsLikeAPlainFrameworkLabel)
{
    const auto font = orvane_gui::makeFont ("Helvetica", 16.0f, juce::Font::bold);

    orvane_gui::Label label (true, "HP");
    label.setFont (font);
    label.setSize (64, 28);

    juce::Label plain;
    plain.setText ("HP", juce::dontSendNotification);
    plain.setColour (juce::Label::backgroundColourId, juce::Colour (0x00000000U));
    plain.setColour (juce::Label::outlineColourId, juce::Colour (0x00000000U));
    plain.setColour (juce::Label::textColourId, juce::Colour (textColour));
    plain.setJustificationType (juce::Justification::centred);
    plain.setFont (font);
    plain.setSize (64, 28);

    const auto image = render (label);
    EXPECT_EQ (countDifferentPixels (image, render (plain)), 0);

    // Only the text is drawn, in the text colour, centred; no background and no outline.
    juce::Rectangle<int> inked;
    juce::uint8 maxAlpha = 0;

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto pixel = image.getPixelAt (x, y);

            if (pixel.getAlpha() == 0)
                continue;

            inked = inked.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : inked.getUnion ({ x, y, 1, 1 });
            maxAlpha = std::max (maxAlpha, pixel.getAlpha());

            if (pixel.getAlpha() == 0xff)
            {
                EXPECT_EQ (pixel.getARGB(), textColour);
            }
        }
    }

    EXPECT_EQ (maxAlpha, 0xff);
    ASSERT_FALSE (inked.isEmpty());
    EXPECT_GT (inked.getX(), 0);
    EXPECT_GT (inked.getY(), 0);
    EXPECT_NEAR (inked.getCentreX(), 32, 1);
    EXPECT_NEAR (inked.getCentreY(), 14, 2);
}

TEST (LabelPainting, OpaqueLabelLayersPanelFrameAndText)
{
    orvane_gui::Label label (false, "CPU");
    label.setFont (orvane_gui::makeFont ("Helvetica", 40.0f, juce::Font::bold));
    label.setSize (251, 266);

    const auto image = render (label);

    // The frame's border at the edges, the panel inside, and no transparent pixel anywhere.
    EXPECT_EQ (argbAt (image, 0, 0), frameColour);
    EXPECT_EQ (argbAt (image, 0, 265), frameColour);
    EXPECT_EQ (argbAt (image, 125, 265), frameColour);
    EXPECT_EQ (argbAt (image, 20, 20), panelColour);
    EXPECT_EQ (argbAt (image, 230, 245), panelColour);

    int textPixels = 0;

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0xff) << x << ", " << y;

            if (argbAt (image, x, y) == textColour)
                ++textPixels;
        }
    }

    // The text lies on top of the panel, in its own colour.
    EXPECT_GT (textPixels, 100);
}

TEST (LabelPainting, StretchesBothImagesOverTheLabel)
{
    // At 251 x 266 the 6-pixel border of the 502 x 533 frame is 3 pixels wide at the left and right
    // and 266 / 533 * 6 = 2.99 pixels at the top and bottom.
    orvane_gui::Label label (false, "");
    label.setSize (251, 266);
    const auto image = render (label);

    const auto frame = juce::Colour (frameColour);

    const auto expectNearlyFrame = [&frame] (juce::Colour pixel, int x, int y)
    {
        EXPECT_NEAR (pixel.getRed(),   frame.getRed(),   3) << x << ", " << y;
        EXPECT_NEAR (pixel.getGreen(), frame.getGreen(), 3) << x << ", " << y;
        EXPECT_NEAR (pixel.getBlue(),  frame.getBlue(),  3) << x << ", " << y;
    };

    for (int y : { 3, 133, 262 })
    {
        for (int x : { 0, 1, 2, 248, 249 })
            EXPECT_EQ (argbAt (image, x, y), frameColour) << x << ", " << y;

        // The rasteriser covers the outermost right-hand column of a scaled image to 253/255.
        expectNearlyFrame (image.getPixelAt (250, y), 250, y);

        for (int x : { 3, 125, 247 })
            EXPECT_EQ (argbAt (image, x, y), panelColour) << x << ", " << y;
    }

    for (int x : { 3, 125, 247 })
    {
        for (int y : { 0, 1, 264, 265 })
            EXPECT_EQ (argbAt (image, x, y), frameColour) << x << ", " << y;

        // The rows that the border covers to 99 percent are the frame's colour, or very nearly.
        for (int y : { 2, 263 })
            expectNearlyFrame (image.getPixelAt (x, y), x, y);

        for (int y : { 4, 133, 261 })
            EXPECT_EQ (argbAt (image, x, y), panelColour) << x << ", " << y;
    }

    // An empty opaque label is the two images stretched over it, drawn in order.
    juce::Image expected (juce::Image::ARGB, 251, 266, true);
    {
        juce::Graphics g (expected);
        g.drawImageTransformed (juce::ImageCache::getFromMemory (BinaryData::labelPanel_png, BinaryData::labelPanel_pngSize),
                                juce::AffineTransform::scale (251.0f / 490.0f, 266.0f / 521.0f));
        g.drawImageTransformed (juce::ImageCache::getFromMemory (BinaryData::labelFrame_png, BinaryData::labelFrame_pngSize),
                                juce::AffineTransform::scale (251.0f / 502.0f, 266.0f / 533.0f));
    }

    EXPECT_EQ (countDifferentPixels (image, expected), 0);
}

TEST (LabelPainting, SkipsAnImageThatCannotBeDecoded)
{
    struct Case
    {
        const char* name;
        bool breakPanel, breakFrame;
        juce::uint32 corner, centre;
    };

    const Case cases[] =
    {
        { "panel missing", true,  false, frameColour, 0x00000000U },
        { "frame missing", false, true,  panelColour, panelColour },
        { "both missing",  true,  true,  0x00000000U, 0x00000000U },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);

        std::unique_ptr<UndecodableImage> panel, frame;

        if (c.breakPanel)
            panel = std::make_unique<UndecodableImage> (BinaryData::labelPanel_png, BinaryData::labelPanel_pngSize);

        if (c.breakFrame)
            frame = std::make_unique<UndecodableImage> (BinaryData::labelFrame_png, BinaryData::labelFrame_pngSize);

        orvane_gui::Label label (false, "CPU");
        label.setFont (orvane_gui::makeFont ("Helvetica", 30.0f, juce::Font::bold));
        label.setSize (120, 80);
        const auto image = render (label);

        EXPECT_EQ (argbAt (image, 0, 0), c.corner);
        EXPECT_EQ (argbAt (image, 0, 79), c.corner);
        EXPECT_EQ (argbAt (image, 60, 79), c.corner);
        EXPECT_EQ (argbAt (image, 10, 40), c.centre);

        // The text is still drawn.
        EXPECT_GT (countPixelsOfColour (image, textColour), 20);
    }
}
