#pragma once

#include "../plugin/PluginProcessor.h"
#include "GraphicEQComponent.h"
#include "ParametricEQComponent.h"
#include "TubeEQComponent.h"
#include "ZK_Window.h"

#include <memory>
#include <vector>

/**
    Tandrel's window: the frame with the global options, one shared area for the three equaliser
    panels (the one whose mode switch is on is shown), four global faders, the mode switches and
    a reset button. Resizable at a fixed 2:1 aspect ratio; it remembers its size in the
    processor's state. Everything is laid out by fixed proportions of the window's size.

    The class is spread over files by concern: PluginEditor (construction and destruction),
    UI_InitWindow (initial size and limits), UI_Constructor (building and wiring the controls),
    UI_Paint, UI_Resized (layout) and UI_SaveWindow (size memory).
*/
class TandrelAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit TandrelAudioProcessorEditor (TandrelAudioProcessor&);
    ~TandrelAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** The opening size and resize limits for a main display whose user area is this wide. */
    struct WindowSize
    {
        int width, height, minWidth, minHeight, maxWidth, maxHeight;
    };

    static WindowSize defaultWindowSize (int mainDisplayUserAreaWidth);

    /** The user-area width of the main display, or a fallback when no display is marked main. */
    static int mainDisplayUserAreaWidth();

    /** A saved size is used when it can be a window; anything else counts as none saved. */
    static bool isUsableSavedSize (float width, float height);

    static constexpr int fallbackDisplayWidth = 1440;
    static constexpr int smallestSavedSide = 64;
    static constexpr int largestSavedSide = 8192;

private:
    void initWindow();
    void uiConstructor();
    void saveWindow();
    void resetShownPanel();

    TandrelAudioProcessor& audioProcessor;
    bool sizeReady = false;

    ZK_Window frame;
    GraphicEQComponent graphicPanel;
    ParametricEQComponent parametricPanel;
    TubeEQComponent tubePanel;

public:
    // The controls are reachable for tests and for the reset; the editor alone lays them out.
    orvane_gui::Fader hpFader { " Hz", "HP", 20, 1000, 1, 20 };
    orvane_gui::Label hpLabel { true, "HP" };
    orvane_gui::Fader lpFader { " Hz", "LP", 1000, 20000, 1, 20000 };
    orvane_gui::Label lpLabel { true, "LP" };
    orvane_gui::Fader driveFader { " dB", "Drive", 0, 12, 0.01, 0 };
    orvane_gui::Label driveLabel { true, "Drive" };
    orvane_gui::Fader trimFader { " dB", "Trim", -12, 12, 0.01, 0 };
    orvane_gui::Label trimLabel { true, "Trim" };
    orvane_gui::ToggleButton graphicToggle { true, "Graphic" };
    orvane_gui::ToggleButton parametricToggle { true, "Parametric" };
    orvane_gui::ToggleButton tubeToggle { true, "Tube" };
    orvane_gui::PushButton resetButton;

    ZK_Window& getFrame() noexcept { return frame; }
    GraphicEQComponent& getGraphicPanel() noexcept { return graphicPanel; }
    ParametricEQComponent& getParametricPanel() noexcept { return parametricPanel; }
    TubeEQComponent& getTubePanel() noexcept { return tubePanel; }

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;

    std::unique_ptr<SliderAttachment> hpAttach, lpAttach, driveAttach, trimAttach;
    std::unique_ptr<ButtonAttachment> graphicAttach, parametricAttach, tubeAttach;

    std::vector<orvane_gui::Fader*> faders { &hpFader, &lpFader, &driveFader, &trimFader };
    std::vector<orvane_gui::Label*> faderLabels { &hpLabel, &lpLabel, &driveLabel, &trimLabel };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TandrelAudioProcessorEditor)
};
