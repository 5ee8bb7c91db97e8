#pragma once

namespace juce
{
/**
    The look of orvane_gui::PushButton: LookAndFeel_V4's button, with the caption always in bold
    Helvetica of 16 pixels rather than a font that follows the button's height.
*/
class CustomPushButton : public LookAndFeel_V4
{
public:
    /** Where the caption goes inside a button: the indents and the text rectangle. */
    struct TextLayout
    {
        int yIndent;
        int cornerSize;
        int fontHeight;
        int leftIndent;
        int rightIndent;
        int textWidth;
        Rectangle<int> textArea;
    };

    ~CustomPushButton() override;

    /** The highlighted and down flags are not used. */
    void drawButtonText (Graphics&, TextButton&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** Bold Helvetica, 16 pixels high, whatever the button's size. */
    static Font captionFont();

    /** The text-on or text-off colour by toggle state, at half its alpha while disabled. */
    static Colour captionColour (const TextButton&);

    /** The caption's layout for a button of the given size, edge connections and font.
        Nothing is drawn when textWidth is 0 or less. */
    static TextLayout textLayout (int width, int height, bool connectedOnLeft, bool connectedOnRight, const Font&);

    static constexpr int maximumCaptionLines = 2;
};
} // namespace juce

namespace orvane_gui
{
/**
    The dark text button. Clicking toggles its state until the owner turns that off; the on state
    shows a pale gold face with near-black text, the off state a near-black face with translucent
    light text.
*/
class PushButton : public juce::TextButton
{
public:
    PushButton();
    ~PushButton() override;

private:
    juce::CustomPushButton pushButtonLAF;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PushButton)
};
} // namespace orvane_gui
