#include "PluginEditor.h"

#include <cmath>

TandrelAudioProcessorEditor::WindowSize TandrelAudioProcessorEditor::defaultWindowSize (int userAreaWidth)
{
    // Smaller screens get a larger share of their width.
    const double factor = userAreaWidth < 1441 ? 0.65 : 0.5;
    const int w = (int) (userAreaWidth * factor);
    const double h = 0.5 * w;

    return { w, (int) h, (int) (w * 0.75), (int) (h * 0.75), (int) (w * 1.25), (int) (h * 1.25) };
}

int TandrelAudioProcessorEditor::mainDisplayUserAreaWidth()
{
    for (const auto& display : juce::Desktop::getInstance().getDisplays().displays)
        if (display.isMain && display.userArea.getWidth() > 0)
            return display.userArea.getWidth();

    return fallbackDisplayWidth;
}

bool TandrelAudioProcessorEditor::isUsableSavedSize (float width, float height)
{
    // A stored state can hold anything; a size no usable window has (a zero, a negative, a tiny
    // or an enormous side) is treated as none saved rather than handed to the host.
    const auto usable = [] (float side) { return side >= (float) smallestSavedSide && side < (float) (largestSavedSide + 1); };
    return usable (width) && usable (height);
}

void TandrelAudioProcessorEditor::initWindow()
{
    const auto size = defaultWindowSize (mainDisplayUserAreaWidth());

    setResizable (true, true);
    setResizeLimits (size.minWidth, size.minHeight, size.maxWidth, size.maxHeight);
    getConstrainer()->setFixedAspectRatio (2.0);

    // A saved size (0 means none) is applied as stored, whatever the limits of the current display.
    if (isUsableSavedSize (audioProcessor.windowWidth, audioProcessor.windowHeight))
        setSize ((int) audioProcessor.windowWidth, (int) audioProcessor.windowHeight);
    else
        setSize (size.width, size.height);

    sizeReady = true;
}
