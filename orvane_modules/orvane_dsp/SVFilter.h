#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ExactArithmetic.h"

ORVANE_EXACT_ARITHMETIC_BEGIN

namespace orvane_dsp
{

class SVFilterCascade;

/**
    A second-order topology-preserving (trapezoidal) state-variable filter.

    One recursion yields the high-pass, band-pass and low-pass responses together; the output
    is a weighted mix of five responses derived from them, so the same object serves as a low
    shelf, high-pass, bell, low-pass or high shelf. Settings arrive one at a time through
    setParameter(), which recomputes the coefficients immediately; process() only runs the
    recursion. Coefficients and integrator states are double precision, samples are float.

    With a two-channel block the filter can work on both channels, or on the mid or the side
    signal only (the other one passes unchanged).

    The filter takes no locks and allocates only in prepare().
*/
template <typename SampleType>
class SVFilter
{
public:
    /** Selectors for setParameter(). Every value is passed as a float. */
    enum ParameterId
    {
        kType = 0,
        kCutoff,
        kQ,
        kGain,
        kQType,
        kSampleRate
    };

    /** Response types (the value given with kType). */
    enum FilterType
    {
        kLowShelf = 0,
        kHighPass,
        kBell,
        kLowPass,
        kHighShelf
    };

    /** Q modes (the value given with kQType). */
    enum QType
    {
        kParametric = 0,  // damping = 1 - q
        kProportional     // damping follows the gain: the more gain, the narrower the band
    };

    /** Which signal of a two-channel block is filtered. */
    enum StereoType
    {
        kStereo = 0,
        kMid,
        kSide
    };

    /** The coefficients in effect, for inspection. */
    struct Coefficients
    {
        double g, damping, twoDamping, normaliser;
        float gainFactor;
    };

    SVFilter() { setParameter (kQ, 0.1f); }

    /** Takes the processing rate and sizes the per-channel state (zeroed).
        Type, stereo type, gain, Q and cutoff are kept; the coefficients are not recomputed,
        so the owner sets the cutoff afterwards. */
    void prepare (const juce::dsp::ProcessSpec& spec)
    {
        setSampleRate ((float) spec.sampleRate);

        state1.assign (spec.numChannels, 0.0);
        state2.assign (spec.numChannels, 0.0);
    }

    void setStereoType (int newStereoType) noexcept { stereoType = newStereoType; }

    /** Stores one setting and recomputes what depends on it. Unknown ids and values that are
        not finite are ignored. */
    void setParameter (ParameterId id, float value) noexcept
    {
        if (! std::isfinite (value))
            return;

        switch (id)
        {
            case kType:
                filterType = toCode (value);
                switch (filterType)
                {
                    case kLowShelf:  lowShelfMix = 1.0f;  break;
                    case kHighPass:  highPassMix = 1.0f;  break;
                    case kBell:      bellMix = 1.0f;      break;
                    case kLowPass:   lowPassMix = 1.0f;   break;
                    case kHighShelf: highShelfMix = 1.0f; break;
                    default: break;
                }
                break;

            case kCutoff:
                cutoff = value;
                recomputeCoefficients();
                break;

            case kQ:
                q = value;
                if (qType == kProportional)
                    updateProportionalDamping();
                else if (qType == kParametric)
                    setParametricDamping();
                break;

            case kGain:
                gainFactor = (float) (std::pow (10.0, (double) value * 0.05) - 1.0);
                gainDecibels = value;
                if (qType == kProportional)
                    updateProportionalDamping();
                break;

            case kQType:
                qType = toCode (value);
                if (qType == kProportional)
                    updateProportionalDamping();
                else if (qType == kParametric)
                    setParametricDamping();
                break;

            case kSampleRate:
                setSampleRate (value);
                break;

            default:
                break;
        }
    }

    /** Filters the context's block in place. */
    template <typename ProcessContext>
    void process (const ProcessContext& context) noexcept
    {
        auto& block = context.getOutputBlock();

        if (context.usesSeparateInputAndOutputBlocks())
            block.copyFrom (context.getInputBlock());

        if (isTransparent())
            return;

        const auto numChannels = block.getNumChannels();
        const auto numSamples = block.getNumSamples();

        if (numChannels == 2 && (stereoType == kMid || stereoType == kSide))
        {
            if (! state1.empty())
                processMidSide (block.getChannelPointer (0), block.getChannelPointer (1), numSamples);
        }
        else
        {
            // Never touch more channels than prepare() made room for.
            const auto channelsToProcess = std::min (numChannels, state1.size());

            for (size_t channel = 0; channel < channelsToProcess; ++channel)
                processChannel (block.getChannelPointer (channel), numSamples, channel);
        }

        recoverFromNonFiniteState();
    }

    Coefficients getCoefficients() const noexcept { return { g, damping, twoDamping, normaliser, gainFactor }; }

    /** The two integrator states of a channel, for inspection ({ 0, 0 } for a channel the filter
        was not prepared for). */
    std::pair<double, double> getState (size_t channel) const noexcept
    {
        return channel < state1.size() ? std::make_pair (state1[channel], state2[channel]) : std::make_pair (0.0, 0.0);
    }

    /** The prewarp angle omega * T / 2 is kept at or below this, just under pi/2 (0.99994 of the
        Nyquist frequency): tan() turns infinite and then negative at pi/2, which would make a
        cutoff at or above the Nyquist frequency blow the filter up. Cutoffs below it are exact. */
    static constexpr double maxPrewarpAngle = 1.5707;

private:
    // The cascade runs many filters side by side: it reads their coefficients and states, and
    // writes the states back.
    friend class SVFilterCascade;

    // A type or mode code, truncated toward zero; values no int can hold are no code at all.
    static int toCode (float value) noexcept
    {
        return (value > -2147483648.0f && value < 2147483648.0f) ? (int) value : -1;
    }

    // A high-pass at its lowest cutoff, a low-pass at its highest and any other type at 0 dB
    // leave the block unchanged; they skip the recursion and keep their state.
    bool isTransparent() const noexcept
    {
        if (filterType == kHighPass)
            return cutoff == 20.0f;

        if (filterType == kLowPass)
            return cutoff == 20000.0f;

        return gainDecibels == 0.0f;
    }

    double tick (double x, double& s1, double& s2) const noexcept
    {
        const double hp = (x - twoDamping * s1 - g * s1 - s2) * normaliser;
        const double bp = g * hp + s1;
        const double lp = g * bp + s2;

        s1 = g * hp + bp;
        s2 = g * bp + lp;

        const double k = gainFactor;

        return lowShelfMix * (x + k * lp)
             + bellMix * (x + k * (twoDamping * bp))
             + highShelfMix * (x + k * hp)
             + highPassMix * hp
             + lowPassMix * lp;
    }

    void processChannel (SampleType* samples, size_t numSamples, size_t channel) noexcept
    {
        double s1 = state1[channel];
        double s2 = state2[channel];

        for (size_t i = 0; i < numSamples; ++i)
            samples[i] = (SampleType) tick ((double) samples[i], s1, s2);

        state1[channel] = s1;
        state2[channel] = s2;
    }

    void processMidSide (SampleType* left, SampleType* right, size_t numSamples) noexcept
    {
        double s1 = state1[0];
        double s2 = state2[0];

        for (size_t i = 0; i < numSamples; ++i)
        {
            const SampleType l = left[i];
            const SampleType r = right[i];
            const double mid = (double) (l + r) * 0.5;
            const double side = (double) (l - r) * 0.5;

            if (stereoType == kMid)
            {
                const auto y = (SampleType) tick ((double) (SampleType) mid, s1, s2);
                left[i] = (SampleType) (side + (double) y);
                right[i] = (SampleType) ((double) y - side);
            }
            else
            {
                const auto y = (SampleType) tick ((double) (SampleType) side, s1, s2);
                left[i] = (SampleType) (mid + (double) y);
                right[i] = (SampleType) (mid - (double) y);
            }
        }

        state1[0] = s1;
        state2[0] = s2;
    }

    // A non-finite input sample (or an overflow) would otherwise stay in the integrators for
    // good; clearing them lets the next block come out clean.
    void recoverFromNonFiniteState() noexcept
    {
        for (size_t channel = 0; channel < state1.size(); ++channel)
        {
            if (! std::isfinite (state1[channel]) || ! std::isfinite (state2[channel]))
            {
                state1[channel] = 0.0;
                state2[channel] = 0.0;
            }
        }
    }

    void setSampleRate (float newRate) noexcept
    {
        // A rate of zero or below cannot run a filter; keep the last usable one.
        if (! (newRate > 0.0f) || ! std::isfinite (newRate))
            return;

        sampleRate = newRate;
        twoSampleRate = 2.0 * (double) newRate;
        halfSamplePeriod = 0.5 * (1.0 / (double) newRate);
    }

    void recomputeCoefficients() noexcept
    {
        const double wd = (double) (cutoff * 6.28f);
        double prewarpAngle = wd * halfSamplePeriod;

        if (! (prewarpAngle <= maxPrewarpAngle))
            prewarpAngle = maxPrewarpAngle;
        else if (prewarpAngle < 0.0)
            prewarpAngle = 0.0;

        const double wa = std::tan (prewarpAngle) * twoSampleRate;
        g = wa * halfSamplePeriod;
        updateNormaliser();
    }

    void updateNormaliser() noexcept
    {
        twoDamping = damping + damping;
        normaliser = 1.0 / (g * g + (twoDamping * g + 1.0));
    }

    void setParametricDamping() noexcept
    {
        damping = 1.0 - (double) q;
        updateNormaliser();
    }

    void updateProportionalDamping() noexcept
    {
        const auto c = (float) std::pow (10.0, (double) (std::abs (gainDecibels) * 0.05f));

        if (filterType == kBell)
            damping = 1.0 + (double) (c * -0.1f);
        else
            damping = 1.0 - (double) (c * 0.25f - 0.24f);

        recomputeCoefficients();
    }

    float sampleRate = 44100.0f;
    float q = 0.1f;
    float cutoff = 1000.0f;
    float gainFactor = 0.0f;
    float gainDecibels = 0.0f;
    double g = 0.0;
    double damping = 0.0;
    double twoDamping = 0.0;
    double normaliser = 1.0;
    int filterType = kLowPass;
    int qType = kParametric;
    int stereoType = kStereo;
    std::vector<double> state1;
    std::vector<double> state2;
    float lowShelfMix = 0.0f;
    float bellMix = 0.0f;
    float highShelfMix = 0.0f;
    float lowPassMix = 0.0f;
    float highPassMix = 0.0f;
    double twoSampleRate = 2.0 * 44100.0;
    double halfSamplePeriod = 0.5 / 44100.0;
};

} // namespace orvane_dsp

ORVANE_EXACT_ARITHMETIC_END
