#pragma once

#include "../gui/GuiTestSupport.h"

#include <gtest/gtest.h>

/** Checks shared by the editor's and its panels' tests. */
namespace editortest
{
/** The label among the parent's children that is attached to the control, or nullptr. */
inline juce::Label* captionOf (juce::Component& parent, juce::Component& control)
{
    for (auto* child : parent.getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child); label != nullptr && label->getAttachedComponent() == &control)
            return label;

    return nullptr;
}

/** The control's caption sits directly above it, as wide as it, in bold "Helvetica" of the
    given height. */
inline void expectCaptionAbove (juce::Component& parent, juce::Component& control, float fontHeight)
{
    auto* caption = captionOf (parent, control);
    ASSERT_NE (caption, nullptr);
    EXPECT_EQ (caption->getX(), control.getX());
    EXPECT_EQ (caption->getWidth(), control.getWidth());
    EXPECT_EQ (caption->getBottom(), control.getY());

    const auto font = caption->getFont();
    EXPECT_EQ (font.getHeight(), fontHeight);
    EXPECT_TRUE (font.isBold());
    EXPECT_FALSE (font.isItalic());
    EXPECT_EQ (font.getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));
}

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

/** How many pixels the component draws once all its children are hidden (it stays so). */
inline int pixelsDrawnWithChildrenHidden (juce::Component& parent)
{
    for (auto* child : parent.getChildren())
        child->setVisible (false);

    return guitest::countPixelsWhere (guitest::render (parent), [] (juce::Colour pixel) { return pixel.getAlpha() != 0; });
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
