namespace orvane_gui
{
namespace
{
/** Installs the three state images: normal at full opacity, hover dimmed to 0.8, down (pressed
    or toggled on) at full opacity; no overlays, scaled to fit with proportions kept, and the
    whole button rectangle clickable. */
void installImageButtonStates (juce::ImageButton& button, const juce::Image& normal, const juce::Image& over, const juce::Image& down)
{
    button.setImages (false, true, true,
                      normal, 1.0f, juce::Colours::transparentBlack,
                      over,   0.8f, juce::Colours::transparentBlack,
                      down,   1.0f, juce::Colours::transparentBlack,
                      0.0f);
}
} // namespace

//==============================================================================
ToggleButton::ToggleButton (bool wide, const juce::String& captionText)
    : juce::ImageButton (juce::String()),
      captionLabel (true, juce::String())
{
    setClickingTogglesState (true);

    // The hover image is the normal image fetched again: the cache hands out the same decoded copy.
    if (wide)
        installImageButtonStates (*this,
                                  juce::ImageCache::getFromMemory (BinaryData::keyWide_png, BinaryData::keyWide_pngSize),
                                  juce::ImageCache::getFromMemory (BinaryData::keyWide_png, BinaryData::keyWide_pngSize),
                                  juce::ImageCache::getFromMemory (BinaryData::keyWideLit_png, BinaryData::keyWideLit_pngSize));
    else
        installImageButtonStates (*this,
                                  juce::ImageCache::getFromMemory (BinaryData::keyNarrow_png, BinaryData::keyNarrow_pngSize),
                                  juce::ImageCache::getFromMemory (BinaryData::keyNarrow_png, BinaryData::keyNarrow_pngSize),
                                  juce::ImageCache::getFromMemory (BinaryData::keyNarrowPressed_png, BinaryData::keyNarrowPressed_pngSize));

    addAndMakeVisible (captionLabel);
    captionLabel.setText (captionText, juce::dontSendNotification);
    captionLabel.setJustificationType (juce::Justification::centredBottom);

    // The label stays directly above the key, as wide as it, and moves into the key's parent.
    captionLabel.attachToComponent (this, false);
}

ToggleButton::~ToggleButton() = default;

void ToggleButton::paint (juce::Graphics& g)
{
    juce::Button::paint (g);
}

void ToggleButton::resized()
{
    // Runs before the attached caption follows the new bounds, so its height uses this font.
    captionLabel.setFont (juce::Font ((float) (getWidth() * 0.15), juce::Font::plain));
}

//==============================================================================
LEDButton::LEDButton()
    : juce::ImageButton (juce::String())
{
    setClickingTogglesState (true);

    installImageButtonStates (*this,
                              juce::ImageCache::getFromMemory (BinaryData::ledOff_png, BinaryData::ledOff_pngSize),
                              juce::ImageCache::getFromMemory (BinaryData::ledOff_png, BinaryData::ledOff_pngSize),
                              juce::ImageCache::getFromMemory (BinaryData::ledOn_png, BinaryData::ledOn_pngSize));
}

LEDButton::~LEDButton() = default;

void LEDButton::paint (juce::Graphics& g)
{
    juce::Button::paint (g);
}

void LEDButton::resized() {}
} // namespace orvane_gui
