namespace juce
{
CustomPushButton::~CustomPushButton() = default;

Font CustomPushButton::captionFont()
{
    return orvane_gui::makeFont ("Helvetica", 16.0f, Font::bold);
}

Colour CustomPushButton::captionColour (const TextButton& button)
{
    return button.findColour (button.getToggleState() ? TextButton::textColourOnId
                                                      : TextButton::textColourOffId)
                 .withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f);
}

CustomPushButton::TextLayout CustomPushButton::textLayout (int width, int height,
                                                           bool connectedOnLeft, bool connectedOnRight,
                                                           const Font& font)
{
    TextLayout layout {};

    layout.yIndent = jmin (4, roundToInt ((float) height * 0.3f));
    layout.cornerSize = jmin (height, width) / 2;
    layout.fontHeight = roundToInt (font.getHeight() * 0.6f);
    layout.leftIndent = jmin (layout.fontHeight, 2 + layout.cornerSize / (connectedOnLeft ? 4 : 2));
    layout.rightIndent = jmin (layout.fontHeight, 2 + layout.cornerSize / (connectedOnRight ? 4 : 2));
    layout.textWidth = width - layout.leftIndent - layout.rightIndent;
    layout.textArea = { layout.leftIndent, layout.yIndent, layout.textWidth, height - 2 * layout.yIndent };

    return layout;
}

void CustomPushButton::drawButtonText (Graphics& g, TextButton& button, bool, bool)
{
    const auto font = captionFont();
    g.setFont (font);
    g.setColour (captionColour (button));

    const auto layout = textLayout (button.getWidth(), button.getHeight(),
                                    button.isConnectedOnLeft(), button.isConnectedOnRight(), font);

    if (layout.textWidth > 0)
        g.drawFittedText (button.getButtonText(), layout.textArea, Justification::centred, maximumCaptionLines);
}
} // namespace juce

namespace orvane_gui
{
PushButton::PushButton()
{
    setClickingTogglesState (true);

    const auto face = juce::Colours::black.brighter (0.1f);

    setColour (juce::TextButton::buttonColourId, face);
    setColour (juce::ComboBox::outlineColourId, juce::Colours::whitesmoke.withAlpha ((juce::uint8) 0x0f));
    setColour (juce::TextButton::buttonOnColourId, juce::Colours::lightgoldenrodyellow.darker (0.2f));
    setColour (juce::TextButton::textColourOffId, juce::Colours::whitesmoke.withAlpha ((juce::uint8) 0x80));
    setColour (juce::TextButton::textColourOnId, face.withAlpha ((juce::uint8) 0xd9));

    setLookAndFeel (&pushButtonLAF);
}

PushButton::~PushButton()
{
    setLookAndFeel (nullptr);
}
} // namespace orvane_gui
