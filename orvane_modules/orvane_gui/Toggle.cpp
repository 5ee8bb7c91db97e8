namespace juce
{
static void strokeToggleSymbol (Graphics& g, const ToggleButton& button, const Path& symbol)
{
    g.setColour (PowerToggleLAF::strokeColour (button));
    g.strokePath (symbol, PathStrokeType (PowerToggleLAF::strokeThickness, PathStrokeType::curved, PathStrokeType::butt));
}

//==============================================================================
PowerToggleLAF::~PowerToggleLAF() = default;

PowerToggleLAF::Geometry PowerToggleLAF::geometry (int width, int height)
{
    const auto m = jmin (width, height);
    const auto s = m - 6;
    const auto x0 = (width - s) / 2;
    const auto y0 = (height - s) / 2;
    const Point<float> centre ((float) x0 + 0.5f * (float) s, (float) y0 + 0.5f * (float) s);

    return { s, x0, y0, centre,
             (float) ((m - 15) * 0.25),
             Point<float> (centre.x, (float) (y0 + 0.21 * s)),
             centre };
}

Colour PowerToggleLAF::strokeColour (const ToggleButton& button)
{
    return button.findColour (button.getToggleState() ? ToggleButton::tickColourId
                                                      : ToggleButton::tickDisabledColourId);
}

void PowerToggleLAF::drawToggleButton (Graphics& g, ToggleButton& button, bool, bool)
{
    const auto geo = geometry (button.getWidth(), button.getHeight());

    Path symbol;
    symbol.addCentredArc (geo.centre.x, geo.centre.y, geo.radius, geo.radius, 0.0f, arcStart, arcEnd, true);
    symbol.startNewSubPath (geo.barTop);
    symbol.lineTo (geo.barBottom);

    strokeToggleSymbol (g, button, symbol);
}

//==============================================================================
PhaseToggleLAF::~PhaseToggleLAF() = default;

PhaseToggleLAF::Geometry PhaseToggleLAF::geometry (int width, int height)
{
    const auto m = jmin (width, height);
    const auto s = (int) ((m - 6) / 2.5);
    const auto x0 = (width - s) / 2;
    const auto y0 = (height - s) / 2;

    return { s, x0, y0,
             Line<float> ((float) x0, (float) (y0 + s), (float) (x0 + s), (float) y0) };
}

void PhaseToggleLAF::drawToggleButton (Graphics& g, ToggleButton& button, bool, bool)
{
    const auto geo = geometry (button.getWidth(), button.getHeight());

    Path symbol;
    symbol.addEllipse ((float) geo.x0, (float) geo.y0, (float) geo.s, (float) geo.s);
    symbol.startNewSubPath (geo.diagonal.getStart());
    symbol.lineTo (geo.diagonal.getEnd());

    strokeToggleSymbol (g, button, symbol);
}
} // namespace juce

namespace orvane_gui
{
// Stroke colours of the off and the on state, at rest (alpha 0x80) and under the pointer (0xcc).
static juce::Colour toggleOffColour (juce::uint8 alpha)  { return juce::Colours::dimgrey.withAlpha (alpha); }
static juce::Colour toggleOnColour (juce::uint8 alpha)   { return juce::Colours::springgreen.withAlpha (alpha); }

Toggle::Toggle (juce::String labelText)
    : captionLabel (true, juce::String())
{
    setClickingTogglesState (true);

    setColour (juce::ToggleButton::tickDisabledColourId, toggleOffColour (0x80));
    setColour (juce::ToggleButton::tickColourId, toggleOnColour (0x80));

    setLookAndFeel (&powerToggleLAF);

    captionLabel.setText (labelText, juce::dontSendNotification);
    captionLabel.attachToComponent (this, true);
}

Toggle::~Toggle()
{
    setLookAndFeel (nullptr);
}

void Toggle::mouseEnter (const juce::MouseEvent&)
{
    setColour (juce::ToggleButton::tickDisabledColourId, toggleOffColour (0xcc));
    setColour (juce::ToggleButton::tickColourId, toggleOnColour (0xcc));
}

void Toggle::mouseExit (const juce::MouseEvent&)
{
    setColour (juce::ToggleButton::tickDisabledColourId, toggleOffColour (0x80));
    setColour (juce::ToggleButton::tickColourId, toggleOnColour (0x80));
}
} // namespace orvane_gui
