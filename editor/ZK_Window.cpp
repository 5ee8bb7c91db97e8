#include "ZK_Window.h"

#include "ControlLists.h"

#include <BinaryData.h>

ZK_Window::ZK_Window (TandrelAudioProcessor& p)
    : audioProcessor (p),
      keptBackground (juce::ImageCache::getFromMemory (BinaryData::background_png, BinaryData::background_pngSize)),
      keptLogo (juce::ImageCache::getFromMemory (BinaryData::logo_png, BinaryData::logo_pngSize))
{
    // The meter runs for the frame's whole life, whatever the "cpu" switch says: while the
    // switch is off the engine stops publishing, and the meter keeps its last value.
    startTimer (100);

    auto& state = audioProcessor.treeState;

    addAndMakeVisible (phaseToggle);
    phaseAttach = std::make_unique<ButtonAttachment> (state, "phase", phaseToggle);

    // The placeholder text goes in while the menu is still empty; the attachment then selects
    // the item of the parameter's current value, which replaces it.
    addAndMakeVisible (qualityMenu);
    qualityMenu.setText ("Quality", juce::sendNotificationAsync);
    qualityMenu.addItem ("Normal", 1);
    qualityMenu.addItem ("High", 2);
    qualityAttach = std::make_unique<ComboBoxAttachment> (state, "quality", qualityMenu);

    // Items in the order of the stereo types: value k selects the item at index k.
    addAndMakeVisible (msMenu);
    msMenu.setText ("M / S", juce::sendNotificationAsync);
    msMenu.addItem ("Stereo", 1);
    msMenu.addItem ("Mid", 2);
    msMenu.addItem ("Side", 3);
    msAttach = std::make_unique<ComboBoxAttachment> (state, "ms", msMenu);

    addAndMakeVisible (cpuValueLabel);
    addAndMakeVisible (cpuCaptionLabel);
    addAndMakeVisible (cpuButton);
    cpuAttach = std::make_unique<ButtonAttachment> (state, "cpu", cpuButton);
}

ZK_Window::~ZK_Window()
{
    stopTimer();

    // Every attachment lets go of its control before any control is destroyed.
    phaseAttach.reset();
    qualityAttach.reset();
    msAttach.reset();
    cpuAttach.reset();
}

void ZK_Window::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();

    // Both images come from the framework's image cache, which keeps them decoded between paints.
    const auto background = juce::ImageCache::getFromMemory (BinaryData::background_png, BinaryData::background_pngSize);

    // Stretched over the whole frame by a pure scale; skipped if it cannot be decoded.
    if (background.isValid())
    {
        const auto toFrame = juce::AffineTransform::scale ((float) w / (float) background.getWidth(),
                                                           (float) h / (float) background.getHeight());

        // The framework's software renderer ends a transformed image one sub-pixel short of the
        // right edge of the area being painted, leaving that column 253/255 covered; a black
        // ground underneath keeps the frame opaque there without drawing the image twice.
        g.fillAll (juce::Colours::black);
        g.drawImageTransformed (background, toFrame);
    }

    // Fitted into its rectangle with its proportions kept and centred; an image that cannot be
    // decoded draws nothing.
    const auto logo = juce::ImageCache::getFromMemory (BinaryData::logo_png, BinaryData::logo_pngSize);
    const juce::Rectangle<float> logoArea ((float) (int) (0.075 * w), (float) (int) (0.83 * h),
                                           (float) (int) (0.125 * w), (float) (int) (0.05 * h));
    g.drawImage (logo, logoArea, juce::RectanglePlacement::centred);

    // The link is added and placed here, on every paint (after the first nothing changes). Its
    // height is always 0, so it occupies no area and can neither be seen nor clicked.
    supportLink.setURL (supportUrl);
    addAndMakeVisible (supportLink);
    supportLink.setBounds ((int) (0.128 * w), (int) (0.8 * h + 4), (int) (0.25 * w), (int) (0.0 * h));
}

void ZK_Window::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();

    const auto menuWidth = (int) (0.1 * w);
    const auto menuHeight = (int) (0.1 * w * 0.33);
    const auto meterSide = (int) (0.04 * w);

    // The phase switch has the size of the editor's mode switches and reset button.
    const auto switchWidth = (int) (0.065 * w * 1.3333);
    const auto switchHeight = (int) (0.065 * w * 1.3333 * 0.33);

    const auto labelFontHeight = (float) (0.1 * w * 0.12);

    qualityMenu.setBounds ((int) (0.35 * w), (int) (0.825 * h), menuWidth, menuHeight);
    msMenu.setBounds (qualityMenu.getRight(), qualityMenu.getY(), menuWidth, menuHeight);

    phaseToggle.setBounds ((int) (0.64 * w), (int) (0.84 * h), switchWidth, switchHeight);

    cpuButton.setBounds ((int) (0.8 * w), (int) (0.82 * h), meterSide, meterSide);

    cpuValueLabel.setBounds (cpuButton.getRight(), cpuButton.getY(), meterSide, meterSide);
    cpuValueLabel.setFont (ControlLists::captionFont (labelFontHeight));

    cpuCaptionLabel.setBounds (cpuValueLabel.getRight(), cpuValueLabel.getY(), meterSide, meterSide);
    cpuCaptionLabel.setFont (ControlLists::captionFont (labelFontHeight));
}

void ZK_Window::timerCallback()
{
    const auto load = audioProcessor.cpuLoad.load();
    cpuValueLabel.setText (juce::String ((int) load) + "%", juce::dontSendNotification);
}
