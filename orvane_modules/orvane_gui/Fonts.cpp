namespace orvane_gui
{
juce::String resolveTypefaceName (const juce::String& requestedFamily)
{
   #if JUCE_MAC || JUCE_IOS || JUCE_WINDOWS
    return requestedFamily;
   #else
    static const auto installed = juce::Font::findAllTypefaceNames();

    if (installed.contains (requestedFamily))
        return requestedFamily;

    if (requestedFamily == "Helvetica")
        for (auto* substitute : { "Nimbus Sans", "Nimbus Sans L", "TeX Gyre Heros", "Liberation Sans", "Arimo" })
            if (installed.contains (substitute))
                return substitute;

    return juce::Font::getDefaultSansSerifFontName();
   #endif
}

juce::Font makeFont (const juce::String& family, float height, int styleFlags)
{
    return juce::Font (resolveTypefaceName (family), height, styleFlags);
}
} // namespace orvane_gui
