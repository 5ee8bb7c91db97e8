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

    Moving a filter between blocks never bursts. A trapezoidal integrator's state is its output
    plus half a step of its input scaled by g: s1 = BP + g HP, s2 = LP + g BP. Towards half the
    sample rate g grows without bound (about 10^4 at the limit below), and so do those half steps;
    the output's zero at the Nyquist frequency cancels them as long as g stays, but taken as they
    are into a smaller g they come out as a burst far above the signal. So when g has fallen since
    the states were last advanced, from above handOverGain, the integrators keep their outputs and
    the half steps are rescaled to the new g before the next sample. Below that gain (cutoffs under
    a quarter of the processing rate) the half steps are no larger than the signal, and a move is
    left exactly as the recursion gives it. A low-pass asked for a cutoff at or above the limit
    leaves the block unchanged, as it does at the top of its range.

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
        lastBandPass.assign (spec.numChannels, 0.0);
        lastLowPass.assign (spec.numChannels, 0.0);
        stateGain = 0.0;
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

        const auto numChannels = block.getNumChannels();
        const auto numSamples = block.getNumSamples();

        // Nothing to run: the states, and the gain they belong to, stay as they are.
        if (isTransparent() || numSamples == 0)
            return;

        handOverStates();

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
        cutoff at or above the Nyquist frequency blow the filter up. Cutoffs below it are exact;
        bells and shelves asked for more sit at the limit, and a low-pass there leaves the block
        unchanged. */
    static constexpr double maxPrewarpAngle = 1.5707;

    /** The integrator gain g (tan of the prewarp angle, 1 at a quarter of the processing rate)
        above which a move to a lower g hands the integrator states over (see the class comment). */
    static constexpr double handOverGain = 1.0;

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
            return cutoff == 20000.0f || cutoffAtLimit;

        return gainDecibels == 0.0f;
    }

    // One sample of the recursion and its output mix; bp and lp receive the integrators' outputs.
    double tick (double x, double& s1, double& s2, double& bp, double& lp) const noexcept
    {
        const double hp = (x - twoDamping * s1 - g * s1 - s2) * normaliser;
        bp = g * hp + s1;
        lp = g * bp + s2;

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
        double bp = lastBandPass[channel];
        double lp = lastLowPass[channel];

        for (size_t i = 0; i < numSamples; ++i)
            samples[i] = (SampleType) tick ((double) samples[i], s1, s2, bp, lp);

        state1[channel] = s1;
        state2[channel] = s2;
        lastBandPass[channel] = bp;
        lastLowPass[channel] = lp;
    }

    void processMidSide (SampleType* left, SampleType* right, size_t numSamples) noexcept
    {
        double s1 = state1[0];
        double s2 = state2[0];
        double bp = lastBandPass[0];
        double lp = lastLowPass[0];

        for (size_t i = 0; i < numSamples; ++i)
        {
            const SampleType l = left[i];
            const SampleType r = right[i];
            const double mid = (double) (l + r) * 0.5;
            const double side = (double) (l - r) * 0.5;

            if (stereoType == kMid)
            {
                const auto y = (SampleType) tick ((double) (SampleType) mid, s1, s2, bp, lp);
                left[i] = (SampleType) (side + (double) y);
                right[i] = (SampleType) ((double) y - side);
            }
            else
            {
                const auto y = (SampleType) tick ((double) (SampleType) side, s1, s2, bp, lp);
                left[i] = (SampleType) (mid + (double) y);
                right[i] = (SampleType) (mid - (double) y);
            }
        }

        state1[0] = s1;
        state2[0] = s2;
        lastBandPass[0] = bp;
        lastLowPass[0] = lp;
    }

    // Where g has fallen from above handOverGain since the states were last advanced, each
    // channel's integrators keep their outputs (the band-pass and low-pass of its last sample) and
    // their half steps shrink to the new g: s = v + (g / gOld) (s - v). A channel that did not run
    // since is handed over all the same, so that every state belongs to stateGain.
    void handOverStates() noexcept
    {
        if (g < stateGain && stateGain > handOverGain)
        {
            const double ratio = g / stateGain;

            for (size_t channel = 0; channel < state1.size(); ++channel)
            {
                state1[channel] = lastBandPass[channel] + ratio * (state1[channel] - lastBandPass[channel]);
                state2[channel] = lastLowPass[channel] + ratio * (state2[channel] - lastLowPass[channel]);
            }
        }

        stateGain = g;
    }

    // A non-finite input sample (or an overflow) would otherwise stay in the integrators for
    // good; clearing them lets the next block come out clean.
    void recoverFromNonFiniteState() noexcept
    {
        for (size_t channel = 0; channel < state1.size(); ++channel)
        {
            // A non-finite band-pass or low-pass output leaves its state non-finite too.
            if (! std::isfinite (state1[channel]) || ! std::isfinite (state2[channel]))
            {
                state1[channel] = 0.0;
                state2[channel] = 0.0;
                lastBandPass[channel] = 0.0;
                lastLowPass[channel] = 0.0;
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
        cutoffAtLimit = ! (prewarpAngle < maxPrewarpAngle);

        if (cutoffAtLimit)
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
    // Whether the last cutoff reached maxPrewarpAngle.
    bool cutoffAtLimit = false;
    // Per channel, the band-pass and low-pass outputs of the last sample the recursion ran, and
    // the g the states were last advanced with (0 while they are fresh): what a hand-over needs.
    std::vector<double> lastBandPass;
    std::vector<double> lastLowPass;
    double stateGain = 0.0;
};

} // namespace orvane_dsp

ORVANE_EXACT_ARITHMETIC_END
