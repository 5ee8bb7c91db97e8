/*  Draws the README's pictures (see scripts/make-docs-images.sh) and writes them as PNG files.

    Usage: tandrel_docs_images <output folder>

    Screenshots: the real editor on a real processor, at its opening size on a 1920-pixel-wide
    display, with each panel brought up by clicking its mode switch, painted offscreen.

    Response curves: an impulse sent through the processor (parameters set through its parameter
    tree as a host sets them, then prepareToPlay and processBlock at 48 kHz), its response turned
    into a magnitude by an FFT and drawn on a logarithmic frequency axis with the framework's
    graphics, the same way scripts/imagegen draws the embedded images.

    Everything is painted offscreen; no display is needed. Text is drawn in the installed fonts,
    so machines with other font versions may write slightly different bytes.
*/

#include "editor/PluginEditor.h"
#include "plugin/ParameterIDs.h"
#include "scripts/imagegen/ImageFiles.h"
#include "tests/ProcessorHarness.h"
#include "tests/gui/GuiTestSupport.h"

#include "DocsImageList.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>
#include <vector>

namespace
{
using juce::Colour;
using juce::Graphics;
using juce::Image;
using namespace ParameterIDs;

[[noreturn]] void fail (const juce::String& message)
{
    std::fprintf (stderr, "tandrel_docs_images: %s\n", message.toRawUTF8());
    std::exit (1);
}

void write (const Image& image, const juce::File& folder, const DocsImageList::Picture& picture)
{
    if (image.getWidth() != picture.width || image.getHeight() != picture.height)
        fail (juce::String (picture.fileName) + " came out " + juce::String (image.getWidth()) + "x" + juce::String (image.getHeight()));

    // Every picture is opaque; without an alpha channel the file is a quarter smaller.
    if (! ImageFiles::writePng (image.convertedToFormat (Image::RGB), folder.getChildFile (picture.fileName)))
        fail (juce::String ("could not write ") + folder.getChildFile (picture.fileName).getFullPathName());

    std::printf ("%s %dx%d\n", picture.fileName, picture.width, picture.height);
}

//==============================================================================
// The editor as a user sees it.

void writeScreenshots (const juce::File& folder)
{
    // Whatever display this runs on, the editor opens at the size it has on a 1920-pixel-wide
    // one: a stored size goes the same way through the editor's first layout as the display's
    // default does. (Resizing an open editor instead would lay out some captions differently
    // from what a user sees when the window opens.)
    const auto size = TandrelAudioProcessorEditor::defaultWindowSize (DocsImageList::displayWidth);
    TandrelAudioProcessor processor;
    processor.windowWidth = (float) size.width;
    processor.windowHeight = (float) size.height;
    TandrelAudioProcessorEditor editor (processor);

    const std::pair<juce::Button*, juce::Component*> modes[] = {
        { &editor.graphicToggle, &editor.getGraphicPanel() },
        { &editor.parametricToggle, &editor.getParametricPanel() },
        { &editor.tubeToggle, &editor.getTubePanel() },
    };

    for (size_t i = 0; i < std::size (modes); ++i)
    {
        const auto& picture = DocsImageList::screenshots[i];
        auto* modeSwitch = modes[i].first;
        auto* panel = modes[i].second;

        // A click arrives as a message, like the user's. Waiting on a little after it has shown
        // the panel lets the attachments' updates and the load meter's first refresh arrive.
        modeSwitch->triggerClick();
        const auto shown = [&] { return modeSwitch->getToggleState() && panel->isVisible(); };

        for (int waited = 0; ! shown() && waited < 5000; waited += 50)
            guitest::runMessageLoop (50);

        if (! shown())
            fail (juce::String ("the switch did not bring up its panel for ") + picture.fileName);

        guitest::runMessageLoop (250);

        write (editor.createComponentSnapshot (editor.getLocalBounds()), folder, picture);
    }
}

//==============================================================================
// Measured responses.

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

// 2^17 samples at 48 kHz: bins 0.37 Hz apart, more than a dozen of them between 20 and 25 Hz, and a
// response long enough for the lowest band to die away completely.
constexpr int fftOrder = 17;
constexpr int fftSize = 1 << fftOrder;

/** Parameters (index, value in the parameter's own units) set before a measurement; all others
    keep their defaults. */
using Settings = std::vector<std::pair<int, float>>;

/** The magnitude of the whole plug-in's response with the given settings, at the FFT's bins. */
class Response
{
public:
    explicit Response (const Settings& settings)
    {
        ProcessorHarness host;

        // Set first: an instance touched before its first preparation does not fade its tube
        // section in, so nothing but the filters shapes the impulse.
        for (const auto& [index, value] : settings)
            host.set (ids[(size_t) index], value);

        // A lead-in of silence runs out any ramp; preparing again empties every filter.
        host.prepare (sampleRate, blockSize);
        juce::AudioBuffer<float> leadIn (2, (int) sampleRate / 10);
        leadIn.clear();
        host.render (leadIn);
        host.prepare (sampleRate, blockSize);

        juce::AudioBuffer<float> impulse (2, fftSize);
        impulse.clear();
        impulse.setSample (0, 0, 1.0f);
        impulse.setSample (1, 0, 1.0f);
        host.render (impulse);

        // The response must have died away before the FFT's window ends, or the low end is wrong.
        const auto* left = impulse.getReadPointer (0);
        double total = 0.0, tail = 0.0;

        for (int i = 0; i < fftSize; ++i)
        {
            const auto energy = (double) left[i] * (double) left[i];
            total += energy;
            tail += i >= fftSize - fftSize / 4 ? energy : 0.0;
        }

        if (! (total > 0.0) || tail > 1.0e-9 * total)
            fail ("an impulse response is still ringing at the end of its window");

        magnitudes.assign (left, left + fftSize);
        magnitudes.resize (2 * (size_t) fftSize, 0.0f);
        juce::dsp::FFT (fftOrder).performFrequencyOnlyForwardTransform (magnitudes.data(), true);
        magnitudes.resize ((size_t) fftSize / 2 + 1);
    }

    /** The gain in dB at a frequency, interpolated linearly between the two nearest bins. */
    double decibelsAt (double frequency) const
    {
        const auto position = frequency * fftSize / sampleRate;
        const auto bin = juce::jlimit<size_t> (0, magnitudes.size() - 2, (size_t) position);
        const auto fraction = position - (double) bin;
        const auto magnitude = (1.0 - fraction) * magnitudes[bin] + fraction * magnitudes[bin + 1];
        return 20.0 * std::log10 (juce::jmax (magnitude, 1.0e-12));
    }

private:
    std::vector<float> magnitudes;
};

/** One legend entry: a colour, a text and the settings whose curves are drawn in it. */
struct Series
{
    juce::String label;
    Colour colour;
    std::vector<Settings> curves;
    bool dashed = false;
};

struct Chart
{
    const DocsImageList::Picture& picture;
    juce::String title;
    float lowestDecibels, highestDecibels, decibelStep;
    std::vector<Series> series;
};

// Drawing.
const Colour background (0xff1c1c1cU), plotBackground (0xff111111U), gridColour (0xff2e2e2eU),
             majorGridColour (0xff444444U), textColour (0xffd0d0d0U);

const Colour palette[] = { Colour (0xffffa81cU), Colour (0xff4fb3ffU), Colour (0xff7bd389U),
                           Colour (0xffff6b9aU), Colour (0xffb18cffU), Colour (0xff5fe0d8U) };

constexpr double lowestFrequency = 20.0, highestFrequency = 20000.0;

juce::Font textFont() { return orvane_gui::makeFont ("Helvetica", 12.5f, juce::Font::plain); }
juce::Font titleFont() { return orvane_gui::makeFont ("Helvetica", 15.0f, juce::Font::bold); }

juce::String frequencyText (double hz)
{
    return hz >= 1000.0 ? juce::String (hz / 1000.0) + "k" : juce::String ((int) hz);
}

juce::String decibelText (float db)
{
    // A real minus sign; the hyphen is too short to read as one next to the plus signs.
    const auto magnitude = juce::String (std::abs (db));
    return db > 0.0f ? "+" + magnitude : db < 0.0f ? juce::String (juce::CharPointer_UTF8 ("\xe2\x88\x92")) + magnitude : magnitude;
}

constexpr float swatchLength = 22.0f;

/** Where each legend entry goes: in rows across the top, wrapped to the given width. */
std::vector<juce::Point<float>> layOutLegend (const std::vector<Series>& series, float left, float top, float width, float rowHeight)
{
    std::vector<juce::Point<float>> positions;
    auto x = left, y = top;

    for (const auto& s : series)
    {
        const auto entryWidth = swatchLength + 6.0f + textFont().getStringWidthFloat (s.label) + 20.0f;

        if (x > left && x + entryWidth > left + width)
        {
            x = left;
            y += rowHeight;
        }

        positions.push_back ({ x, y });
        x += entryWidth;
    }

    return positions;
}

void strokeCurve (Graphics& g, const juce::Path& path, const Series& series)
{
    const juce::PathStrokeType stroke (1.75f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
    g.setColour (series.colour);

    if (! series.dashed)
    {
        g.strokePath (path, stroke);
        return;
    }

    const float dashes[] = { 10.0f, 8.0f };
    juce::Path dashed;
    stroke.createDashedStroke (dashed, path, dashes, 2);
    g.fillPath (dashed);
}

Image drawChart (const Chart& chart)
{
    const auto width = chart.picture.width, height = chart.picture.height;
    Image image (Image::ARGB, width, height, true, juce::SoftwareImageType());
    Graphics g (image);
    g.fillAll (background);

    // Title, then the legend in rows beneath it, then the plot.
    constexpr float left = 58.0f, right = 16.0f, bottom = 44.0f, rowHeight = 19.0f;
    const auto plotWidth = (float) width - left - right;

    g.setColour (textColour);
    g.setFont (titleFont());
    g.drawText (chart.title, juce::Rectangle<float> (left, 8.0f, plotWidth, 20.0f), juce::Justification::centredLeft);

    const auto legend = layOutLegend (chart.series, left, 32.0f, plotWidth, rowHeight);
    const auto plotTop = legend.back().y + rowHeight + 8.0f;
    const juce::Rectangle<float> plot (left, plotTop, plotWidth, (float) height - bottom - plotTop);

    g.setFont (textFont());

    for (size_t i = 0; i < chart.series.size(); ++i)
    {
        const auto& s = chart.series[i];
        const auto y = legend[i].y + 0.5f * rowHeight;
        juce::Path swatch;
        swatch.startNewSubPath (legend[i].x, y);
        swatch.lineTo (legend[i].x + swatchLength, y);
        strokeCurve (g, swatch, s);

        g.setColour (textColour);
        g.drawText (s.label, juce::Rectangle<float> (legend[i].x + swatchLength + 6.0f, legend[i].y, plotWidth, rowHeight),
                    juce::Justification::centredLeft);
    }

    // Axes.
    const auto xOf = [&] (double hz)
    {
        return plot.getX() + plot.getWidth() * (float) (std::log (hz / lowestFrequency) / std::log (highestFrequency / lowestFrequency));
    };
    const auto yOf = [&] (double db)
    {
        return plot.getY() + plot.getHeight() * (float) ((chart.highestDecibels - db) / (chart.highestDecibels - chart.lowestDecibels));
    };

    g.setColour (plotBackground);
    g.fillRect (plot);

    for (double decade = 10.0; decade <= highestFrequency; decade *= 10.0)
    {
        for (int multiple = 1; multiple < 10; ++multiple)
        {
            const auto hz = decade * multiple;

            if (hz < lowestFrequency || hz > highestFrequency)
                continue;

            const auto major = multiple == 1 || multiple == 2 || multiple == 5;
            const auto x = xOf (hz);
            g.setColour (major ? majorGridColour : gridColour);
            g.drawVerticalLine ((int) std::round (x), plot.getY(), plot.getBottom());

            if (major)
            {
                g.setColour (textColour);
                g.drawText (frequencyText (hz), juce::Rectangle<float> (x - 30.0f, plot.getBottom() + 3.0f, 60.0f, 16.0f),
                            juce::Justification::centredTop);
            }
        }
    }

    for (auto db = chart.lowestDecibels; db <= chart.highestDecibels + 0.001f; db += chart.decibelStep)
    {
        const auto y = yOf (db);
        g.setColour (db == 0.0f ? juce::Colour (0xff6a6a6aU) : majorGridColour);
        g.drawHorizontalLine ((int) std::round (y), plot.getX(), plot.getRight());
        g.setColour (textColour);
        g.drawText (decibelText (db), juce::Rectangle<float> (0.0f, y - 8.0f, left - 8.0f, 16.0f), juce::Justification::centredRight);
    }

    g.drawText ("Frequency (Hz)", juce::Rectangle<float> (plot.getX(), plot.getBottom() + 21.0f, plot.getWidth(), 18.0f),
                juce::Justification::centred);
    {
        Graphics::ScopedSaveState rotated (g);
        g.addTransform (juce::AffineTransform::rotation (-juce::MathConstants<float>::halfPi, 10.0f, plot.getCentreY()));
        g.drawText ("Gain (dB)", juce::Rectangle<float> (10.0f - 60.0f, plot.getCentreY() - 9.0f, 120.0f, 18.0f),
                    juce::Justification::centred);
    }

    // The curves, each point of every column measured; clipped to the plot.
    {
        Graphics::ScopedSaveState clipped (g);
        g.reduceClipRegion (plot.toNearestInt());

        for (const auto& s : chart.series)
        {
            for (const auto& settings : s.curves)
            {
                const Response response (settings);
                juce::Path path;

                for (float x = 0.0f; x <= plot.getWidth(); x += 0.5f)
                {
                    const auto hz = lowestFrequency * std::pow (highestFrequency / lowestFrequency, (double) (x / plot.getWidth()));
                    const auto y = juce::jlimit (plot.getY() - 4.0f, plot.getBottom() + 4.0f, yOf (response.decibelsAt (hz)));

                    if (x == 0.0f)
                        path.startNewSubPath (plot.getX() + x, y);
                    else
                        path.lineTo (plot.getX() + x, y);
                }

                strokeCurve (g, path, s);
            }
        }
    }

    g.setColour (majorGridColour);
    g.drawRect (plot);
    return image;
}

//==============================================================================
// What is measured.

juce::String hzText (float hz)
{
    return hz >= 1000.0f ? juce::String (hz / 1000.0f) + " kHz" : juce::String ((int) hz) + " Hz";
}

std::vector<Chart> charts()
{
    using DocsImageList::curves;
    std::vector<Chart> result;

    // The legends name the frequencies the bands start at, as the engine has them.
    TandrelAudioProcessor untouched;
    const auto defaultOf = [&untouched] (int index)
    {
        auto* parameter = untouched.treeState.getParameter (ids[(size_t) index]);
        return parameter->convertFrom0to1 (parameter->getDefaultValue());
    };

    // Graphic: every band alone at both ends of its range, and one band at rising gains.
    {
        Series up { "each band alone at +12 dB", palette[0], {} };
        Series down { "each band alone at " + decibelText (-12.0f) + " dB", palette[1], {} };

        for (int band = 0; band < 10; ++band)
        {
            up.curves.push_back ({ { graphicGain1 + band, 12.0f } });
            down.curves.push_back ({ { graphicGain1 + band, -12.0f } });
        }

        result.push_back ({ curves[0], "Graphic equaliser: the ten bands", -15.0f, 15.0f, 3.0f, { up, down } });
    }
    {
        // Boosts and cuts of the same size share a colour: the cuts narrow much more than the boosts.
        constexpr int band = 5; // 1 kHz
        const juce::String plusMinus (juce::CharPointer_UTF8 ("\xc2\xb1"));
        std::vector<Series> series;
        int colour = 0;

        for (auto gain : { 3.0f, 6.0f, 12.0f })
            series.push_back ({ "1 kHz band at " + plusMinus + juce::String ((int) gain) + " dB", palette[colour++],
                                { { { graphicGain1 + band, gain } }, { { graphicGain1 + band, -gain } } } });

        result.push_back ({ curves[1], "Graphic equaliser: one band at three gains, boosted and cut", -15.0f, 15.0f, 3.0f, series });
    }

    // Parametric: each band at its default frequency, at both ends of its range.
    {
        const char* names[] = { "low shelf", "bell 2", "bell 3", "high shelf" };
        std::vector<Series> series;

        for (int band = 0; band < 4; ++band)
        {
            Series s { juce::String (names[band]) + " at " + hzText (defaultOf (parametricFreq1 + band)), palette[band], {} };
            s.curves = { { { parametricGain1 + band, 12.0f } }, { { parametricGain1 + band, -12.0f } } };
            s.dashed = band == 2; // the bells share their shape: the second one lies over the first
            series.push_back (s);
        }

        result.push_back ({ curves[2], juce::String ("Parametric equaliser: each band alone at +12 and ") + decibelText (-12.0f) + " dB",
                            -15.0f, 15.0f, 3.0f, series });
    }

    // Tube: each boost and cut alone at its full 10 dB, at three bandwidths.
    {
        std::vector<Series> series;
        int colour = 0;

        for (auto bandwidth : { 0.0f, 5.0f, 10.0f })
        {
            Series s { "bandwidth " + juce::String ((int) bandwidth), palette[colour++], {} };

            for (int band = 0; band < 4; ++band)
                s.curves.push_back ({ { tubeGain1 + band, 10.0f }, { tubeBandwidth, bandwidth } });

            series.push_back (s);
        }

        result.push_back ({ curves[3], "Tube equaliser: each boost and cut alone at 10 dB, low at " + hzText (defaultOf (tubeFreq1))
                                           + ", high at " + hzText (defaultOf (tubeFreq2)),
                            -12.0f, 15.0f, 3.0f, series });
    }

    // High-pass and low-pass at a few cutoffs each.
    {
        std::vector<Series> series;
        int colour = 0;

        for (auto cutoff : { 50.0f, 200.0f, 1000.0f })
            series.push_back ({ "high-pass at " + hzText (cutoff), palette[colour++], { { { highpass, cutoff } } } });

        for (auto cutoff : { 2000.0f, 5000.0f, 15000.0f })
            series.push_back ({ "low-pass at " + hzText (cutoff), palette[colour++], { { { lowpass, cutoff } } } });

        result.push_back ({ curves[4], "High-pass and low-pass filters", -36.0f, 6.0f, 6.0f, series });
    }

    return result;
}
} // namespace

//==============================================================================
int main (int argc, char* argv[])
{
    const auto argument = ImageFiles::folderArgument (argc, argv);

    if (! argument)
        return 2;

    const auto folder = *argument;

    if (! folder.createDirectory())
        fail ("cannot make the folder " + folder.getFullPathName());

    // The editor needs the message manager, the desktop and the font machinery.
    juce::ScopedJuceInitialiser_GUI framework;

    writeScreenshots (folder);

    for (const auto& chart : charts())
        write (drawChart (chart), folder, chart.picture);

    return 0;
}
