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
    using Smoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

private:
    // The output compensation for the last drive seen: the power of ten only changes with the
    // drive, so outside a ramp it is the same every sample.
    struct Compensation
    {
        float decibels = std::numeric_limits<float>::quiet_NaN();
        double factor = 1.0;
    };

    // The waveshaper for one sample, stepping both smoothers once.
    static SampleType shape (SampleType x, Smoother& gain, Smoother& decibels, Compensation& compensation) noexcept
    {
        const float d = gain.getNextValue();
        float y = d * (float) x + 0.25f;

        if (y < 0.0f)
            y = std::atan (y) * 0.63661975f;
        else if (std::abs ((double) y) >= 0.99)
            y = std::copysign (0.99f, y);

        const float a = decibels.getNextValue();

        if (a != compensation.decibels)
        {
            compensation.decibels = a;
            compensation.factor = std::pow (10.0, (double) a * 0.75 * -0.05);
        }

        return (SampleType) ((double) (y - 0.25f) * compensation.factor);
    }

    /** The drive smoothers as one channel's run of samples sees them. */
    struct Cursor
    {
        Smoother decibels, gain;
        Compensation compensation;

        SampleType shape (SampleType x) noexcept { return TubeEQ::shape (x, gain, decibels, compensation); }

        // Advances both smoothers as numSteps samples would.
        void skipSteps (size_t numSteps) noexcept
        {
            for (size_t i = 0; i < numSteps; ++i)
            {
                gain.getNextValue();
                decibels.getNextValue();
            }
        }
    };

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

        if (saturationRunsThisBlock())
            saturate (context.getOutputBlock());
    }

    /** Takes the linear drive's once-per-block step, which decides whether the saturation stage
        runs on this block: it is off while the drive rests at exactly 1. */
    bool saturationRunsThisBlock() noexcept { return driveGain.getNextValue() != 1.0f; }

    /** The saturation stage on a whole block, channel after channel: a two-channel block advances
        the drive smoothers by twice its length, the second channel continuing the ramp where the
        first left it. */
    void saturate (const juce::dsp::AudioBlock<SampleType>& block) noexcept
    {
        for (size_t channel = 0; channel < block.getNumChannels(); ++channel)
        {
            auto* samples = block.getChannelPointer (channel);

            for (size_t i = 0; i < block.getNumSamples(); ++i)
                samples[i] = tubeDistortion (samples[i]);
        }
    }

    /** The waveshaper: bias, drive, arc-tangent knee below zero, hard limit at 0.99 above,
        then the bias removed and the level compensated by -0.75 x drive dB. */
    SampleType tubeDistortion (SampleType x) noexcept { return shape (x, driveGain, driveDecibels, compensation); }

    /**
        The saturation stage over a block taken in consecutive runs of frames, in order, as a
        pipelined filter chain hands them over. Every sample gets exactly the smoother steps that
        saturate() gives it: channel 0's samples the first numSamples steps, channel 1's the next.
        finish() then leaves the section as saturate() would have.
    */
    class SaturationRuns
    {
    public:
        SaturationRuns (TubeEQ& section, const juce::dsp::AudioBlock<SampleType>& blockToShape) noexcept
            : eq (section), block (blockToShape)
        {
            const auto numChannels = juce::jmin (block.getNumChannels(), (size_t) maxChannels);
            cursors[0] = { eq.driveDecibels, eq.driveGain, eq.compensation };

            for (size_t channel = 1; channel < numChannels; ++channel)
            {
                cursors[channel] = cursors[channel - 1];
                cursors[channel].skipSteps (block.getNumSamples());
            }
        }

        void process (size_t startFrame, size_t numFrames) noexcept
        {
            // Only two channels take runs; a wider block is shaped whole, by saturate().
            if (block.getNumChannels() > (size_t) maxChannels)
                return eq.saturate (block.getSubBlock (startFrame, numFrames));

            for (size_t channel = 0; channel < block.getNumChannels(); ++channel)
            {
                auto* samples = block.getChannelPointer (channel);
                auto& cursor = cursors[channel];

                for (size_t i = startFrame; i < startFrame + numFrames; ++i)
                    samples[i] = cursor.shape (samples[i]);
            }
        }

        void finish() noexcept
        {
            const auto numChannels = block.getNumChannels();

            if (numChannels > 0 && numChannels <= (size_t) maxChannels)
            {
                const auto& last = cursors[numChannels - 1];
                eq.driveDecibels = last.decibels;
                eq.driveGain = last.gain;
                eq.compensation = last.compensation;
            }
        }

        orvane_dsp::SVFilterCascade::Stage asStage() noexcept
        {
            return { [] (void* self, size_t start, size_t length) { static_cast<SaturationRuns*> (self)->process (start, length); }, this };
        }

    private:
        static constexpr int maxChannels = 2;

        TubeEQ& eq;
        juce::dsp::AudioBlock<SampleType> block;
        typename TubeEQ::Cursor cursors[maxChannels];
    };

    Smoother driveDecibels;  // the drive in dB, which sets the output compensation
    Smoother driveGain;      // the drive as the waveshaper's linear input factor
    float sampleRate = 44100.0f;
    std::array<Band, 4> bands;

private:
    Compensation compensation;
};
