#pragma once

// Helpers shared by the widget tests: driving the message loop, making mouse events, drawing a
// component into an image and counting its pixels, and a processor to bind sliders to.

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>
#include <memory>
#include <utility>

// The project builds with modal loops disabled, so MessageManager::runDispatchLoopUntil does not
// exist; this is the function it would call to deliver one queued message.
namespace juce
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace guitest
{
//==============================================================================
// Messages and mouse events.

/** Delivers queued messages (timers, async updates) for the given time, sleeping while none wait. */
inline void runMessageLoop (int milliseconds)
{
    const auto end = juce::Time::currentTimeMillis() + milliseconds;

    while (juce::Time::currentTimeMillis() < end)
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (1);
}

/** An event from the main mouse source at `position` on `target` (both the component it is for
    and the one it started on), happening now. */
inline juce::MouseEvent mouseEvent (juce::Component& target, juce::Point<float> position = {},
                                    juce::ModifierKeys mods = {}, int numberOfClicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(), position, mods,
             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY, &target, &target, now, position, now,
             numberOfClicks, false };
}

//==============================================================================
// Drawing and pixels.

/** The component with its children and its component effect, painted at its own size into a
    clear image; `ignoreAlphaLevel` is passed on to paintEntireComponent. */
inline juce::Image render (juce::Component& component, bool ignoreAlphaLevel = false)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, ignoreAlphaLevel);
    return image;
}

/** An embedded image decoded through the framework's image cache, so that every call (and every
    widget that loads it the same way) gets the same shared copy. */
inline juce::Image cachedImage (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}

/** The number of pixels in which two images differ, or -1 if their sizes differ. */
inline int countDifferentPixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return -1;

    int count = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                ++count;

    return count;
}

/** The number of pixels within `area` of the image for which `isCounted (colour)` holds. */
template <typename Predicate>
int countPixelsWhere (const juce::Image& image, juce::Rectangle<int> area, Predicate&& isCounted)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (isCounted (image.getPixelAt (x, y)))
                ++count;

    return count;
}

/** The number of pixels of the whole image for which `isCounted (colour)` holds. */
template <typename Predicate>
int countPixelsWhere (const juce::Image& image, Predicate&& isCounted)
{
    return countPixelsWhere (image, image.getBounds(), std::forward<Predicate> (isCounted));
}

/** The number of pixels within `area` that are exactly `argb`. */
inline int countPixelsOfColour (const juce::Image& image, juce::uint32 argb, juce::Rectangle<int> area)
{
    return countPixelsWhere (image, area, [argb] (juce::Colour pixel) { return pixel.getARGB() == argb; });
}

/** The number of pixels of the whole image that are exactly `argb`. */
inline int countPixelsOfColour (const juce::Image& image, juce::uint32 argb)
{
    return countPixelsOfColour (image, argb, image.getBounds());
}

/** The first child of `parent` that is a label (a slider's value box, a button's caption), or nullptr. */
inline juce::Label* firstChildLabel (juce::Component& parent)
{
    for (auto* child : parent.getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            return label;

    return nullptr;
}

//==============================================================================
// Rotary sliders.

inline constexpr float pi = juce::MathConstants<float>::pi;
inline constexpr float defaultStart = pi * 1.2f;   // the framework's default rotary range
inline constexpr float defaultEnd = pi * 2.8f;

/** A rotary slider's face as `look` draws it into `area` of a clear image, without the component
    or its effect. */
inline juce::Image drawFace (juce::LookAndFeel& look, juce::Slider& slider, int imageWidth, int imageHeight,
                             juce::Rectangle<int> area, float sliderPos,
                             float start = defaultStart, float end = defaultEnd)
{
    juce::Image image (juce::Image::ARGB, imageWidth, imageHeight, true);
    juce::Graphics g (image);
    look.drawRotarySlider (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(), sliderPos, start, end, slider);
    return image;
}

/** The pixel whose square contains the point at the given angle (clockwise from 12 o'clock)
    and distance from the centre. */
inline juce::Colour pixelOnDial (const juce::Image& image, juce::Point<float> centre, float angle, float radius)
{
    return image.getPixelAt ((int) std::floor (centre.x + std::sin (angle) * radius),
                             (int) std::floor (centre.y - std::cos (angle) * radius));
}

//==============================================================================
/** The smallest processor that can own a parameter tree: one float parameter "gain" over the given
    range, so that a slider can be bound to it with the framework's SliderAttachment. */
class OneParameterProcessor : public juce::AudioProcessor
{
public:
    OneParameterProcessor (juce::NormalisableRange<float> range, float defaultValue)
        : state (*this, nullptr, "state", makeLayout (range, defaultValue)) {}

    const juce::String getName() const override                   { return "gain"; }
    void prepareToPlay (double, int) override                     {}
    void releaseResources() override                              {}
    using juce::AudioProcessor::processBlock;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    juce::AudioProcessorEditor* createEditor() override           { return nullptr; }
    bool hasEditor() const override                               { return false; }
    bool acceptsMidi() const override                             { return false; }
    bool producesMidi() const override                            { return false; }
    double getTailLengthSeconds() const override                  { return 0.0; }
    int getNumPrograms() override                                 { return 1; }
    int getCurrentProgram() override                              { return 0; }
    void setCurrentProgram (int) override                         {}
    const juce::String getProgramName (int) override              { return {}; }
    void changeProgramName (int, const juce::String&) override    {}
    void getStateInformation (juce::MemoryBlock&) override        {}
    void setStateInformation (const void*, int) override          {}

    juce::AudioProcessorValueTreeState state;

private:
    static juce::AudioProcessorValueTreeState::ParameterLayout makeLayout (juce::NormalisableRange<float> range,
                                                                          float defaultValue)
    {
        juce::AudioProcessorValueTreeState::ParameterLayout layout;
        layout.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { "gain", 1 }, "Gain",
                                                                 range, defaultValue));
        return layout;
    }
};
} // namespace guitest
