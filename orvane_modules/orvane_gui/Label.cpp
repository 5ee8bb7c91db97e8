namespace orvane_gui
{
Label::Label (bool isTransparentLabel, const juce::String& text)
    : juce::Label (juce::String(), juce::String())
{
    setText (text, juce::dontSendNotification);

    setColour (juce::Label::backgroundColourId, juce::Colour (0x00000000U));
    setColour (juce::Label::outlineColourId, juce::Colour (0x00000000U));
    setColour (juce::Label::textColourId, juce::Colours::whitesmoke.darker (1.0f));   // 0xff7a7a7a

    setJustificationType (juce::Justification::centred);

    // The label has no size yet, so this is the smallest font height; owners set the working
    // font in their layout code.
    setFont (makeFont ("Helvetica", (float) (0.3 * getHeight()), juce::Font::bold));

    isTransparent = isTransparentLabel;
}

Label::~Label() = default;

void Label::paint (juce::Graphics& g)
{
    if (! isTransparent)
    {
        // Both images come from the image cache, which decodes each one once for all labels.
        // Either is skipped if it cannot be decoded.
        const auto area = getLocalBounds().toFloat();

        const auto panel = juce::ImageCache::getFromMemory (BinaryData::labelPanel_png, BinaryData::labelPanel_pngSize);

        if (panel.isValid())
            g.drawImage (panel, area, juce::RectanglePlacement::stretchToFit);

        const auto frame = juce::ImageCache::getFromMemory (BinaryData::labelFrame_png, BinaryData::labelFrame_pngSize);

        if (frame.isValid())
            g.drawImage (frame, area, juce::RectanglePlacement::stretchToFit);
    }

    juce::Label::paint (g);
}

void Label::resized()
{
    juce::Label::resized();
}
} // namespace orvane_gui
