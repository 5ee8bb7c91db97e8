/*  Draws the plug-in's embedded images and writes them as 8-bit RGBA PNG files.

    Usage: TandrelImageGen <output folder>

    Everything is computed from fixed numbers (no clock, no random source, no installed font), so
    two runs write byte-identical files.
*/

#include "ImageFiles.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace
{
using juce::Colour;
using juce::Graphics;
using juce::Image;

Image makeCanvas (int width, int height)
{
    return Image (Image::ARGB, width, height, true, juce::SoftwareImageType());
}

/** A deterministic value in [0, 1) for an integer coordinate. */
float hash01 (juce::uint32 n)
{
    n ^= n >> 16;
    n *= 0x7feb352dU;
    n ^= n >> 15;
    n *= 0x846ca68bU;
    n ^= n >> 16;
    return (float) (n & 0xffffffU) / (float) 0x1000000;
}

/** Copies `image` blurred with a gaussian kernel of the given radius. */
Image blurred (const Image& image, float radius)
{
    const auto size = 2 * (int) std::ceil (radius) + 1;
    juce::ImageConvolutionKernel kernel (size);
    kernel.createGaussianBlur (radius);

    auto result = makeCanvas (image.getWidth(), image.getHeight());
    kernel.applyToImage (result, image, image.getBounds());
    return result;
}

/** A soft glow (or shadow) of the given shape and colour, drawn beneath whatever comes next. */
void drawGlow (Graphics& g, int width, int height, const juce::Path& shape, Colour colour, float radius)
{
    auto layer = makeCanvas (width, height);
    {
        Graphics lg (layer);
        lg.setColour (colour);
        lg.fillPath (shape);
    }
    g.drawImageAt (blurred (layer, radius), 0, 0);
}

//==============================================================================
Image makeLabelPanel()
{
    auto image = makeCanvas (490, 521);
    Graphics g (image);
    g.fillAll (Colour (0xff1f1f1fU));
    return image;
}

Image makeLabelFrame()
{
    constexpr int border = 6;
    auto image = makeCanvas (502, 533);
    Graphics g (image);
    g.setColour (juce::Colours::darkslategrey);
    g.fillRect (0, 0, 502, border);
    g.fillRect (0, 533 - border, 502, border);
    g.fillRect (0, border, border, 533 - 2 * border);
    g.fillRect (502 - border, border, border, 533 - 2 * border);
    return image;
}

//==============================================================================
enum class KeyLook { idle, lit, pressed };

/** A rounded light-grey key filling most of a `width` x `height` canvas. */
Image makeKey (int width, int height, KeyLook look)
{
    auto image = makeCanvas (width, height);
    Graphics g (image);

    const auto pressed = look == KeyLook::pressed;
    const auto lit = look == KeyLook::lit;
    const auto corner = 0.12f * (float) height;

    // The key's footprint; a pressed key sits a little lower and casts a tighter shadow.
    auto body = juce::Rectangle<float> (0.0f, 0.0f, (float) width, (float) height).reduced (10.0f, 10.0f);
    body = body.withTrimmedBottom (4.0f);

    if (pressed)
        body = body.translated (0.0f, 3.0f).reduced (1.0f, 0.0f);

    juce::Path bodyPath;
    bodyPath.addRoundedRectangle (body, corner);

    if (lit)
    {
        juce::Path halo;
        halo.addRoundedRectangle (body.expanded (2.0f), corner + 2.0f);
        drawGlow (g, width, height, halo, Colour (0xffffa81cU).withAlpha (0.9f), 6.0f);
    }
    else
    {
        juce::Path shadow;
        shadow.addRoundedRectangle (body.translated (0.0f, pressed ? 1.5f : 4.0f), corner);
        drawGlow (g, width, height, shadow, Colour (0xff000000U).withAlpha (pressed ? 0.45f : 0.6f), pressed ? 2.5f : 4.5f);
    }

    // Body: a vertical light-grey gradient, warmer when lit, darker when pressed.
    const auto top    = lit ? Colour (0xfff4ead6U) : pressed ? Colour (0xffb4b4b4U) : Colour (0xffe2e2e2U);
    const auto bottom = lit ? Colour (0xffd9c49cU) : pressed ? Colour (0xff8e8e8eU) : Colour (0xffb6b6b6U);
    g.setGradientFill (juce::ColourGradient (top, 0.0f, body.getY(), bottom, 0.0f, body.getBottom(), false));
    g.fillPath (bodyPath);

    // Face: a slightly inset, gently concave top surface.
    const auto face = body.reduced (0.07f * body.getWidth(), 0.1f * body.getHeight())
                          .withTrimmedBottom (0.06f * body.getHeight());
    juce::Path facePath;
    facePath.addRoundedRectangle (face, corner * 0.7f);
    g.setGradientFill (juce::ColourGradient (bottom.brighter (0.08f), 0.0f, face.getY(),
                                             top.brighter (0.04f), 0.0f, face.getBottom(), false));
    g.fillPath (facePath);

    if (lit)
    {
        // Amber light from inside the key, strongest in the middle of the face.
        g.setGradientFill (juce::ColourGradient (Colour (0xffffb030U).withAlpha (0.75f), face.getCentreX(), face.getCentreY(),
                                                 Colour (0xffff9000U).withAlpha (0.0f), face.getX(), face.getY(), true));
        g.fillPath (bodyPath);
    }

    if (pressed)
    {
        // Pressed in: the upper edge of the face falls into shadow.
        g.setGradientFill (juce::ColourGradient (Colour (0x60000000U), 0.0f, face.getY(),
                                                 Colour (0x00000000U), 0.0f, face.getY() + 0.3f * face.getHeight(), false));
        g.fillPath (facePath);
    }

    // Edges: a fine highlight along the top and a darker outline.
    g.setColour (juce::Colours::white.withAlpha (pressed ? 0.2f : 0.55f));
    juce::Path highlight;
    highlight.addRoundedRectangle (body.reduced (1.5f), corner - 1.5f);
    g.strokePath (highlight, juce::PathStrokeType (1.0f));

    g.setColour (lit ? Colour (0xff9a6a20U) : Colour (0xff6e6e6eU));
    g.strokePath (bodyPath, juce::PathStrokeType (1.5f));

    return image;
}

//==============================================================================
Image makeLed (bool on)
{
    constexpr int width = 78, height = 82;
    auto image = makeCanvas (width, height);
    Graphics g (image);

    const auto cx = 0.5f * (float) width;
    const auto cy = 0.5f * (float) height;
    const auto circle = [cx, cy] (float r) { return juce::Rectangle<float> (cx - r, cy - r, 2.0f * r, 2.0f * r); };

    if (on)
    {
        g.setGradientFill (juce::ColourGradient (Colour (0xffff8a1cU).withAlpha (0.7f), cx, cy,
                                                 Colour (0xffff6a00U).withAlpha (0.0f), cx + 38.0f, cy, true));
        g.fillEllipse (circle (38.0f));
    }
    else
    {
        juce::Path shadow;
        shadow.addEllipse (circle (29.0f).translated (0.0f, 2.0f));
        drawGlow (g, width, height, shadow, Colour (0xb0000000U), 3.0f);
    }

    // Metal bezel, lit from above.
    g.setGradientFill (juce::ColourGradient (Colour (0xff6a6a6aU), cx, cy - 29.0f, Colour (0xff1c1c1cU), cx, cy + 29.0f, false));
    g.fillEllipse (circle (29.0f));
    g.setColour (Colour (0xff0c0c0cU));
    g.fillEllipse (circle (23.0f));

    // Lens.
    const auto lens = circle (20.0f);

    if (on)
    {
        juce::ColourGradient lensFill (Colour (0xfffff0c8U), cx - 3.0f, cy - 4.0f, Colour (0xffc84a00U), cx + 20.0f, cy, true);
        lensFill.addColour (0.45, Colour (0xffff9a1eU));
        g.setGradientFill (lensFill);
    }
    else
    {
        g.setGradientFill (juce::ColourGradient (Colour (0xff4a2c18U), cx - 4.0f, cy - 6.0f, Colour (0xff140a05U), cx + 20.0f, cy, true));
    }

    g.fillEllipse (lens);

    // Specular highlight on the dome.
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (on ? 0.7f : 0.3f), cx - 6.0f, cy - 10.0f,
                                             juce::Colours::white.withAlpha (0.0f), cx - 6.0f, cy + 1.0f, false));
    g.fillEllipse (cx - 13.0f, cy - 16.0f, 14.0f, 9.0f);

    g.setColour (Colour (0x80000000U));
    g.drawEllipse (lens, 1.0f);

    return image;
}

//==============================================================================
Image makeBackground()
{
    constexpr int width = 3167, height = 1584;
    auto image = makeCanvas (width, height);
    Graphics g (image);

    // A dark vertical gradient.
    g.setGradientFill (juce::ColourGradient (Colour (0xff262626U), 0.0f, 0.0f, Colour (0xff151515U), 0.0f, (float) height, false));
    g.fillAll();

    // Brushed texture: faint horizontal streaks whose strength varies slowly from row to row, so
    // every row is one flat tone and the image compresses to very little.
    float previous = 0.0f;

    for (int y = 0; y < height; ++y)
    {
        const auto streak = 0.6f * previous + 0.4f * (hash01 ((juce::uint32) y) - 0.5f);
        previous = streak;
        g.setColour (streak >= 0.0f ? juce::Colours::white.withAlpha (0.05f * streak)
                                    : juce::Colours::black.withAlpha (-0.12f * streak));
        g.fillRect (0, y, width, 1);
    }

    // A soft darkening towards the left and right ends.
    {
        juce::ColourGradient sides (juce::Colours::black.withAlpha (0.3f), 0.0f, 0.0f,
                                    juce::Colours::black.withAlpha (0.3f), (float) width, 0.0f, false);
        sides.addColour (0.25, juce::Colours::black.withAlpha (0.0f));
        sides.addColour (0.75, juce::Colours::black.withAlpha (0.0f));
        g.setGradientFill (sides);
        g.fillAll();
    }

    // Bevelled edges: a light line along the top, dark lines along the other sides.
    g.setColour (juce::Colours::white.withAlpha (0.08f));
    g.fillRect (0, 0, width, 3);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillRect (0, height - 4, width, 4);
    g.fillRect (0, 0, 4, height);
    g.fillRect (width - 4, 0, 4, height);

    return image;
}

//==============================================================================
/** The "Tandrel" wordmark: geometric monoline letters built from rectangles and circular arcs. */
Image makeLogo()
{
    constexpr int width = 2163, height = 472;
    constexpr float stroke = 60.0f;     // weight of every stem, bowl and arch
    constexpr float capTop = 52.0f;     // top of T, d and l
    constexpr float xTop = 176.0f;      // top of the lowercase letters
    constexpr float baseline = 420.0f;
    constexpr float bowlY = 300.0f;     // centre of the bowls
    constexpr float bowlR = 94.0f;      // radius of the bowls' centre line
    constexpr float bowlW = 2.0f * bowlR + stroke;
    constexpr float gap = 40.0f;
    constexpr float pi = juce::MathConstants<float>::pi;

    auto image = makeCanvas (width, height);
    Graphics g (image);
    g.setColour (Colour (0xffecececU));

    // Each part is filled on its own: overlapping opaque parts cover each other's edges.
    const auto box = [&] (float left, float top, float boxWidth, float boxHeight)
    {
        g.fillRect (juce::Rectangle<float> (left, top, boxWidth, boxHeight));
    };

    const auto stem = [&] (float left, float top, float bottom) { box (left, top, stroke, bottom - top); };

    const auto ring = [&] (float cx)
    {
        juce::Path shape;
        shape.addEllipse (cx - bowlR - 0.5f * stroke, bowlY - bowlR - 0.5f * stroke, bowlW, bowlW);
        shape.addEllipse (cx - bowlR + 0.5f * stroke, bowlY - bowlR + 0.5f * stroke, bowlW - 2.0f * stroke, bowlW - 2.0f * stroke);
        shape.setUsingNonZeroWinding (false);
        g.fillPath (shape);
    };

    const auto arc = [&] (float cx, float from, float to)
    {
        juce::Path centreLine;
        centreLine.addCentredArc (cx, bowlY, bowlR, bowlR, 0.0f, from, to, true);
        g.strokePath (centreLine, juce::PathStrokeType (stroke, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
    };

    constexpr float tWidth = 280.0f, rWidth = 164.0f;
    constexpr float total = tWidth + 4.0f * bowlW + rWidth + stroke + 6.0f * gap;
    auto x = std::floor (0.5f * ((float) width - total));

    // T
    box (x, capTop, tWidth, stroke);
    stem (x + 0.5f * (tWidth - stroke), capTop, baseline);
    x += tWidth + gap;

    // a
    ring (x + 0.5f * bowlW);
    stem (x + bowlW - stroke, xTop, baseline);
    x += bowlW + gap;

    // n
    stem (x, xTop, baseline);
    arc (x + 0.5f * bowlW, -0.5f * pi, 0.5f * pi);
    stem (x + bowlW - stroke, bowlY - 1.0f, baseline);   // overlaps the arch's end: no seam
    x += bowlW + gap;

    // d
    ring (x + 0.5f * bowlW);
    stem (x + bowlW - stroke, capTop, baseline);
    x += bowlW + gap;

    // r
    stem (x, xTop, baseline);
    arc (x + 0.5f * bowlW, -0.5f * pi, 0.0f);
    box (x + 0.5f * bowlW - 1.0f, xTop, rWidth - 0.5f * bowlW + 1.0f, stroke);
    x += rWidth + gap;

    // e: a closed upper bowl, a bar at mid height and an opening at the lower right
    // the bar is cut to the bowl's outer circle, so its right end follows the curve.
    arc (x + 0.5f * bowlW, -1.25f * pi, 0.5f * pi);
    {
        juce::Path outer;
        outer.addEllipse (x, bowlY - 0.5f * bowlW, bowlW, bowlW);
        juce::Graphics::ScopedSaveState clipped (g);
        g.reduceClipRegion (outer);
        box (x + 0.5f * stroke, bowlY - 24.0f, bowlW, 48.0f);
    }
    x += bowlW + gap;

    // l
    stem (x, capTop, baseline);

    return image;
}
} // namespace

//==============================================================================
int main (int argc, char* argv[])
{
    const auto folder = ImageFiles::folderArgument (argc, argv);

    if (! folder)
        return 2;

    if (! folder->isDirectory())
    {
        std::fprintf (stderr, "not a folder: %s\n", argv[1]);
        return 2;
    }

    const std::pair<const char*, Image> images[] =
    {
        { "labelPanel.png",       makeLabelPanel() },
        { "labelFrame.png",       makeLabelFrame() },
        { "keyWide.png",          makeKey (252, 132, KeyLook::idle) },
        { "keyWideLit.png",       makeKey (252, 132, KeyLook::lit) },
        { "keyNarrow.png",        makeKey (164, 131, KeyLook::idle) },
        { "keyNarrowPressed.png", makeKey (164, 131, KeyLook::pressed) },
        { "ledOff.png",           makeLed (false) },
        { "ledOn.png",            makeLed (true) },
        { "background.png",       makeBackground() },
        { "logo.png",             makeLogo() },
    };

    for (const auto& [name, image] : images)
    {
        const auto file = folder->getChildFile (name);

        if (! ImageFiles::writePng (image, file))
        {
            std::fprintf (stderr, "could not write %s\n", file.getFullPathName().toRawUTF8());
            return 1;
        }

        std::printf ("%s %dx%d\n", name, image.getWidth(), image.getHeight());
    }

    return 0;
}
