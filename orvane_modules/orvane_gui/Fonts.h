#pragma once

namespace orvane_gui
{
/**
    The typeface name to ask the framework for, given the family a widget is designed with.

    On macOS and Windows this is the requested name itself. Elsewhere a family that is not
    installed is replaced: "Helvetica" by the first installed face with Helvetica's metrics
    (Nimbus Sans, TeX Gyre Heros, Liberation Sans, Arimo), anything else by the default sans-serif
    face. The framework's FreeType backend matches family names exactly: for a missing family it
    draws in whatever face it falls back to, with other metrics, or draws no glyphs at all when
    no fallback is installed.
*/
juce::String resolveTypefaceName (const juce::String& requestedFamily);

/** A font of the requested family (resolved as above), height and style flags. */
juce::Font makeFont (const juce::String& family, float height, int styleFlags);
} // namespace orvane_gui
