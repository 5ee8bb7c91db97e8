namespace juce
{
FullDialLAF::~FullDialLAF() = default;

orvane_gui::DialFaceGeometry FullDialLAF::computeGeometry (int x, int y, int width, int height, float sliderPos,
                                                           float rotaryStartAngle, float rotaryEndAngle)
{
    orvane_gui::DialFaceGeometry face;

    const auto w = (float) width;
    const auto h = (float) height;

    face.centre = { (float) x + 0.5f * w, (float) y + 0.5f * h };
    face.radius = jmin (w / 1.95f, h / 1.95f);

    face.dotSize = (float) (0.025 * width);
    face.dotRadius = face.radius - (float) (0.045 * width);
    orvane_gui::dialface::placeDots (face, rotaryStartAngle, rotaryEndAngle);

    face.r2 = face.radius - 10.0f;
    face.strokeWidth = jmin (0.5f * face.r2, (float) (0.035 * width));
    face.arcRadius = face.r2 - (float) (2.25 * face.strokeWidth);

    orvane_gui::dialface::placeArcs (face, sliderPos, rotaryStartAngle, rotaryEndAngle, false);
    orvane_gui::dialface::placeKnobAndPointer (face);
    return face;
}

float FullDialLAF::valueBoxFontHeight (float sliderWidth) { return (float) (sliderWidth * 0.1); }
Font FullDialLAF::valueBoxFont (float sliderWidth)     { return orvane_gui::makeFont ("Helvetica", valueBoxFontHeight (sliderWidth), Font::bold); }

void FullDialLAF::drawLabel (Graphics& g, Label& label)
{
    orvane_gui::drawValueBox (g, label, *this, valueBoxFont (lastSliderWidth));
}

void FullDialLAF::drawRotarySlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                    float rotaryStartAngle, float rotaryEndAngle, Slider& slider)
{
    lastSliderWidth = (float) width;

    orvane_gui::drawDialFace (g, slider, computeGeometry (x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle),
                              orvane_gui::DialFaceColours::fromSlider (slider, false));
}
} // namespace juce

namespace orvane_gui
{
Dial::Dial (const juce::String& suffix, const juce::String& /*name*/,
            double min, double max, double interval, double defaultValue)
{
    shadowProperties.colour = juce::Colours::black.withAlpha ((juce::uint8) 0x40);
    shadowProperties.radius = 24;
    shadowProperties.offset = { -1, 4 };

    shadowEffect.setShadowProperties (shadowProperties);

    initProps (suffix, min, max, interval, defaultValue);
}

Dial::~Dial()
{
    // The look must be released before any of the look members goes away.
    setLookAndFeel (nullptr);
    setComponentEffect (nullptr);
}

void Dial::lookAndFeelChanged()
{
    juce::Slider::lookAndFeelChanged();
    setComponentEffect (&shadowEffect);
}

void Dial::initProps (const juce::String& suffix, double min, double max, double interval, double defaultValue)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setTextBoxStyle (juce::Slider::TextBoxBelow, false, 96, 32);

    const auto grey = juce::Colours::whitesmoke.darker (1.5f);
    setColour (juce::Slider::rotarySliderFillColourId, grey);
    setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colours::black.brighter (0.1f));
    setColour (juce::Slider::trackColourId, grey);
    setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::black.withAlpha ((juce::uint8) 0));
    setColour (juce::Slider::textBoxTextColourId, grey);
    setColour (juce::Slider::thumbColourId, juce::Colour (0xff324a76));

    setRange (min, max, interval);
    setDoubleClickReturnValue (true, defaultValue, juce::ModifierKeys::altModifier);
    setTextValueSuffix (suffix);

    setLookAndFeel (&fullDialLAF);
    setComponentEffect (&shadowEffect);
}

void Dial::mouseEnter (const juce::MouseEvent&)
{
    setColour (juce::Slider::thumbColourId, findColour (juce::Slider::thumbColourId).withMultipliedLightness (1.1f));
    setComponentEffect (&shadowEffect);
}

void Dial::mouseExit (const juce::MouseEvent&)
{
    setColour (juce::Slider::thumbColourId, findColour (juce::Slider::thumbColourId).withMultipliedLightness (0.909f));
    setComponentEffect (&shadowEffect);
}
} // namespace orvane_gui
