#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>
#include <vector>

/** Signals and measurements shared by the audio tests. */
namespace TestSignals
{
inline constexpr double twoPi = 6.283185307179586476925286766559;

inline void fillSine (float* dest, int numSamples, double frequency, double sampleRate, double amplitude = 0.5, int startSample = 0)
{
    for (int i = 0; i < numSamples; ++i)
        dest[i] = (float) (amplitude * std::sin (twoPi * frequency * (double) (startSample + i) / sampleRate));
}

/** Amplitude of the sinusoid at a known frequency in a stretch of signal, by a least-squares fit
    of a*sin + b*cos: exact for a steady sinusoid whatever the window length. */
inline double sineAmplitude (const float* samples, int numSamples, double frequency, double sampleRate, int startSample = 0)
{
    double ss = 0, cc = 0, sc = 0, ys = 0, yc = 0;

    for (int i = 0; i < numSamples; ++i)
    {
        const double phase = twoPi * frequency * (double) (startSample + i) / sampleRate;
        const double s = std::sin (phase), c = std::cos (phase), y = samples[i];
        ss += s * s; cc += c * c; sc += s * c; ys += y * s; yc += y * c;
    }

    const double det = ss * cc - sc * sc;
    const double a = (ys * cc - yc * sc) / det;
    const double b = (yc * ss - ys * sc) / det;
    return std::sqrt (a * a + b * b);
}

inline double toDecibels (double gain) { return 20.0 * std::log10 (gain); }

inline bool allFinite (const juce::AudioBuffer<float>& buffer)
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (! std::isfinite (buffer.getSample (ch, i)))
                return false;

    return true;
}

inline float peak (const juce::AudioBuffer<float>& buffer)
{
    float result = 0.0f;

    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        result = std::max (result, buffer.getMagnitude (ch, 0, buffer.getNumSamples()));

    return result;
}

/** Deterministic white noise in -amplitude..amplitude. */
inline void fillNoise (juce::AudioBuffer<float>& buffer, juce::Random& random, float amplitude = 0.5f)
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (ch, i, amplitude * (2.0f * random.nextFloat() - 1.0f));
}
} // namespace TestSignals
