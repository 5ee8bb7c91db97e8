#pragma once

namespace orvane_gui
{
/**
    The value-box drawing that every slider look of this library shares: the framework's
    LookAndFeel_V2::drawLabel with two changes. The label is made editable on a single click at
    every call (so a read-only value box accepts text entry once painted), and the text is drawn
    in the look's own font instead of the look-and-feel's label font.
*/
void drawValueBox (juce::Graphics& g, juce::Label& label, juce::LookAndFeel& lookAndFeel, const juce::Font& font);
} // namespace orvane_gui
