#include "TubeEQComponent.h"

#include "ControlLists.h"

TubeEQComponent::TubeEQComponent (TandrelAudioProcessor& p)
    : audioProcessor (p)
{
    ControlLists::addWithCaptions (*this, dials, dialLabels);

    // Gains and frequencies are numbered separately: gains 1 to 4 are the top row from left to
    // right, frequencies 1 and 2 the low and the high one.
    auto& state = audioProcessor.treeState;
    lowBoostAttach = std::make_unique<SliderAttachment> (state, "tube eq band 1 gain", lowBoostDial);
    lowCutAttach = std::make_unique<SliderAttachment> (state, "tube eq band 2 gain", lowCutDial);
    lowFreqAttach = std::make_unique<SliderAttachment> (state, "tube eq band 1 freq", lowFreqDial);
    bandWidthAttach = std::make_unique<SliderAttachment> (state, "tube eq BW", bandWidthDial);
    highBoostAttach = std::make_unique<SliderAttachment> (state, "tube eq band 3 gain", highBoostDial);
    highCutAttach = std::make_unique<SliderAttachment> (state, "tube eq band 4 gain", highCutDial);
    highFreqAttach = std::make_unique<SliderAttachment> (state, "tube eq band 2 freq", highFreqDial);

    // The frequency dials share the parametric panel's dark red knob (0xff532b38); the bandwidth
    // dial has an amber knob (0xffaa6e00) and a dark, partly transparent pointer (0xcc171717).
    // The amount dials keep the dial's own colours.
    const auto frequencyKnob = juce::Colours::palevioletred.darker (1.0f).darker (0.3f);
    lowFreqDial.setColour (juce::Slider::thumbColourId, frequencyKnob);
    highFreqDial.setColour (juce::Slider::thumbColourId, frequencyKnob);
    bandWidthDial.setColour (juce::Slider::thumbColourId, juce::Colours::orange.darker (0.5f));
    bandWidthDial.setColour (juce::Slider::trackColourId, juce::Colours::black.brighter (0.1f).withAlpha ((juce::uint8) 0xcc));
}

TubeEQComponent::~TubeEQComponent()
{
    ControlLists::release (dials);
    ControlLists::release (dialLabels);

    // Every attachment lets go of its dial before any dial is destroyed.
    lowBoostAttach.reset();
    lowCutAttach.reset();
    lowFreqAttach.reset();
    bandWidthAttach.reset();
    highBoostAttach.reset();
    highCutAttach.reset();
    highFreqAttach.reset();
}

void TubeEQComponent::paint (juce::Graphics&)
{
    // Nothing of its own: the frame's background shows between the dials.
}

void TubeEQComponent::resized()
{
    // Everything follows the panel's height, never its width. Each position reads the integer
    // bounds a dial has just received and is truncated after the arithmetic in double.
    const double a = 0.38 * getHeight();
    const int s = (int) a;
    const int s2 = (int) (a * 0.85);
    const auto captionFont = ControlLists::captionFont ((float) (a * 0.08f));

    // Top row: the amounts, 36 pixels below the top edge, 1.05 dial widths apart.
    lowBoostDial.setBounds (0, 36, s, s);
    lowBoostLabel.setFont (captionFont);

    lowCutDial.setBounds ((int) (lowBoostDial.getX() + 1.05 * lowBoostDial.getWidth()), 36, s, s);
    lowCutLabel.setFont (captionFont);

    highBoostDial.setBounds ((int) (lowCutDial.getX() + 1.05 * lowCutDial.getWidth()), 36, s, s);
    highBoostLabel.setFont (captionFont);

    highCutDial.setBounds ((int) (highBoostDial.getX() + 1.05 * highBoostDial.getWidth()), 36, s, s);
    highCutLabel.setFont (captionFont);

    // Second row: each frequency dial starts 1 / 1.55 of a top-row width right of the first dial
    // of its pair (a true division, so a width of 124 gives exactly 80); the bandwidth dial
    // follows the low frequency dial at 1.3 of its width.
    lowFreqDial.setBounds ((int) (lowBoostDial.getX() + lowBoostDial.getWidth() / 1.55),
                           (int) (lowBoostDial.getY() + 1.2 * lowBoostDial.getHeight()), s2, s2);
    lowFreqLabel.setFont (captionFont);

    bandWidthDial.setBounds ((int) (lowFreqDial.getX() + 1.3 * lowFreqDial.getWidth()), lowFreqDial.getY(), s2, s2);
    bandWidthLabel.setFont (captionFont);

    highFreqDial.setBounds ((int) (highBoostDial.getX() + highBoostDial.getWidth() / 1.55), bandWidthDial.getY(), s2, s2);
    highFreqLabel.setFont (captionFont);
}
