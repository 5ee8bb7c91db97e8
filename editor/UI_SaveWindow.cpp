#include "PluginEditor.h"

void TandrelAudioProcessorEditor::saveWindow()
{
    // Stored with the state through the processor's variables tree, which always exists.
    auto& variables = audioProcessor.variableTree;
    variables.setProperty ("width", getWidth(), nullptr);
    variables.setProperty ("height", getHeight(), nullptr);

    // The sizes set while the window is being opened are not the user's choice yet.
    if (sizeReady)
    {
        audioProcessor.windowWidth = (float) getWidth();
        audioProcessor.windowHeight = (float) getHeight();
    }
}
