namespace orvane_gui
{
void drawValueBox (juce::Graphics& g, juce::Label& label, juce::LookAndFeel& lookAndFeel, const juce::Font& font)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    // Editable on a single click, changes kept on loss of focus; a value box configured
    // read-only by its slider therefore takes text entry once it has been drawn.
    if (! label.isEditableOnSingleClick() || label.isEditableOnDoubleClick() || label.doesLossOfFocusDiscardChanges())
        label.setEditable (true, false, false);

    if (! label.isBeingEdited())
    {
        const auto alpha = label.isEnabled() ? 1.0f : 0.5f;

        g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
        g.setFont (font);

        const auto textArea = lookAndFeel.getLabelBorderSize (label).subtractedFrom (label.getLocalBounds());

        g.drawFittedText (label.getText(), textArea, label.getJustificationType(),
                          juce::jmax (1, (int) ((float) textArea.getHeight() / font.getHeight())),
                          label.getMinimumHorizontalScale());

        g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    }
    else if (label.isEnabled())
    {
        g.setColour (label.findColour (juce::Label::outlineColourId));
    }

    g.drawRect (label.getLocalBounds());
}
} // namespace orvane_gui
