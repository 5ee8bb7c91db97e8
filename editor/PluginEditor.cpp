#include "PluginEditor.h"

#include "ControlLists.h"

TandrelAudioProcessorEditor::TandrelAudioProcessorEditor (TandrelAudioProcessor& p)
    : AudioProcessorEditor (p),
      audioProcessor (p),
      frame (p),
      graphicPanel (p),
      parametricPanel (p),
      tubePanel (p)
{
    initWindow();
    uiConstructor();
}

TandrelAudioProcessorEditor::~TandrelAudioProcessorEditor()
{
    ControlLists::release (faders);
    ControlLists::release (faderLabels);

    // Every attachment lets go of its control before any control is destroyed.
    hpAttach.reset();
    lpAttach.reset();
    driveAttach.reset();
    trimAttach.reset();
    graphicAttach.reset();
    parametricAttach.reset();
    tubeAttach.reset();
}
