namespace juce
{
CustomMenuLAF::~CustomMenuLAF() = default;

float CustomMenuLAF::cornerSize (const ComboBox& box)
{
    return box.findParentComponentOfClass<ChoicePropertyComponent>() != nullptr ? 0.0f : 6.0f;
}

Rectangle<float> CustomMenuLAF::outlineBounds (int width, int height)
{
    return Rectangle<float> ((float) width, (float) height).reduced (0.5f, 0.5f);
}

std::array<Point<float>, 3> CustomMenuLAF::chevronPoints (int width, int height)
{
    const auto cy = height / 2;

    return { Point<float> ((float) (width - 27), (float) (cy - 2)),
             Point<float> ((float) (width - 20), (float) (cy + 3)),
             Point<float> ((float) (width - 13), (float) (cy - 2)) };
}

void CustomMenuLAF::drawComboBox (Graphics& g, int width, int height, bool /*isButtonDown*/,
                                  int /*buttonX*/, int /*buttonY*/, int /*buttonW*/, int /*buttonH*/,
                                  ComboBox& box)
{
    const auto corner = cornerSize (box);

    g.setColour (box.findColour (ComboBox::backgroundColourId));
    g.fillRoundedRectangle (Rectangle<float> ((float) width, (float) height), corner);

    g.setColour (box.findColour (ComboBox::outlineColourId));
    g.drawRoundedRectangle (outlineBounds (width, height), corner, outlineThickness);

    const auto points = chevronPoints (width, height);

    Path chevron;
    chevron.startNewSubPath (points[0]);
    chevron.lineTo (points[1]);
    chevron.lineTo (points[2]);

    g.setColour (box.findColour (ComboBox::arrowColourId));
    g.strokePath (chevron, PathStrokeType (chevronThickness, PathStrokeType::mitered, PathStrokeType::butt));
}
} // namespace juce

namespace orvane_gui
{
// The box's normal shade and the lighter one it takes while the pointer has just entered.
static juce::Colour menuFaceColour()   { return juce::Colours::black.brighter (0.1f); }
static juce::Colour menuHoverColour()  { return juce::Colours::black.brighter (0.12f); }

Menu::Menu()
    : juce::ComboBox (juce::String())
{
    setLookAndFeel (&menuLAF);

    const auto lightText = juce::Colours::whitesmoke.withAlpha ((juce::uint8) 0x80);

    setColour (juce::ComboBox::backgroundColourId, menuFaceColour());
    setColour (juce::ComboBox::outlineColourId, juce::Colours::whitesmoke.withAlpha ((juce::uint8) 0x00));
    setColour (juce::ComboBox::focusedOutlineColourId, juce::Colours::black.withAlpha ((juce::uint8) 0x80));
    setColour (juce::ComboBox::textColourId, lightText);
    setColour (juce::ComboBox::arrowColourId, lightText);

    auto& look = getLookAndFeel();
    look.setColour (juce::PopupMenu::backgroundColourId, menuFaceColour());
    look.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colours::skyblue.withAlpha ((juce::uint8) 0x1a));
    look.setColour (juce::PopupMenu::textColourId, lightText);
    look.setColour (juce::PopupMenu::highlightedTextColourId, lightText);

    setJustificationType (juce::Justification::centred);
}

Menu::~Menu()
{
    // An open popup list still draws with menuLAF; close it before the look goes.
    hidePopup();
    setLookAndFeel (nullptr);
}

// The framework's combo box also hands on the mouse-enter and -exit events of the text label
// inside it, and rebuilds that label at every colour change, after which the pointer "enters"
// the new label. Only entering and leaving the box as a whole count as hovering, so that the
// highlight really ends after a second while the pointer rests on the text.
void Menu::mouseEnter (const juce::MouseEvent&)
{
    if (pointerIsOver)
        return;

    pointerIsOver = true;
    setColour (juce::ComboBox::backgroundColourId, menuHoverColour());
    startTimer (1000);
}

void Menu::mouseExit (const juce::MouseEvent&)
{
    // Moving between the label and the rest of the box is no exit.
    if (isMouseOver (true))
        return;

    pointerIsOver = false;
    setColour (juce::ComboBox::backgroundColourId, menuFaceColour());
    stopTimer();
}

void Menu::timerCallback()
{
    setColour (juce::ComboBox::backgroundColourId, menuFaceColour());
}
} // namespace orvane_gui
