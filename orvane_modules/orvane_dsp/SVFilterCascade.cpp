#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "ExactArithmetic.h"

ORVANE_EXACT_ARITHMETIC_BEGIN

#if defined (__GNUC__) || defined (__clang__)
 #define ORVANE_CASCADE_HAS_VECTORS 1
#else
 #define ORVANE_CASCADE_HAS_VECTORS 0
#endif

// Defining ORVANE_CASCADE_PORTABLE as 1 builds only the kernel that processors other than x86-64
// run (generic compiler vectors, no intrinsics), so that it can be tested on any machine.
#ifndef ORVANE_CASCADE_PORTABLE
 #define ORVANE_CASCADE_PORTABLE 0
#endif

#if ORVANE_CASCADE_HAS_VECTORS && (defined (__x86_64__) || defined (_M_X64)) && ! ORVANE_CASCADE_PORTABLE
 #define ORVANE_CASCADE_HAS_WIDE_X86 1
#else
 #define ORVANE_CASCADE_HAS_WIDE_X86 0
#endif

namespace orvane_dsp
{
namespace cascade_detail
{
using Filter = SVFilter<float>;
using Kernel = SVFilterCascade::Kernel;

constexpr int maxLanes = (int) SVFilterCascade::maxFiltersPerPass;

// The filters after a stage trail the ones before it by this many steps: the loop runs in chunks
// of this many steps and hands the stage, after each chunk, the frames the filters before it
// finished, well before the filters after it need them.
constexpr size_t stageChunk = 8;

// How many steps each filter trails the one before it. A filter's output of one step is only
// needed this many steps later, so the chain of dependent operations from a filter's input to
// its output (the recursion, the mix and the rounding) may take that many steps' time.
constexpr size_t skew = 3;

// What a lane's recursion filters: its own channel (a left/right filter has a lane for each
// channel), or the mid or the side signal of the two channels.
enum LaneKind
{
    leftRightLane = 0,
    midLane,
    sideLane
};

/** A filter's coefficients, mix weights and integrator states as one lane runs them. */
struct LaneData
{
    double g, twoDamping, normaliser, gainFactor;
    double lowShelfMix, bellMix, highShelfMix, highPassMix, lowPassMix;
    double state1[2], state2[2]; // per channel; a mid or side lane uses the first
    // The band-pass and low-pass outputs of each recursion's last frame, which a filter above the
    // hand-over gain keeps for handing its states over when it moves (filled in by the pass).
    double lastBandPass[2], lastLowPass[2];
    int kind;
    int response; // the one response the mix adds (a FilterType), or -1 (see singleResponseOf)
};

// A filter above the hand-over gain may have its states handed over when it next moves, which
// needs the band-pass and low-pass outputs of its last frame: the pass keeps those for its lane.
inline bool keepsLastOutputs (const LaneData& d) noexcept
{
    return d.g > SVFilter<float>::handOverGain;
}

/** One pass of the pipeline: up to maxLanes filters in chain order, those before a stage first. */
struct Pass
{
    float* left = nullptr;
    float* right = nullptr; // null for a one-channel block
    size_t numFrames = 0;
    LaneData lanes[maxLanes];
    int numFilters = 0;
    int numBefore = 0; // the filters before the stage; numFilters when there is none
    const SVFilterCascade::Stage* stage = nullptr;

    // Whether every lane has a single response (so the short form of the mix applies).
    bool singleResponses() const noexcept
    {
        for (int i = 0; i < numFilters; ++i)
            if (lanes[i].response < 0)
                return false;

        return true;
    }
};

/**
    The filter's output mix is a sum of five weighted responses,
        y = wLS (x + K LP) + wB (x + K 2R BP) + wHS (x + K HP) + wHP HP + wLP LP,
    and a filter normally has one weight of 1 and four of 0. Each zero-weighted term then adds
    a zero, unless the term is not finite, in which case 0 times it makes the sum NaN. For a
    stable filter with moderate coefficients and states the terms can only be non-finite when
    the input sample or a state is, and then HP is too; so the sum equals the one active
    response plus 0 x HP, bit for bit (up to the sign of a zero). This returns that response,
    or -1 when the filter is outside those bounds and the full sum must be formed.
*/
inline int singleResponseOf (const LaneData& d) noexcept
{
    const double weights[] = { d.lowShelfMix, d.highPassMix, d.bellMix, d.lowPassMix, d.highShelfMix };
    int response = -1;

    for (int type = 0; type < 5; ++type)
    {
        if (weights[type] == 1.0 && response < 0)
            response = type;
        else if (weights[type] != 0.0)
            return -1;
    }

    // Stable (damping above zero, g not negative) and far from overflow: the states stay within
    // a few orders of magnitude of the largest float times the filter's peak gain.
    const bool moderate = d.g >= 0.0 && d.g <= 1.0e6
                       && d.twoDamping >= 2.0e-6 && d.twoDamping <= 2.0e6
                       && d.normaliser > 0.0 && d.normaliser <= 1.0
                       && std::abs (d.gainFactor) <= 1.0e6;

    for (int ch = 0; ch < 2; ++ch)
        if (! (std::abs (d.state1[ch]) <= 1.0e100 && std::abs (d.state2[ch]) <= 1.0e100))
            return -1;

    return moderate ? response : -1;
}

/** Where a pass reads and writes the block, and how far each lane trails the first. */
struct Schedule
{
    size_t lagLastBefore = 0; // the last filter before the stage, whose output the stage takes
    size_t lagFirstAfter = 0; // the first filter after it, which reads the stage's output
    size_t lagLast = 0;       // the last filter of the pass
    int numBefore = 0;
    int lastBeforeGroup = 0, lastBeforeLane = 0, lastGroup = 0, lastLane = 0;
    bool hasStage = false;

    size_t lagOf (int filter) const noexcept
    {
        return (size_t) filter * skew + (hasStage && filter >= numBefore ? stageChunk : 0);
    }

    static Schedule of (const Pass& pass, int lanesPerGroup) noexcept
    {
        Schedule s;
        s.hasStage = pass.stage != nullptr && pass.numBefore > 0 && pass.numBefore < pass.numFilters;
        s.numBefore = pass.numBefore;
        s.lagLastBefore = s.lagOf (pass.numBefore - 1);
        s.lagFirstAfter = s.lagOf (pass.numBefore);
        s.lagLast = s.lagOf (pass.numFilters - 1);
        s.lastBeforeGroup = (pass.numBefore - 1) / lanesPerGroup;
        s.lastBeforeLane = (pass.numBefore - 1) % lanesPerGroup;
        s.lastGroup = (pass.numFilters - 1) / lanesPerGroup;
        s.lastLane = (pass.numFilters - 1) % lanesPerGroup;
        return s;
    }
};
} // namespace cascade_detail
} // namespace orvane_dsp

// The kernels, one per instruction set. The wide ones pass vectors by value between functions
// that are all inlined into a kernel built for the instruction set they need, so no call with
// vector arguments ever crosses an ABI boundary.
#if ORVANE_CASCADE_HAS_VECTORS
 #if defined (__GNUC__) && ! defined (__clang__)
  #pragma GCC diagnostic push
  #pragma GCC diagnostic ignored "-Wpsabi"
 #endif

 #if ORVANE_CASCADE_HAS_WIDE_X86
  #include <immintrin.h>
 #endif

 #define ORVANE_LANES_NAMESPACE orvane_dsp::cascade_lanes2
 #define ORVANE_LANES_WIDTH 2
 #define ORVANE_LANES_TARGET
 #define ORVANE_LANES_X86 ORVANE_CASCADE_HAS_WIDE_X86
 #include "SVFilterCascadeLanes.h"
 #undef ORVANE_LANES_NAMESPACE
 #undef ORVANE_LANES_WIDTH
 #undef ORVANE_LANES_TARGET
 #undef ORVANE_LANES_X86

 #if ORVANE_CASCADE_HAS_WIDE_X86
  #define ORVANE_LANES_NAMESPACE orvane_dsp::cascade_lanes4
  #define ORVANE_LANES_WIDTH 4
  #define ORVANE_LANES_TARGET __attribute__ ((target ("avx2")))
  #define ORVANE_LANES_X86 1
  #include "SVFilterCascadeLanes.h"
  #undef ORVANE_LANES_NAMESPACE
  #undef ORVANE_LANES_WIDTH
  #undef ORVANE_LANES_TARGET
  #undef ORVANE_LANES_X86

  #define ORVANE_LANES_NAMESPACE orvane_dsp::cascade_lanes8
  #define ORVANE_LANES_WIDTH 8
  #define ORVANE_LANES_TARGET __attribute__ ((target ("avx512f,avx512vl,avx512dq")))
  #define ORVANE_LANES_X86 1
  #include "SVFilterCascadeLanes.h"
  #undef ORVANE_LANES_NAMESPACE
  #undef ORVANE_LANES_WIDTH
  #undef ORVANE_LANES_TARGET
  #undef ORVANE_LANES_X86
 #endif

 #if defined (__GNUC__) && ! defined (__clang__)
  #pragma GCC diagnostic pop
 #endif
#endif

namespace orvane_dsp
{
namespace cascade_detail
{
#if ORVANE_CASCADE_HAS_WIDE_X86
bool cpuHas (int feature) noexcept
{
    __builtin_cpu_init();
    return feature == 4 ? __builtin_cpu_supports ("avx2") != 0
                        : (__builtin_cpu_supports ("avx512f") != 0 && __builtin_cpu_supports ("avx512vl") != 0
                           && __builtin_cpu_supports ("avx512dq") != 0);
}

// Read once when the library loads, so that the audio thread never waits on a first-use guard.
const bool hasLanes4 = cpuHas (4);
const bool hasLanes8 = cpuHas (8);
#else
constexpr bool hasLanes4 = false;
constexpr bool hasLanes8 = false;
#endif

Kernel resolve (Kernel kernel) noexcept
{
#if ORVANE_CASCADE_HAS_VECTORS
    if (kernel == Kernel::lanes8 && hasLanes8) return kernel;
    if (kernel == Kernel::lanes4 && hasLanes4) return kernel;
    if (kernel == Kernel::lanes2 || kernel == Kernel::lanes4 || kernel == Kernel::lanes8) return Kernel::lanes2;
    if (kernel == Kernel::sequential) return kernel;
    return hasLanes8 ? Kernel::lanes8 : (hasLanes4 ? Kernel::lanes4 : Kernel::lanes2);
#else
    juce::ignoreUnused (kernel);
    return Kernel::sequential;
#endif
}

void runPass (Pass& pass, Kernel kernel) noexcept
{
#if ORVANE_CASCADE_HAS_VECTORS
 #if ORVANE_CASCADE_HAS_WIDE_X86
    if (kernel == Kernel::lanes8) return cascade_lanes8::runPass (pass);
    if (kernel == Kernel::lanes4) return cascade_lanes4::runPass (pass);
 #endif
    juce::ignoreUnused (kernel);
    cascade_lanes2::runPass (pass);
#else
    juce::ignoreUnused (pass, kernel);
#endif
}

void runSequentially (Filter* const* filters, size_t numFilters, const juce::dsp::AudioBlock<float>& block) noexcept
{
    auto blockCopy = block;
    const juce::dsp::ProcessContextReplacing<float> context (blockCopy);

    for (size_t i = 0; i < numFilters; ++i)
        filters[i]->process (context);
}

bool usesLanes (const juce::dsp::AudioBlock<float>& block, Kernel kernel) noexcept
{
    return kernel != Kernel::sequential && block.getNumSamples() > 0
        && (block.getNumChannels() == 1 || block.getNumChannels() == 2);
}

void fillPass (Pass& pass, const juce::dsp::AudioBlock<float>& block) noexcept
{
    pass.left = block.getChannelPointer (0);
    pass.right = block.getNumChannels() == 2 ? block.getChannelPointer (1) : nullptr;
    pass.numFrames = block.getNumSamples();
}

// Room for the lanes of one part of the chain, split into passes when it is longer than one.
constexpr size_t maxCollected = 256;
} // namespace cascade_detail

struct SVFilterCascade::FilterAccess
{
    using Filter = cascade_detail::Filter;
    using Pass = cascade_detail::Pass;

    enum class Fit
    {
        lane,        // runs in a lane of the given kind
        passesBlock, // leaves the block as it is: skips itself, or has no state to work with
        plainOnly    // a case the lanes do not model: only SVFilter::process handles it
    };

    static Fit fit (const Filter& filter, size_t numChannels, int& kind) noexcept
    {
        using namespace cascade_detail;

        if (filter.isTransparent() || filter.state1.empty())
            return Fit::passesBlock;

        kind = leftRightLane;

        if (numChannels == 2)
        {
            if (filter.stereoType == Filter::kMid || filter.stereoType == Filter::kSide)
            {
                kind = filter.stereoType == Filter::kMid ? midLane : sideLane;
                return Fit::lane;
            }

            // A filter prepared for one channel filters only the left one of a stereo block.
            return filter.state1.size() >= 2 ? Fit::lane : Fit::plainOnly;
        }

        return Fit::lane;
    }

    /** The filters of one part of the chain that take a lane; false when one of them needs the
        plain path. */
    static bool collect (Filter* const* filters, size_t numFilters, size_t numChannels,
                         Filter** lanes, int* kinds, size_t& numLanes) noexcept
    {
        numLanes = 0;

        for (size_t i = 0; i < numFilters; ++i)
        {
            int kind = cascade_detail::leftRightLane;

            switch (fit (*filters[i], numChannels, kind))
            {
                case Fit::passesBlock: break;
                case Fit::plainOnly:   return false;
                case Fit::lane:
                    lanes[numLanes] = filters[i];
                    kinds[numLanes] = kind;
                    ++numLanes;
                    break;
            }
        }

        return true;
    }

    static void load (Filter& filter, int kind, cascade_detail::LaneData& data) noexcept
    {
        filter.handOverStates();

        data.g = filter.g;
        data.twoDamping = filter.twoDamping;
        data.normaliser = filter.normaliser;
        data.gainFactor = (double) filter.gainFactor;
        data.lowShelfMix = (double) filter.lowShelfMix;
        data.bellMix = (double) filter.bellMix;
        data.highShelfMix = (double) filter.highShelfMix;
        data.highPassMix = (double) filter.highPassMix;
        data.lowPassMix = (double) filter.lowPassMix;
        data.kind = kind;

        for (size_t ch = 0; ch < 2; ++ch)
        {
            const bool used = ch < filter.state1.size() && (ch == 0 || kind == cascade_detail::leftRightLane);
            data.state1[ch] = used ? filter.state1[ch] : 0.0;
            data.state2[ch] = used ? filter.state2[ch] : 0.0;
        }

        data.response = cascade_detail::singleResponseOf (data);
    }

    // Writes back the states the lane used, with the last outputs where the pass kept them, and
    // clears them if they went non-finite.
    static void store (const cascade_detail::LaneData& data, Filter& filter, size_t numChannels) noexcept
    {
        const size_t used = data.kind == cascade_detail::leftRightLane ? numChannels : 1;
        const bool keepsLastOutputs = cascade_detail::keepsLastOutputs (data);

        for (size_t ch = 0; ch < used; ++ch)
        {
            filter.state1[ch] = data.state1[ch];
            filter.state2[ch] = data.state2[ch];

            if (keepsLastOutputs)
            {
                filter.lastBandPass[ch] = data.lastBandPass[ch];
                filter.lastLowPass[ch] = data.lastLowPass[ch];
            }
        }

        filter.recoverFromNonFiniteState();
    }

    static void run (Pass& pass, Filter* const* filters, size_t numChannels, Kernel kernel) noexcept
    {
        cascade_detail::runPass (pass, kernel);

        for (int i = 0; i < pass.numFilters; ++i)
            store (pass.lanes[i], *filters[i], numChannels);
    }

    // The filters of one part, in passes of at most maxLanes lanes.
    static void runInPasses (Filter* const* lanes, const int* kinds, size_t numLanes,
                             const juce::dsp::AudioBlock<float>& block, Kernel kernel) noexcept
    {
        using namespace cascade_detail;

        for (size_t start = 0; start < numLanes; start += (size_t) maxLanes)
        {
            Pass pass;
            fillPass (pass, block);
            pass.numFilters = pass.numBefore = (int) std::min ((size_t) maxLanes, numLanes - start);

            for (int i = 0; i < pass.numFilters; ++i)
                load (*lanes[start + (size_t) i], kinds[start + (size_t) i], pass.lanes[i]);

            run (pass, lanes + start, block.getNumChannels(), kernel);
        }
    }
};

void SVFilterCascade::process (SVFilter<float>* const* filters, size_t numFilters,
                               const juce::dsp::AudioBlock<float>& block, Kernel kernel) noexcept
{
    using namespace cascade_detail;
    kernel = resolve (kernel);

    for (size_t start = 0; start < numFilters; start += maxCollected)
    {
        const size_t count = std::min (maxCollected, numFilters - start);
        Filter* lanes[maxCollected];
        int kinds[maxCollected];
        size_t numLanes = 0;

        if (usesLanes (block, kernel)
            && FilterAccess::collect (filters + start, count, block.getNumChannels(), lanes, kinds, numLanes))
            FilterAccess::runInPasses (lanes, kinds, numLanes, block, kernel);
        else
            runSequentially (filters + start, count, block);
    }
}

void SVFilterCascade::process (SVFilter<float>* const* before, size_t numBefore, const Stage& stage,
                               SVFilter<float>* const* after, size_t numAfter,
                               const juce::dsp::AudioBlock<float>& block, Kernel kernel) noexcept
{
    using namespace cascade_detail;
    kernel = resolve (kernel);

    Filter* lanes[2 * maxLanes];
    int kinds[2 * maxLanes];
    size_t numLanesBefore = 0, numLanesAfter = 0;
    const auto numChannels = block.getNumChannels();

    const bool oneWithTheStage = usesLanes (block, kernel)
                                 && numBefore <= (size_t) maxLanes && numAfter <= (size_t) maxLanes
                                 && FilterAccess::collect (before, numBefore, numChannels, lanes, kinds, numLanesBefore)
                                 && FilterAccess::collect (after, numAfter, numChannels, lanes + numLanesBefore,
                                                           kinds + numLanesBefore, numLanesAfter)
                                 && numLanesBefore > 0 && numLanesAfter > 0
                                 && numLanesBefore + numLanesAfter <= (size_t) maxLanes;

    if (! oneWithTheStage)
    {
        process (before, numBefore, block, kernel);
        stage (0, block.getNumSamples());
        process (after, numAfter, block, kernel);
        return;
    }

    Pass pass;
    fillPass (pass, block);
    pass.numBefore = (int) numLanesBefore;
    pass.numFilters = (int) (numLanesBefore + numLanesAfter);
    pass.stage = &stage;

    for (int i = 0; i < pass.numFilters; ++i)
        FilterAccess::load (*lanes[i], kinds[i], pass.lanes[i]);

    FilterAccess::run (pass, lanes, numChannels, kernel);
}

bool SVFilterCascade::isAvailable (Kernel kernel) noexcept
{
    using namespace cascade_detail;

    switch (kernel)
    {
        case Kernel::automatic:
        case Kernel::sequential: return true;
        case Kernel::lanes2:     return ORVANE_CASCADE_HAS_VECTORS != 0;
        case Kernel::lanes4:     return hasLanes4;
        case Kernel::lanes8:     return hasLanes8;
    }

    return false;
}

SVFilterCascade::Kernel SVFilterCascade::getAutomaticKernel() noexcept
{
    return cascade_detail::resolve (Kernel::automatic);
}

} // namespace orvane_dsp

ORVANE_EXACT_ARITHMETIC_END
