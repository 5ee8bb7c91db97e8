#include "editor/ZK_Window.h"

#include "editor/ControlLists.h"

#include <BinaryData.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "../ProcessorHarness.h"
#include "../gui/GuiTestSupport.h"

namespace
{
using Rect = juce::Rectangle<int>;

/** Delivers messages until the condition holds or the time is up; returns the condition. */
template <typename Condition>
bool runMessageLoopUntil (Condition&& done, int timeoutMilliseconds = 3000)
{
    const auto end = juce::Time::currentTimeMillis() + timeoutMilliseconds;

    while (! done() && juce::Time::currentTimeMillis() < end)
        guitest::runMessageLoop (5);

    return done();
}

/** The frame's own drawing alone (no children), into a clear image of its size. */
juce::Image paintFrameOnly (ZK_Window& frame)
{
    juce::Image image (juce::Image::ARGB, frame.getWidth(), frame.getHeight(), true);
    juce::Graphics g (image);
    frame.paint (g);
    return image;
}

/** The number of pixels inside `area` for which `isCounted (pixel of a, pixel of b)` holds. */
template <typename Predicate>
int countPixelPairsWhere (const juce::Image& a, const juce::Image& b, Rect area, Predicate&& isCounted)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (isCounted (a.getPixelAt (x, y), b.getPixelAt (x, y)))
                ++count;

    return count;
}

int countDifferentPixelsIn (const juce::Image& a, const juce::Image& b, Rect area)
{
    return countPixelPairsWhere (a, b, area, [] (juce::Colour p, juce::Colour q) { return p != q; });
}

/** The largest difference in any colour channel (alpha aside) between two pixels. */
int colourDistance (juce::Colour p, juce::Colour q)
{
    return std::max ({ std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                       std::abs (p.getBlue() - q.getBlue()) });
}

class FrameTest : public ::testing::Test
{
protected:
    std::unique_ptr<ZK_Window> makeFrame (int width = 936, int height = 468)
    {
        auto frame = std::make_unique<ZK_Window> (processor);
        frame->setSize (width, height);
        return frame;
    }

    juce::String meterText (ZK_Window& frame) { return frame.cpuValueLabel.getText(); }

    /** Waits for the meter to show `expected`; the frame's timer ticks every 100 ms. */
    bool meterShows (ZK_Window& frame, const juce::String& expected)
    {
        return runMessageLoopUntil ([&] { return meterText (frame) == expected; });
    }

    ProcessorHarness harness;
    TandrelAudioProcessor& processor = *harness.processor;
};

//==============================================================================
class FrameLayout : public FrameTest {};

TEST_F (FrameLayout, PlacesControlsAndSetsLabelFontsFromTheFrameSize)
{
    struct Case
    {
        int width, height;
        Rect quality, ms, phase, led, value, caption;
        float labelFontHeight;
    };

    // 702 x 351 makes every value land between two integers, so truncation is visible.
    const Case cases[] = {
        { 936, 468, { 327, 386, 93, 30 }, { 420, 386, 93, 30 }, { 599, 393, 81, 26 },
          { 748, 383, 37, 37 }, { 785, 383, 37, 37 }, { 822, 383, 37, 37 }, 11.232f },
        { 702, 351, { 245, 289, 70, 23 }, { 315, 289, 70, 23 }, { 449, 294, 60, 20 },
          { 561, 287, 28, 28 }, { 589, 287, 28, 28 }, { 617, 287, 28, 28 }, 8.424f },
    };

    auto frame = makeFrame (100, 50);

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.width) + " x " + juce::String (c.height));
        frame->setSize (c.width, c.height);

        EXPECT_EQ (frame->qualityMenu.getBounds(), c.quality);
        EXPECT_EQ (frame->msMenu.getBounds(), c.ms);
        EXPECT_EQ (frame->phaseToggle.getBounds(), c.phase);
        EXPECT_EQ (frame->cpuButton.getBounds(), c.led);
        EXPECT_EQ (frame->cpuValueLabel.getBounds(), c.value);
        EXPECT_EQ (frame->cpuCaptionLabel.getBounds(), c.caption);

        for (auto* label : { &frame->cpuValueLabel, &frame->cpuCaptionLabel })
        {
            EXPECT_EQ (label->getFont().getHeight(), c.labelFontHeight);
            EXPECT_EQ (label->getFont(), ControlLists::captionFont (c.labelFontHeight));
            EXPECT_TRUE (label->getFont().isBold());
        }

        // The link is placed by painting only.
        EXPECT_TRUE (frame->supportLink.getBounds().isEmpty());
    }
}

//==============================================================================
class FrameBindings : public FrameTest {};

TEST_F (FrameBindings, MenusListTheirItemsAndOpenOnTheParameterValue)
{
    using Items = std::vector<std::pair<juce::String, int>>;
    const auto itemsOf = [] (juce::ComboBox& menu)
    {
        Items items;
        for (int i = 0; i < menu.getNumItems(); ++i)
            items.emplace_back (menu.getItemText (i), menu.getItemId (i));
        return items;
    };

    auto frame = makeFrame();

    EXPECT_EQ (itemsOf (frame->qualityMenu), (Items { { "Normal", 1 }, { "High", 2 } }));
    EXPECT_EQ (itemsOf (frame->msMenu), (Items { { "Stereo", 1 }, { "Mid", 2 }, { "Side", 3 } }));

    // The placeholders "Quality" and "M / S" were replaced by the selection of the default
    // values, and stay replaced once the messages of construction have been delivered; nothing
    // reaches the parameters.
    for (int pass = 0; pass < 2; ++pass)
    {
        EXPECT_EQ (frame->qualityMenu.getText(), "Normal");
        EXPECT_EQ (frame->qualityMenu.getSelectedId(), 1);
        EXPECT_EQ (frame->msMenu.getText(), "Stereo");
        EXPECT_EQ (frame->msMenu.getSelectedId(), 1);
        EXPECT_EQ (harness.get ("quality"), 0.0f);
        EXPECT_EQ (harness.get ("ms"), 0.0f);
        guitest::runMessageLoop (150);
    }
}

TEST_F (FrameBindings, MenusShowTheParameterValueBeforeAndAfterConstruction)
{
    struct Case
    {
        orvane_gui::Menu ZK_Window::* menu;
        const char* parameter;
        float value;
        const char* text;
        int id;
    };

    const Case cases[] = {
        { &ZK_Window::qualityMenu, "quality", 1.0f, "High", 2 },
        { &ZK_Window::qualityMenu, "quality", 0.0f, "Normal", 1 },
        { &ZK_Window::msMenu, "ms", 1.0f, "Mid", 2 },
        { &ZK_Window::msMenu, "ms", 2.0f, "Side", 3 },
        { &ZK_Window::msMenu, "ms", 0.0f, "Stereo", 1 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.parameter) + " = " + juce::String (c.value));

        // Stored before the frame exists: the attachment selects it over the placeholder.
        harness.set (c.parameter, c.value);
        {
            auto frame = makeFrame();
            EXPECT_EQ (((*frame).*c.menu).getText(), c.text);
            EXPECT_EQ (((*frame).*c.menu).getSelectedId(), c.id);
        }

        // Changed by the host while the frame is open.
        auto frame = makeFrame();
        harness.set (c.parameter, c.value == 0.0f ? 1.0f : 0.0f);
        harness.set (c.parameter, c.value);
        EXPECT_EQ (((*frame).*c.menu).getText(), c.text);
        EXPECT_EQ (((*frame).*c.menu).getSelectedId(), c.id);
    }
}

TEST_F (FrameBindings, ChoosingAMenuItemSetsTheParameter)
{
    struct Case
    {
        orvane_gui::Menu ZK_Window::* menu;
        int id;
        const char* parameter;
        float value;
    };

    const Case cases[] = {
        { &ZK_Window::qualityMenu, 2, "quality", 1.0f },
        { &ZK_Window::qualityMenu, 1, "quality", 0.0f },
        { &ZK_Window::msMenu, 3, "ms", 2.0f },
        { &ZK_Window::msMenu, 2, "ms", 1.0f },
        { &ZK_Window::msMenu, 1, "ms", 0.0f },
    };

    auto frame = makeFrame();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.parameter) + " item " + juce::String (c.id));

        // A choice from the popup list notifies asynchronously, as this does.
        ((*frame).*c.menu).setSelectedId (c.id);
        runMessageLoopUntil ([&] { return harness.get (c.parameter) == c.value; });
        EXPECT_EQ (harness.get (c.parameter), c.value);
    }
}

TEST_F (FrameBindings, SwitchAndLedFollowAndSetTheirParameters)
{
    auto frame = makeFrame();

    struct Case
    {
        juce::Button& button;
        const char* parameter;
        bool defaultOn;
    };

    const Case cases[] = {
        { frame->phaseToggle, "phase", false },
        { frame->cpuButton, "cpu", true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.parameter);
        const auto flipped = c.defaultOn ? 0.0f : 1.0f;

        EXPECT_EQ (c.button.getToggleState(), c.defaultOn);

        c.button.triggerClick();
        runMessageLoopUntil ([&] { return harness.get (c.parameter) == flipped; });
        EXPECT_EQ (harness.get (c.parameter), flipped);
        EXPECT_EQ (c.button.getToggleState(), ! c.defaultOn);

        harness.set (c.parameter, c.defaultOn ? 1.0f : 0.0f);
        EXPECT_EQ (c.button.getToggleState(), c.defaultOn);
    }
}

//==============================================================================
class FrameMeter : public FrameTest {};

TEST_F (FrameMeter, ShowsCpuUntilTheFirstTickThenTheTruncatedLoad)
{
    processor.cpuLoad.store (50.0f);
    auto frame = makeFrame();

    EXPECT_EQ (meterText (*frame), "CPU");
    EXPECT_TRUE (frame->isTimerRunning());
    EXPECT_EQ (frame->getTimerInterval(), 100);

    const std::pair<float, const char*> cases[] = {
        { 0.0f, "0%" }, { 37.9f, "37%" }, { 99.99f, "99%" }, { 100.0f, "100%" },
    };

    for (const auto& [load, text] : cases)
    {
        SCOPED_TRACE (load);
        processor.cpuLoad.store (load);
        EXPECT_TRUE (meterShows (*frame, text)) << meterText (*frame);
    }
}

TEST_F (FrameMeter, KeepsTheLastValueWhileTheEngineStopsPublishing)
{
    harness.prepare (44100.0, 512);
    juce::AudioBuffer<float> buffer (2, 4096);
    const auto renderSome = [&]
    {
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            TestSignals::fillSine (buffer.getWritePointer (ch), buffer.getNumSamples(), 1000.0, 44100.0, 0.1);

        harness.render (buffer);
    };

    auto frame = makeFrame();

    // While "cpu" is on, rendering overwrites whatever the load held.
    processor.cpuLoad.store (37.9f);
    renderSome();
    EXPECT_NE (processor.cpuLoad.load(), 37.9f);

    processor.cpuLoad.store (37.9f);
    ASSERT_TRUE (meterShows (*frame, "37%"));

    frame->cpuButton.triggerClick();
    ASSERT_TRUE (runMessageLoopUntil ([&] { return harness.get ("cpu") == 0.0f; }));

    renderSome();
    EXPECT_EQ (processor.cpuLoad.load(), 37.9f);
    guitest::runMessageLoop (350);
    EXPECT_EQ (meterText (*frame), "37%");

    // The meter keeps ticking with the switch off: it shows whatever the load holds.
    processor.cpuLoad.store (55.0f);
    EXPECT_TRUE (meterShows (*frame, "55%")) << meterText (*frame);
}

//==============================================================================
class FramePainting : public FrameTest {};

TEST_F (FramePainting, BackgroundCoversTheFrameAndTheLogoSitsInItsRectangle)
{
    const auto background = guitest::cachedImage (BinaryData::background_png, BinaryData::background_pngSize);
    const auto logo = guitest::cachedImage (BinaryData::logo_png, BinaryData::logo_pngSize);
    ASSERT_EQ (background.getBounds(), Rect (0, 0, 3167, 1584));
    ASSERT_EQ (logo.getBounds(), Rect (0, 0, 2163, 472));

    const std::pair<Rect, Rect> cases[] = {   // frame size, logo rectangle
        { { 0, 0, 936, 468 }, { 70, 388, 117, 23 } },
        { { 0, 0, 702, 351 }, { 52, 291, 87, 17 } },
    };

    auto frame = makeFrame();

    for (const auto& [bounds, logoArea] : cases)
    {
        SCOPED_TRACE (bounds.toString());
        frame->setSize (bounds.getWidth(), bounds.getHeight());
        const auto painted = paintFrameOnly (*frame);

        juce::Image backgroundOnly (juce::Image::ARGB, bounds.getWidth(), bounds.getHeight(), true);
        {
            juce::Graphics g (backgroundOnly);
            g.drawImage (background, bounds.toFloat(), juce::RectanglePlacement::stretchToFit);
        }

        auto expected = backgroundOnly.createCopy();
        {
            juce::Graphics g (expected);
            g.drawImage (logo, logoArea.toFloat(), juce::RectanglePlacement::centred);
        }

        // The framework's own stretch-to-fit drawing of the background ends one sub-pixel short
        // of the right edge and leaves the last column 253/255 covered; the frame covers it in
        // full, in that image's colour.
        const auto lastColumn = Rect (bounds.getWidth() - 1, 0, 1, bounds.getHeight());
        const auto restOfFrame = bounds.withTrimmedRight (1);

        EXPECT_EQ (countDifferentPixelsIn (painted, expected, restOfFrame), 0);
        EXPECT_EQ (guitest::countPixelsWhere (painted, [] (juce::Colour c) { return c.getAlpha() != 0xff; }), 0);
        EXPECT_EQ (countPixelPairsWhere (painted, expected, lastColumn,
                                         [] (juce::Colour p, juce::Colour q) { return colourDistance (p, q) > 2; }), 0);

        // The logo shows, and changes nothing outside its rectangle.
        const auto insideLogo = countDifferentPixelsIn (painted, backgroundOnly, logoArea);
        EXPECT_GT (insideLogo, logoArea.getWidth() * logoArea.getHeight() / 10);
        EXPECT_EQ (countDifferentPixelsIn (painted, backgroundOnly, restOfFrame), insideLogo);

        // A repaint of a small area (the meter's, on every tick) covers that area in full too.
        const auto meterArea = frame->cpuValueLabel.getBounds();
        juce::Image repainted (juce::Image::ARGB, bounds.getWidth(), bounds.getHeight(), true);
        {
            juce::Graphics g (repainted);
            g.reduceClipRegion (meterArea);
            frame->paint (g);
        }
        EXPECT_EQ (guitest::countPixelsWhere (repainted, meterArea, [] (juce::Colour c) { return c.getAlpha() != 0xff; }), 0);
    }
}

TEST_F (FramePainting, PaintingAddsAndPlacesTheSupportLinkWithNoHeight)
{
    auto frame = makeFrame();
    auto& link = frame->supportLink;

    EXPECT_EQ (link.getParentComponent(), nullptr);
    EXPECT_FALSE (link.isVisible());

    const auto first = guitest::render (*frame);

    EXPECT_EQ (link.getParentComponent(), frame.get());
    EXPECT_TRUE (link.isVisible());
    EXPECT_EQ (link.getBounds(), Rect (119, 378, 234, 0));
    EXPECT_EQ (link.getURL().toString (false), "https://orvane.audio/support");
    EXPECT_EQ (link.getButtonText(), juce::String());

    // Later paints change nothing, and the link adds no pixels.
    const auto children = frame->getNumChildComponents();
    const auto second = guitest::render (*frame);
    EXPECT_EQ (frame->getNumChildComponents(), children);
    EXPECT_EQ (guitest::countDifferentPixels (first, second), 0);

    // A new size reaches the link at the next paint.
    frame->setSize (702, 351);
    EXPECT_EQ (link.getBounds(), Rect (119, 378, 234, 0));
    guitest::render (*frame);
    EXPECT_EQ (link.getBounds(), Rect (89, 284, 175, 0));
}

//==============================================================================
class FrameLifetime : public FrameTest {};

TEST_F (FrameLifetime, DestroyedFrameLeavesParametersAndTimerBehind)
{
    {
        auto frame = makeFrame();
        guitest::render (*frame);
        processor.cpuLoad.store (12.0f);
        ASSERT_TRUE (meterShows (*frame, "12%"));
    }

    // Host changes after the frame is gone must reach no control, and no tick may follow.
    harness.set ("phase", 1.0f);
    harness.set ("quality", 1.0f);
    harness.set ("ms", 2.0f);
    harness.set ("cpu", 0.0f);
    guitest::runMessageLoop (250);

    auto frame = makeFrame();
    EXPECT_TRUE (frame->phaseToggle.getToggleState());
    EXPECT_EQ (frame->qualityMenu.getText(), "High");
    EXPECT_EQ (frame->msMenu.getText(), "Side");
    EXPECT_FALSE (frame->cpuButton.getToggleState());
}
} // namespace
