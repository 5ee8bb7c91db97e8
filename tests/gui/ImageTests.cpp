#include <orvane_modules/orvane_modules.h>

#include <BinaryData.h>

#include <gtest/gtest.h>

#include <functional>

#include "GuiTestSupport.h"

namespace
{
using guitest::cachedImage;

struct Resource
{
    const char* name;
    const char* data;
    int size;
    int width, height;
};

const Resource resources[] =
{
    { "labelPanel",       BinaryData::labelPanel_png,       BinaryData::labelPanel_pngSize,       490,  521 },
    { "labelFrame",       BinaryData::labelFrame_png,       BinaryData::labelFrame_pngSize,       502,  533 },
    { "keyWide",          BinaryData::keyWide_png,          BinaryData::keyWide_pngSize,          252,  132 },
    { "keyWideLit",       BinaryData::keyWideLit_png,       BinaryData::keyWideLit_pngSize,       252,  132 },
    { "keyNarrow",        BinaryData::keyNarrow_png,        BinaryData::keyNarrow_pngSize,        164,  131 },
    { "keyNarrowPressed", BinaryData::keyNarrowPressed_png, BinaryData::keyNarrowPressed_pngSize, 164,  131 },
    { "ledOff",           BinaryData::ledOff_png,           BinaryData::ledOff_pngSize,           78,   82 },
    { "ledOn",            BinaryData::ledOn_png,            BinaryData::ledOn_pngSize,            78,   82 },
    { "background",       BinaryData::background_png,       BinaryData::background_pngSize,       3167, 1584 },
    { "logo",             BinaryData::logo_png,             BinaryData::logo_pngSize,             2163, 472 },
};

juce::uint32 bigEndian32 (const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*> (bytes);
    return (juce::uint32) b[0] << 24 | (juce::uint32) b[1] << 16 | (juce::uint32) b[2] << 8 | (juce::uint32) b[3];
}
} // namespace

TEST (ImageResources, AreEightBitRgbaPngsOfTheirSize)
{
    for (const auto& r : resources)
    {
        SCOPED_TRACE (r.name);

        // Signature, then the IHDR chunk: width, height, bit depth 8, colour type 6 (RGB + alpha).
        ASSERT_GT (r.size, 33);
        EXPECT_EQ (juce::String::toHexString (r.data, 8, 0), "89504e470d0a1a0a");
        EXPECT_EQ (juce::String (r.data + 12, 4), "IHDR");
        EXPECT_EQ (bigEndian32 (r.data + 16), (juce::uint32) r.width);
        EXPECT_EQ (bigEndian32 (r.data + 20), (juce::uint32) r.height);
        EXPECT_EQ (r.data[24], 8);
        EXPECT_EQ (r.data[25], 6);

        const auto image = cachedImage (r.data, r.size);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), r.width);
        EXPECT_EQ (image.getHeight(), r.height);
        EXPECT_TRUE (image.hasAlphaChannel());
    }
}

TEST (ImageResources, LabelPanelIsOneOpaqueColour)
{
    const auto panel = cachedImage (BinaryData::labelPanel_png, BinaryData::labelPanel_pngSize);
    ASSERT_TRUE (panel.isValid());
    int wrong = 0;

    for (int y = 0; y < panel.getHeight(); ++y)
        for (int x = 0; x < panel.getWidth(); ++x)
            if (panel.getPixelAt (x, y).getARGB() != 0xff1f1f1fU)
                ++wrong;

    EXPECT_EQ (wrong, 0);
}

TEST (ImageResources, LabelFrameIsASixPixelBorderAroundATransparentInterior)
{
    const auto frame = cachedImage (BinaryData::labelFrame_png, BinaryData::labelFrame_pngSize);
    ASSERT_TRUE (frame.isValid());
    const juce::Rectangle<int> interior (6, 6, 490, 521);
    int wrongBorder = 0, wrongInterior = 0;

    for (int y = 0; y < frame.getHeight(); ++y)
    {
        for (int x = 0; x < frame.getWidth(); ++x)
        {
            const auto argb = frame.getPixelAt (x, y).getARGB();

            if (interior.contains (x, y))
                wrongInterior += argb != 0x00000000U ? 1 : 0;
            else
                wrongBorder += argb != 0xff2f4f4fU ? 1 : 0;   // dark slate-grey, opaque
        }
    }

    EXPECT_EQ (wrongBorder, 0);
    EXPECT_EQ (wrongInterior, 0);
}

TEST (ImageResources, KeysAndLedsSitOnATransparentSurround)
{
    struct Case
    {
        const char* name;
        const char* data;
        int size;
        std::function<bool (juce::Colour)> centreLooksRight;
    };

    const auto lightGrey = [] (juce::Colour c) { return c.getSaturation() < 0.1f && c.getBrightness() > 0.6f; };

    const Case cases[] =
    {
        { "keyWide",          BinaryData::keyWide_png, BinaryData::keyWide_pngSize, lightGrey },
        { "keyWideLit",       BinaryData::keyWideLit_png, BinaryData::keyWideLit_pngSize,
          [] (juce::Colour c) { return c.getRed() > 200 && c.getRed() > c.getBlue() + 60; } },          // amber
        { "keyNarrow",        BinaryData::keyNarrow_png, BinaryData::keyNarrow_pngSize, lightGrey },
        { "keyNarrowPressed", BinaryData::keyNarrowPressed_png, BinaryData::keyNarrowPressed_pngSize,
          [] (juce::Colour c) { return c.getSaturation() < 0.1f && c.getBrightness() > 0.4f && c.getBrightness() < 0.7f; } },
        { "ledOff",           BinaryData::ledOff_png, BinaryData::ledOff_pngSize,
          [] (juce::Colour c) { return c.getBrightness() < 0.3f; } },
        { "ledOn",            BinaryData::ledOn_png, BinaryData::ledOn_pngSize,
          [] (juce::Colour c) { return c.getRed() > 240 && c.getGreen() > c.getBlue() + 60 && c.getRed() > c.getGreen() + 40; } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = cachedImage (c.data, c.size);
        ASSERT_TRUE (image.isValid());
        const auto w = image.getWidth(), h = image.getHeight();

        for (const auto& p : { juce::Point<int> (0, 0), juce::Point<int> (w - 1, 0), juce::Point<int> (0, h - 1), juce::Point<int> (w - 1, h - 1) })
            EXPECT_EQ (image.getPixelAt (p.x, p.y).getAlpha(), 0) << p.x << ", " << p.y;

        const auto centre = image.getPixelAt (w / 2, h / 2 + 6);
        EXPECT_EQ (centre.getAlpha(), 0xff);
        EXPECT_TRUE (c.centreLooksRight (centre)) << centre.toDisplayString (true);
    }

    // The pressed narrow key is darker than the one at rest.
    const auto up = cachedImage (BinaryData::keyNarrow_png, BinaryData::keyNarrow_pngSize).getPixelAt (82, 71);
    const auto down = cachedImage (BinaryData::keyNarrowPressed_png, BinaryData::keyNarrowPressed_pngSize).getPixelAt (82, 71);
    EXPECT_LT (down.getBrightness(), up.getBrightness() - 0.1f);
}

TEST (ImageResources, BackgroundIsOpaqueAndDarkAndLogoIsLightOnTransparent)
{
    const auto background = cachedImage (BinaryData::background_png, BinaryData::background_pngSize);
    ASSERT_TRUE (background.isValid());
    int notOpaque = 0, notDark = 0;

    for (int y = 0; y < background.getHeight(); y += 3)
    {
        for (int x = 0; x < background.getWidth(); x += 3)
        {
            const auto pixel = background.getPixelAt (x, y);
            notOpaque += pixel.getAlpha() != 0xff ? 1 : 0;
            notDark += pixel.getBrightness() > 0.25f ? 1 : 0;
        }
    }

    EXPECT_EQ (notOpaque, 0);
    EXPECT_EQ (notDark, 0);

    const auto logo = cachedImage (BinaryData::logo_png, BinaryData::logo_pngSize);
    ASSERT_TRUE (logo.isValid());
    int transparent = 0, light = 0, darkInk = 0;

    for (int y = 0; y < logo.getHeight(); y += 2)
    {
        for (int x = 0; x < logo.getWidth(); x += 2)
        {
            const auto pixel = logo.getPixelAt (x, y);

            if (pixel.getAlpha() == 0)
                ++transparent;
            else if (pixel.getAlpha() == 0xff && pixel.getBrightness() > 0.85f)
                ++light;
            else if (pixel.getAlpha() >= 0x80 && pixel.getBrightness() <= 0.85f)
                ++darkInk;
        }
    }

    EXPECT_EQ (logo.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (darkInk, 0);
    EXPECT_GT (light, 10000);
    EXPECT_GT (transparent, light);
}
