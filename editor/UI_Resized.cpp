#include "PluginEditor.h"

#include "ControlLists.h"

void TandrelAudioProcessorEditor::resized()
{
    const int w = getWidth();
    const int h = getHeight();

    // Mode switches and the reset button share one size; 1.3333 is the factor, not 4/3.
    const double unit = 0.065 * w;
    const int bw = (int) (unit * 1.3333);
    const int bh = (int) (unit * 1.3333 * 0.33);
    const auto captionFont = ControlLists::captionFont ((float) (0.065 * w * 0.2));

    frame.setBounds (0, 0, w, h);

    const juce::Rectangle<int> panelArea ((int) (0.075 * w), (int) (0.085 * h), (int) (0.55 * w), (int) (0.7 * h));
    graphicPanel.setBounds (panelArea);
    parametricPanel.setBounds (panelArea);
    tubePanel.setBounds (panelArea);

    resetButton.setBounds ((int) (0.23 * w), (int) (0.83 * h), bw, bh);

    hpFader.setBounds ((int) (0.64 * w), (int) (0.12 * h), (int) (0.065 * w), (int) (0.5 * h));
    hpLabel.setFont (captionFont);

    // The other faders stand in a row to the right of the high-pass fader, each touching the last.
    for (auto [fader, label, left] : { std::tuple { &lpFader, &lpLabel, &hpFader },
                                       std::tuple { &driveFader, &driveLabel, &lpFader },
                                       std::tuple { &trimFader, &trimLabel, &driveFader } })
    {
        fader->setBounds (left->getRight(), hpFader.getY(), hpFader.getWidth(), hpFader.getHeight());
        label->setFont (captionFont);
    }

    graphicToggle.setBounds (hpFader.getX(), (int) (driveFader.getY() + 1.1 * driveFader.getHeight()), bw, bh);
    parametricToggle.setBounds (graphicToggle.getRight(), graphicToggle.getY(), bw, bh);
    tubeToggle.setBounds (parametricToggle.getRight(), graphicToggle.getY(), bw, bh);

    saveWindow();
}
