#include <orvane_modules/orvane_modules.h>

#include <BinaryData.h>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace
{
/** Number of pixels that text in `font` puts into an otherwise empty image. */
int inkedPixels (const juce::Font& font, const juce::String& text)
{
    juce::Image image (juce::Image::ARGB, 200, 60, true);
    {
        juce::Graphics g (image);
        g.setColour (juce::Colours::white);
        g.setFont (font);
        g.drawText (text, image.getBounds(), juce::Justification::centred, false);
    }

    return guitest::countPixelsWhere (image, [] (juce::Colour pixel) { return pixel.getAlpha() > 0; });
}
} // namespace

TEST (FontHelvetica, ResolvesToAnInstalledFamily)
{
    const auto name = orvane_gui::resolveTypefaceName ("Helvetica");

   #if JUCE_MAC || JUCE_IOS || JUCE_WINDOWS
    EXPECT_EQ (name, "Helvetica");
   #else
    EXPECT_TRUE (juce::Font::findAllTypefaceNames().contains (name)) << name;
   #endif
}

TEST (FontHelvetica, DrawsGlyphs)
{
    for (const auto style : { (int) juce::Font::plain, (int) juce::Font::bold })
    {
        SCOPED_TRACE (style);
        const auto font = orvane_gui::makeFont ("Helvetica", 24.0f, style);

        // A real installed face, not the framework's unnamed stand-in for a family it cannot find
        // (which draws fallback glyphs with other metrics).
        EXPECT_EQ (font.getTypefacePtr()->getName(), orvane_gui::resolveTypefaceName ("Helvetica"));
        EXPECT_TRUE (font.getTypefacePtr()->getName().isNotEmpty());

        EXPECT_EQ (font.getHeight(), 24.0f);
        EXPECT_EQ (font.getStyleFlags(), style);
        EXPECT_GT (font.getStringWidthFloat ("Gain"), 20.0f);
        EXPECT_GT (inkedPixels (font, "Gain 12 dB"), 300);
    }
}
