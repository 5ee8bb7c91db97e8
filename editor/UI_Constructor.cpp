#include "PluginEditor.h"

#include "ControlLists.h"

void TandrelAudioProcessorEditor::uiConstructor()
{
    // The frame first: everything added after it lies above it.
    addAndMakeVisible (frame);

    ControlLists::addWithCaptions (*this, faders, faderLabels);

    for (auto* label : faderLabels)
        label->setFont (ControlLists::captionFont ((float) (getWidth() * 0.065 * 0.2)));

    auto& state = audioProcessor.treeState;
    hpAttach = std::make_unique<SliderAttachment> (state, "highpass", hpFader);
    lpAttach = std::make_unique<SliderAttachment> (state, "lowpass", lpFader);
    driveAttach = std::make_unique<SliderAttachment> (state, "drive", driveFader);
    trimAttach = std::make_unique<SliderAttachment> (state, "trim", trimFader);

    // Mode switches: one radio group, each bound to its parameter, each showing and enabling
    // its own panel exactly while it is on. The attachment comes first, so the switch takes the
    // stored state without running its handler; joining the group then turns off any switch
    // joined earlier that is also on (and through its attachment its parameter).
    struct ModeSwitch
    {
        orvane_gui::ToggleButton& toggle;
        std::unique_ptr<ButtonAttachment>& attachment;
        const char* parameterID;
        const char* text;
        juce::Component& panel;
    };

    const ModeSwitch modeSwitches[] = {
        { graphicToggle, graphicAttach, "grapgicEQON", "Graphic", graphicPanel },
        { parametricToggle, parametricAttach, "parametricEQON", "Parametric", parametricPanel },
        { tubeToggle, tubeAttach, "tubeEQON", "Tube", tubePanel },
    };

    for (const auto& mode : modeSwitches)
    {
        addAndMakeVisible (mode.toggle);
        mode.attachment = std::make_unique<ButtonAttachment> (state, mode.parameterID, mode.toggle);
        mode.toggle.setButtonText (mode.text);
        mode.toggle.setRadioGroupId (1);
        mode.toggle.onClick = [&toggle = mode.toggle, &panel = mode.panel]
        {
            panel.setVisible (toggle.getToggleState());
            panel.setEnabled (toggle.getToggleState());
        };
    }

    for (const auto& mode : modeSwitches)
    {
        addAndMakeVisible (mode.panel);
        mode.panel.setVisible (mode.toggle.getToggleState());
        mode.panel.setEnabled (mode.toggle.getToggleState());
    }

    addAndMakeVisible (resetButton);
    resetButton.setClickingTogglesState (false);
    resetButton.setButtonText ("Reset");
    resetButton.onClick = [this] { resetShownPanel(); };
}

void TandrelAudioProcessorEditor::resetShownPanel()
{
    // The values travel through the sliders, which limit them to their parameter's range and
    // step, and reach the parameters asynchronously through the attachments.
    const auto set = [] (juce::Slider& slider, double value) { slider.setValue (value, juce::sendNotificationAsync); };

    if (graphicToggle.getToggleState())
        for (auto* fader : graphicPanel.faders)
            set (*fader, 0.0);

    if (tubeToggle.getToggleState())
    {
        set (tubePanel.lowBoostDial, 0.0);
        set (tubePanel.lowCutDial, 0.0);
        set (tubePanel.lowFreqDial, 100.0);
        set (tubePanel.highBoostDial, 0.0);
        set (tubePanel.highCutDial, 0.0);
        set (tubePanel.highFreqDial, 5000.0);
        set (tubePanel.bandWidthDial, 5.0);
    }

    if (parametricToggle.getToggleState())
    {
        set (parametricPanel.band1GainDial, 0.0);
        set (parametricPanel.band2GainDial, 0.0);
        set (parametricPanel.band3GainDial, 0.0);
        set (parametricPanel.band4GainDial, 0.0);
        set (parametricPanel.band1FreqDial, 200.0);
        set (parametricPanel.band2FreqDial, 1000.0);
        set (parametricPanel.band3FreqDial, 1000.0);
        set (parametricPanel.band4FreqDial, 7000.0);
    }
}
