#pragma once

#include <orvane_modules/orvane_modules.h>

#include <vector>

/** The editor and its panels keep parallel lists of their controls and the captions that
    belong to them (entry i of one list to entry i of the other); these drive building up and
    tearing down. */
namespace ControlLists
{
/** Adds each control, then its caption, to the parent; the caption is attached above its
    control (so it follows it) and centred. */
template <typename Control>
void addWithCaptions (juce::Component& parent, const std::vector<Control*>& controls, const std::vector<orvane_gui::Label*>& captions)
{
    for (size_t i = 0; i < controls.size(); ++i)
    {
        parent.addAndMakeVisible (controls[i]);
        parent.addAndMakeVisible (captions[i]);
        captions[i]->attachToComponent (controls[i], false);
        captions[i]->setJustificationType (juce::Justification::centred);
    }
}

/** Nulls every entry, empties the list and gives its storage back. */
template <typename Pointee>
void release (std::vector<Pointee*>& list)
{
    for (auto& entry : list)
        entry = nullptr;

    list.clear();
    list.shrink_to_fit();
}

/** The bold "Helvetica" of every caption, at the given height. */
inline juce::Font captionFont (float height)
{
    return orvane_gui::makeFont ("Helvetica", height, juce::Font::bold);
}
} // namespace ControlLists
