#pragma once

#include "../gui/GuiTestSupport.h"

/** Checks shared by the editor's and its panels' tests. */
namespace editortest
{
/** The pixels a component draws together with its children, split into those that lie inside a
    visible child and those elsewhere. */
struct Coverage
{
    int insideChildren = 0;
    int elsewhere = 0;
};

inline Coverage paintCoverage (juce::Component& parent)
{
    const auto image = guitest::render (parent);
    juce::RectangleList<int> children;

    for (auto* child : parent.getChildren())
        if (child->isVisible())
            children.add (child->getBounds());

    Coverage coverage;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                ++(children.containsPoint ({ x, y }) ? coverage.insideChildren : coverage.elsewhere);

    return coverage;
}

/** How many pixels the component's own paint() changes on an image filled with one colour. */
inline int pixelsChangedByOwnPaint (juce::Component& component)
{
    const juce::Colour beneath (0xff204060);
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    image.clear (image.getBounds(), beneath);

    {
        juce::Graphics g (image);
        component.paint (g);
    }

    return guitest::countPixelsWhere (image, [beneath] (juce::Colour pixel) { return pixel != beneath; });
}
} // namespace editortest
