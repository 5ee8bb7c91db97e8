#pragma once

namespace juce
{
/**
    Draws a toggle button as a power symbol: an open circle with a vertical bar through the gap at
    its top, stroked in the button's tick colour while on and its tick-disabled colour while off.
    No background and no text are drawn; the enabled state and the highlight flags are ignored.
*/
class PowerToggleLAF : public LookAndFeel_V4
{
public:
    /** The symbol's square (side s at x0, y0), its centre, the arc radius and the bar's ends. */
    struct Geometry
    {
        int s;
        int x0;
        int y0;
        Point<float> centre;
        float radius;
        Point<float> barTop;
        Point<float> barBottom;
    };

    ~PowerToggleLAF() override;

    void drawToggleButton (Graphics&, ToggleButton&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    static Geometry geometry (int width, int height);

    /** The arc's ends, clockwise from 12 o'clock: a 60-degree gap centred on the top. */
    static constexpr float arcStart = (float) (MathConstants<double>::pi / 6.0);
    static constexpr float arcEnd = (float) (11.0 * MathConstants<double>::pi / 6.0);

    static constexpr float strokeThickness = 2.0f;

    /** The colour the symbol is stroked in: the tick colour while on, the tick-disabled colour
        while off. */
    static Colour strokeColour (const ToggleButton&);
};

/**
    Draws a toggle button as a polarity symbol: a circle crossed by a diagonal from its square's
    bottom-left to its top-right corner, coloured and stroked like PowerToggleLAF's symbol.
*/
class PhaseToggleLAF : public LookAndFeel_V4
{
public:
    /** The symbol's square (side s at x0, y0) and its diagonal. */
    struct Geometry
    {
        int s;
        int x0;
        int y0;
        Line<float> diagonal;
    };

    ~PhaseToggleLAF() override;

    void drawToggleButton (Graphics&, ToggleButton&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    static Geometry geometry (int width, int height);
};
} // namespace juce

namespace orvane_gui
{
/**
    A small on/off switch drawn as a power symbol, with a caption on its left. The stroke is
    green while on and grey while off, and gets more opaque while the pointer is over the toggle.
*/
class Toggle : public juce::ToggleButton
{
public:
    explicit Toggle (juce::String labelText);
    ~Toggle() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

    /** The polarity look this toggle owns; install it on this toggle with setLookAndFeel to
        show a polarity switch instead of a power switch, and getPowerToggleLAF to go back. The
        looks live as long as the toggle, so they are for this toggle only. */
    juce::PhaseToggleLAF& getPhaseToggleLAF() noexcept { return phaseToggleLAF; }
    juce::PowerToggleLAF& getPowerToggleLAF() noexcept { return powerToggleLAF; }

private:
    juce::PowerToggleLAF powerToggleLAF;
    juce::PhaseToggleLAF phaseToggleLAF;
    orvane_gui::Label captionLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Toggle)
};
} // namespace orvane_gui
