#pragma once

namespace juce
{
/**
    The closed look of orvane_gui::Menu: a rounded box in the combo box's background colour with a
    one-pixel outline and a thick downward chevron 20 pixels left of the right edge. The popup
    list and the text are LookAndFeel_V4's.
*/
class CustomMenuLAF : public LookAndFeel_V4
{
public:
    ~CustomMenuLAF() override;

    /** The button-down flag and the arrow button's rectangle are not used. */
    void drawComboBox (Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, ComboBox&) override;

    /** 6, or 0 for a box that sits inside a ChoicePropertyComponent. */
    static float cornerSize (const ComboBox&);

    /** The outline's rectangle: the box shrunk by half a pixel on every side. */
    static Rectangle<float> outlineBounds (int width, int height);

    /** The chevron's left end, tip and right end; the reference line is height / 2 rounded down. */
    static std::array<Point<float>, 3> chevronPoints (int width, int height);

    static constexpr float outlineThickness = 1.0f;
    static constexpr float chevronThickness = 4.0f;
};
} // namespace juce

namespace orvane_gui
{
/**
    The dark drop-down selector. Entering it lightens the box for about a second; leaving it
    restores the normal shade at once. The popup list it opens uses the colours stored on its own
    look-and-feel.
*/
class Menu : public juce::ComboBox,
             private juce::Timer
{
public:
    Menu();
    ~Menu() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

private:
    void timerCallback() override;

    juce::CustomMenuLAF menuLAF;
    bool pointerIsOver = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Menu)
};
} // namespace orvane_gui
