#include "PluginEditor.h"

// The frame covers the whole window and paints the background; the editor draws nothing.
void TandrelAudioProcessorEditor::paint (juce::Graphics&) {}
