#include "PluginEditor.h"

void TandrelAudioProcessorEditor::saveWindow()
{
    // Stored with the state; a restored state without "Variables" leaves nowhere to store it.
    auto& variables = audioProcessor.variableTree;

    if (variables.isValid())
    {
        variables.setProperty ("width", getWidth(), nullptr);
        variables.setProperty ("height", getHeight(), nullptr);
    }

    // The sizes set while the window is being opened are not the user's choice yet.
    if (sizeReady)
    {
        audioProcessor.windowWidth = (float) getWidth();
        audioProcessor.windowHeight = (float) getHeight();
    }
}
