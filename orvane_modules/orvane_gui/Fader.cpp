namespace juce
{
FaderLAF::~FaderLAF() = default;

Array<int> FaderLAF::tickValues (double rangeStart, double rangeEnd)
{
    Array<int> values;

    // Nothing above 12 is ever marked, so the walk stops there; a start no int can hold has no
    // whole values to mark in any range this fader can show.
    if (! (rangeStart > -1.0e9 && rangeStart < 1.0e9))
        return values;

    for (auto i = (int) rangeStart; i < rangeEnd + 1 && i <= 12; ++i)
        if (i % 2 == 0)
            values.add (i);

    return values;
}

FaderLAF::TickMarks FaderLAF::tickMarks (int x, int width)
{
    return { (float) (x + 0.35 * width),
             (float) (x + 0.66 * width),
             (float) (0.005 * width) };
}

float FaderLAF::trackWidth (bool isHorizontal, int width, int height)
{
    return isHorizontal ? 0.25f * (float) height : 0.1f * (float) width;
}

Line<float> FaderLAF::track (bool isHorizontal, int x, int y, int width, int height)
{
    const Point<float> start = isHorizontal ? Point<float> ((float) x, (float) y + 0.5f * (float) height)
                                            : Point<float> ((float) x + 0.5f * (float) width, (float) (y + height));
    const Point<float> end = isHorizontal ? Point<float> ((float) (x + width), start.y)
                                          : Point<float> (start.x, (float) y);
    return { start, end };
}

Point<float> FaderLAF::valuePoint (bool isHorizontal, int x, int y, int width, int height, float sliderPos)
{
    return isHorizontal ? Point<float> (sliderPos, (float) y + 0.5f * (float) height)
                        : Point<float> ((float) x + 0.5f * (float) width, sliderPos);
}

Rectangle<float> FaderLAF::thumbBounds (Point<float> thumbCentre, int width)
{
    return Rectangle<float> (0.75f * (float) width, 0.25f * (float) width).withCentre (thumbCentre);
}

ColourGradient FaderLAF::thumbGradient (Colour thumb, int width)
{
    const auto thumbWidth = 0.75f * (float) width;
    return ColourGradient (thumb.brighter (0.05f), 0.25f * thumbWidth, 0.0f,
                           thumb, 0.75f * thumbWidth, 0.0f,
                           false);
}

Font FaderLAF::getValueBoxFont() const
{
    return orvane_gui::makeFont (fontName, (float) ((double) lastSliderWidth * 0.15), Font::bold);
}

void FaderLAF::drawLabel (Graphics& g, Label& label)
{
    orvane_gui::drawValueBox (g, label, *this, getValueBoxFont());
}

void FaderLAF::drawLinearSlider (Graphics& g, int x, int y, int width, int height,
                                 float sliderPos, float /*minSliderPos*/, float /*maxSliderPos*/,
                                 Slider::SliderStyle /*style*/, Slider& slider)
{
    const auto thumb = slider.findColour (Slider::thumbColourId);

    lastSliderHeight = (float) height;
    lastSliderWidth = (float) width;

    g.setColour (slider.findColour (Slider::backgroundColourId));

    const auto ticks = tickMarks (x, width);

    for (auto value : tickValues (slider.getMinimum(), slider.getMaximum()))
    {
        const auto p = (float) slider.getPositionOfValue ((double) value);
        g.drawLine (ticks.left, p, ticks.right, p, ticks.thickness);
    }

    const auto horizontal = slider.isHorizontal();
    const auto widthOfTrack = trackWidth (horizontal, width, height);
    const auto trackLine = track (horizontal, x, y, width, height);

    Path backgroundTrack;
    backgroundTrack.startNewSubPath (trackLine.getStart());
    backgroundTrack.lineTo (trackLine.getEnd());
    g.strokePath (backgroundTrack, { 1.25f * widthOfTrack, PathStrokeType::curved, PathStrokeType::rounded });

    const auto thumbCentre = valuePoint (horizontal, x, y, width, height, sliderPos);

    Path valueTrack;
    valueTrack.startNewSubPath (trackLine.getStart());
    valueTrack.lineTo (thumbCentre);
    g.setColour (slider.findColour (Slider::trackColourId));
    g.strokePath (valueTrack, { widthOfTrack, PathStrokeType::curved, PathStrokeType::rounded });

    g.setGradientFill (thumbGradient (thumb, width));
    g.fillRoundedRectangle (thumbBounds (thumbCentre, width), thumbCornerSize);
}
} // namespace juce

namespace orvane_gui
{
Fader::Fader (juce::String suffix, juce::String /*name*/, double minimum, double maximum, double interval, double defaultValue)
{
    shadowProperties.colour = juce::Colours::black;
    shadowProperties.radius = 4;
    shadowProperties.offset = { 0, 0 };
    shadowEffect.setShadowProperties (shadowProperties);

    initProps (suffix, minimum, maximum, interval, defaultValue);
    resetValue = defaultValue;
}

Fader::~Fader()
{
    setLookAndFeel (nullptr);
    setComponentEffect (nullptr);
}

void Fader::lookAndFeelChanged()
{
    juce::Slider::lookAndFeelChanged();
    setComponentEffect (&shadowEffect);
}

void Fader::initProps (const juce::String& suffix, double minimum, double maximum, double interval, double defaultValue)
{
    setSliderStyle (juce::Slider::LinearVertical);
    setTextBoxStyle (juce::Slider::TextBoxBelow, true, 72, 32);

    setColour (juce::Slider::backgroundColourId, juce::Colours::black);
    setColour (juce::Slider::trackColourId, juce::Colours::black.withAlpha ((juce::uint8) 0x00));
    setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::black.withAlpha ((juce::uint8) 0x00));
    setColour (juce::Slider::textBoxTextColourId, juce::Colours::whitesmoke.withAlpha ((juce::uint8) 0x5c));
    setColour (juce::Slider::thumbColourId, juce::Colour (0xff324a76));

    setRange (minimum, maximum, interval);
    setDoubleClickReturnValue (true, defaultValue, juce::ModifierKeys::altModifier);
    setTextValueSuffix (suffix);
    setLookAndFeel (&faderLAF);
    setComponentEffect (&shadowEffect);
}

void Fader::mouseEnter (const juce::MouseEvent&)
{
    setColour (juce::Slider::thumbColourId, findColour (juce::Slider::thumbColourId).withMultipliedBrightness (1.25f));
}

void Fader::mouseExit (const juce::MouseEvent&)
{
    setColour (juce::Slider::thumbColourId, findColour (juce::Slider::thumbColourId).withMultipliedBrightness (0.8f));
}

void Fader::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.testFlags (juce::ModifierKeys::rightButtonModifier))
        return;

    juce::Slider::mouseDown (e);
}

void Fader::mouseUp (const juce::MouseEvent& e)
{
    if (e.mods.testFlags (juce::ModifierKeys::rightButtonModifier))
        return;

    juce::Slider::mouseUp (e);
}

void Fader::mouseDoubleClick (const juce::MouseEvent&)
{
    setValue (resetValue, juce::sendNotificationAsync);
}
} // namespace orvane_gui
