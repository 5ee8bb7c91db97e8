#include "ParametricEQComponent.h"

#include "ControlLists.h"

ParametricEQComponent::ParametricEQComponent (TandrelAudioProcessor& p)
    : audioProcessor (p)
{
    ControlLists::addWithCaptions (*this, dials, dialLabels);

    auto& state = audioProcessor.treeState;
    band1GainAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 1 gain", band1GainDial);
    band2GainAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 2 gain", band2GainDial);
    band3GainAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 3 gain", band3GainDial);
    band4GainAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 4 gain", band4GainDial);
    band1FreqAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 1 freq", band1FreqDial);
    band2FreqAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 2 freq", band2FreqDial);
    band3FreqAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 3 freq", band3FreqDial);
    band4FreqAttach = std::make_unique<SliderAttachment> (state, "parametric eq band 4 freq", band4FreqDial);

    // The frequency knobs: palevioletred darkened by 1.0 and then by 0.3. The gain dials keep
    // the dial's own thumb colour.
    const juce::Colour frequencyThumb (0xff532b38);

    for (auto* dial : { &band1FreqDial, &band2FreqDial, &band3FreqDial, &band4FreqDial })
        dial->setColour (juce::Slider::thumbColourId, frequencyThumb);
}

ParametricEQComponent::~ParametricEQComponent()
{
    ControlLists::release (dials);
    ControlLists::release (dialLabels);

    // Every attachment lets go of its dial before any dial is destroyed.
    band1GainAttach.reset();
    band2GainAttach.reset();
    band3GainAttach.reset();
    band4GainAttach.reset();
    band1FreqAttach.reset();
    band2FreqAttach.reset();
    band3FreqAttach.reset();
    band4FreqAttach.reset();
}

void ParametricEQComponent::paint (juce::Graphics&)
{
    // Nothing of its own: the frame's background shows between the dials.
}

void ParametricEQComponent::resized()
{
    // Everything follows the width; each value is formed in double and truncated.
    const double a = 0.24 * getWidth();
    const int s = (int) a;
    const auto captionFont = ControlLists::captionFont ((float) (a * (double) 0.08f));

    // Column by column: the columns touch, the gain row starts 24 pixels below the top (room for
    // its captions) and the frequency row a quarter of a dial below the gain row (room for its).
    // The captions are attached, so they follow their dials; after each placement one of them,
    // in declaration order, takes the caption font.
    const auto below = [] (const juce::Component& above) { return (int) (above.getY() + 1.25 * above.getHeight()); };

    band1GainDial.setBounds (0, 24, s, s);
    band1GainLabel.setFont (captionFont);
    band1FreqDial.setBounds (band1GainDial.getX(), below (band1GainDial), s, s);
    band2GainLabel.setFont (captionFont);

    band2GainDial.setBounds (band1GainDial.getRight(), 24, s, s);
    band3GainLabel.setFont (captionFont);
    band2FreqDial.setBounds (band2GainDial.getX(), below (band2GainDial), s, s);
    band4GainLabel.setFont (captionFont);

    band3GainDial.setBounds (band2GainDial.getRight(), 24, s, s);
    band1FreqLabel.setFont (captionFont);
    band3FreqDial.setBounds (band3GainDial.getX(), below (band3GainDial), s, s);
    band2FreqLabel.setFont (captionFont);

    band4GainDial.setBounds (band3GainDial.getRight(), 24, s, s);
    band3FreqLabel.setFont (captionFont);
    band4FreqDial.setBounds (band4GainDial.getX(), below (band4GainDial), s, s);
    band4FreqLabel.setFont (captionFont);
}
