#pragma once

namespace orvane_gui
{
/**
    The library's text label: a framework label that starts in the caption style (centred, bold
    "Helvetica", mid-grey text, no background and no outline).

    A non-transparent label also paints a small panel beneath its text, built from two embedded
    images stretched over its whole area: the flat label panel, then the label frame on top.
    The owner sets text, font, bounds and any attachment through the framework label's interface.
*/
class Label : public juce::Label
{
public:
    Label (bool isTransparent, const juce::String& text);
    ~Label() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    bool isTransparent = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Label)
};
} // namespace orvane_gui
