#pragma once

#include <orvane_modules/orvane_modules.h>

#include <array>
#include <cmath>
#include <limits>

/**
    A boost-and-cut equaliser (low shelf, bell, high shelf, bell) followed by a biased
    saturation stage with drive and automatic output compensation.
*/
template <typename SampleType>
class TubeEQ
{
public:
    using Band = orvane_dsp::SVFilter<SampleType>;

    struct BandSetup
    {
        typename Band::FilterType type;
        float cutoff;
    };

    static constexpr std::array<BandSetup, 4> bandSetups { { { Band::kLowShelf, 100.0f },   // low boost
                                                             { Band::kBell, 200.0f },       // low cut
                                                             { Band::kHighShelf, 5000.0f }, // high boost
                                                             { Band::kBell, 2500.0f } } };  // high cut

    void prepare (const juce::dsp::ProcessSpec& spec)
    {
        sampleRate = (float) spec.sampleRate;

        driveDecibels.reset (sampleRate, 0.02);
        driveDecibels.setTargetValue (0.0f);
        driveGain.reset (sampleRate, 0.02);
        driveGain.setTargetValue (1.0f);

        for (size_t i = 0; i < bands.size(); ++i)
        {
            auto& band = bands[i];
            band.prepare (spec);
            band.setStereoType (Band::kStereo);
            band.setParameter (Band::kType, (float) bandSetups[i].type);
            band.setParameter (Band::kCutoff, bandSetups[i].cutoff);
            band.setParameter (Band::kQType, (float) Band::kParametric);
            band.setParameter (Band::kQ, 0.1f);
        }
    }

    template <typename ProcessContext>
    void process (const ProcessContext& context) noexcept
    {
        for (auto& band : bands)
            band.process (context);

        // The stage is off while the linear drive rests at exactly 1.
        if (driveGain.getNextValue() == 1.0f)
            return;

        auto& block = context.getOutputBlock();

        for (size_t channel = 0; channel < block.getNumChannels(); ++channel)
        {
            auto* samples = block.getChannelPointer (channel);

            for (size_t i = 0; i < block.getNumSamples(); ++i)
                samples[i] = tubeDistortion (samples[i]);
        }
    }

    /** The waveshaper: bias, drive, arc-tangent knee below zero, hard limit at 0.99 above,
        then the bias removed and the level compensated by -0.75 x drive dB. */
    SampleType tubeDistortion (SampleType x) noexcept
    {
        const float d = driveGain.getNextValue();
        float y = d * (float) x + 0.25f;

        if (y < 0.0f)
            y = std::atan (y) * 0.63661975f;
        else if (std::abs ((double) y) >= 0.99)
            y = std::copysign (0.99f, y);

        const float a = driveDecibels.getNextValue();

        // The power of ten only changes with the drive; outside a ramp it is the same every sample.
        if (a != compensatedDecibels)
        {
            compensatedDecibels = a;
            compensation = std::pow (10.0, (double) a * 0.75 * -0.05);
        }

        return (SampleType) ((double) (y - 0.25f) * compensation);
    }

    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> driveDecibels;
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> driveGain;
    float sampleRate = 44100.0f;
    std::array<Band, 4> bands;

private:
    float compensatedDecibels = std::numeric_limits<float>::quiet_NaN();
    double compensation = 1.0;
};
