#include "GraphicEQComponent.h"

#include "ControlLists.h"

GraphicEQComponent::GraphicEQComponent (TandrelAudioProcessor& p)
    : audioProcessor (p)
{
    ControlLists::addWithCaptions (*this, faders, faderLabels);

    auto& state = audioProcessor.treeState;
    band1Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 1 gain", band1Fader);
    band2Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 2 gain", band2Fader);
    band3Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 3 gain", band3Fader);
    band4Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 4 gain", band4Fader);
    band5Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 5 gain", band5Fader);
    band6Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 6 gain", band6Fader);
    band7Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 7 gain", band7Fader);
    band8Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 8 gain", band8Fader);
    band9Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 9 gain", band9Fader);
    band10Attach = std::make_unique<SliderAttachment> (state, "graphic eq band 10 gain", band10Fader);
}

GraphicEQComponent::~GraphicEQComponent()
{
    ControlLists::release (faders);
    ControlLists::release (faderLabels);

    // Every attachment lets go of its fader before any fader is destroyed.
    band1Attach.reset();
    band2Attach.reset();
    band3Attach.reset();
    band4Attach.reset();
    band5Attach.reset();
    band6Attach.reset();
    band7Attach.reset();
    band8Attach.reset();
    band9Attach.reset();
    band10Attach.reset();
}

void GraphicEQComponent::paint (juce::Graphics&)
{
    // Nothing of its own: the frame's background shows between the faders.
}

void GraphicEQComponent::resized()
{
    // Everything follows the width; each value is formed in double and truncated.
    const double a = 0.11 * getWidth();
    const int fw = (int) a;
    const int fh = (int) (a * 2.35);
    const auto captionFont = ControlLists::captionFont ((float) (a * (double) 0.16f));

    // The first row: five columns 1.85 fader widths apart, from a 12-pixel margin and 24 pixels
    // below the top, which leaves the captions room above the faders.
    band1Fader.setBounds (12, 24, fw, fh);
    band1Label.setFont (captionFont);

    const auto rightOf = [] (const juce::Component& left) { return (int) (left.getX() + 1.85 * left.getWidth()); };

    band2Fader.setBounds (rightOf (band1Fader), 24, fw, fh);
    band2Label.setFont (captionFont);
    band3Fader.setBounds (rightOf (band2Fader), 24, fw, fh);
    band3Label.setFont (captionFont);
    band4Fader.setBounds (rightOf (band3Fader), 24, fw, fh);
    band4Label.setFont (captionFont);
    band5Fader.setBounds (rightOf (band4Fader), 24, fw, fh);
    band5Label.setFont (captionFont);

    // The second row sits 1.2 fader heights below the first, in the same columns.
    const int y2 = (int) (band4Fader.getY() + 1.2 * band4Fader.getHeight());

    band6Fader.setBounds (band1Fader.getX(), y2, fw, fh);
    band6Label.setFont (captionFont);
    band7Fader.setBounds (band2Fader.getX(), y2, fw, fh);
    band7Label.setFont (captionFont);
    band8Fader.setBounds (band3Fader.getX(), y2, fw, fh);
    band8Label.setFont (captionFont);
    band9Fader.setBounds (band4Fader.getX(), y2, fw, fh);
    band9Label.setFont (captionFont);
    band10Fader.setBounds (band5Fader.getX(), y2, fw, fh);
    band10Label.setFont (captionFont);
}
