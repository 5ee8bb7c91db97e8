#include <algorithm>
#include <cstring>

#if defined (__GNUC__) || defined (__clang__)
 #define ORVANE_CASCADE_HAS_VECTORS 1
#else
 #define ORVANE_CASCADE_HAS_VECTORS 0
#endif

#if ORVANE_CASCADE_HAS_VECTORS && (defined (__x86_64__) || defined (_M_X64))
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
constexpr size_t stageChunk = 32;

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
    int kind;
};

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
};

#if ORVANE_CASCADE_HAS_VECTORS
 #define ORVANE_CASCADE_INLINE inline __attribute__ ((always_inline))

// The wide helpers below pass vectors by value; they are always inlined into the kernels built
// for the instruction set they need, so no call ever crosses an ABI boundary.
 #if defined (__GNUC__) && ! defined (__clang__)
  #pragma GCC diagnostic ignored "-Wpsabi"
 #endif

template <int W> struct Lanes;

template <> struct Lanes<2>
{
    typedef double D __attribute__ ((vector_size (16)));
    typedef float F __attribute__ ((vector_size (8)));
    typedef long long M __attribute__ ((vector_size (16)));
    static ORVANE_CASCADE_INLINE D broadcast (double x) noexcept { return D { x, x }; }
    // Lane 0 takes the last lane of prev, lane i the lane i - 1 of cur.
    static ORVANE_CASCADE_INLINE D shiftIn (D prev, D cur) noexcept { return __builtin_shufflevector (prev, cur, 1, 2); }
};

template <> struct Lanes<4>
{
    typedef double D __attribute__ ((vector_size (32)));
    typedef float F __attribute__ ((vector_size (16)));
    typedef long long M __attribute__ ((vector_size (32)));
    static ORVANE_CASCADE_INLINE D broadcast (double x) noexcept { return D { x, x, x, x }; }
    static ORVANE_CASCADE_INLINE D shiftIn (D prev, D cur) noexcept { return __builtin_shufflevector (prev, cur, 3, 4, 5, 6); }
};

template <> struct Lanes<8>
{
    typedef double D __attribute__ ((vector_size (64)));
    typedef float F __attribute__ ((vector_size (32)));
    typedef long long M __attribute__ ((vector_size (64)));
    static ORVANE_CASCADE_INLINE D broadcast (double x) noexcept { return D { x, x, x, x, x, x, x, x }; }
    static ORVANE_CASCADE_INLINE D shiftIn (D prev, D cur) noexcept
    {
        return __builtin_shufflevector (prev, cur, 7, 8, 9, 10, 11, 12, 13, 14);
    }
};

/** W consecutive filters of the chain, one per lane. */
template <int W>
struct LaneGroup
{
    using D = typename Lanes<W>::D;
    using M = typename Lanes<W>::M;

    enum Kind
    {
        allLeftRight,
        allMidSide,
        mixed
    };

    // Coefficients and mix weights of each lane's filter.
    D g, twoDamping, normaliser, gainFactor, lowShelfMix, bellMix, highShelfMix, highPassMix, lowPassMix;
    // Integrator states of the left (or mid/side) and the right recursions.
    D s1L, s2L, s1R, s2R;
    // Each lane's output of the previous step: float values, held as doubles.
    D outL, outR;
    // How many steps each lane trails the first lane: at step t a lane works on frame t - lag.
    D lag;
    M midSide, side, fromBlock;
    int kind;
    bool takesBlockInput;
};

template <int W>
ORVANE_CASCADE_INLINE typename Lanes<W>::D select (typename Lanes<W>::M mask, typename Lanes<W>::D a, typename Lanes<W>::D b) noexcept
{
    using M = typename Lanes<W>::M;
    return (typename Lanes<W>::D) (((M) a & mask) | ((M) b & ~mask));
}

// Rounds every lane to float and back, as the filters round their outputs.
template <int W>
ORVANE_CASCADE_INLINE typename Lanes<W>::D toFloatPrecision (typename Lanes<W>::D v) noexcept
{
    return __builtin_convertvector (__builtin_convertvector (v, typename Lanes<W>::F), typename Lanes<W>::D);
}

// One sample of SVFilter's recursion and output mix in every lane, operation for operation.
template <int W>
ORVANE_CASCADE_INLINE typename Lanes<W>::D tick (const LaneGroup<W>& c, typename Lanes<W>::D x,
                                                 typename Lanes<W>::D& s1, typename Lanes<W>::D& s2) noexcept
{
    const auto hp = (x - c.twoDamping * s1 - c.g * s1 - s2) * c.normaliser;
    const auto ghp = c.g * hp;
    const auto bp = ghp + s1;
    const auto gbp = c.g * bp;
    const auto lp = gbp + s2;

    s1 = ghp + bp;
    s2 = gbp + lp;

    const auto k = c.gainFactor;

    return c.lowShelfMix * (x + k * lp)
         + c.bellMix * (x + k * (c.twoDamping * bp))
         + c.highShelfMix * (x + k * hp)
         + c.highPassMix * hp
         + c.lowPassMix * lp;
}

// The mid or side lane's filter input and the signal that passes by it: mid = (L + R) / 2 and
// side = (L - R) / 2, the sum and difference rounded to float and halved in double.
template <int W>
ORVANE_CASCADE_INLINE void splitMidSide (typename Lanes<W>::D left, typename Lanes<W>::D right, typename Lanes<W>::M side,
                                         typename Lanes<W>::D& input, typename Lanes<W>::D& passing) noexcept
{
    const auto mid = toFloatPrecision<W> (left + right) * 0.5;
    const auto sideSignal = toFloatPrecision<W> (left - right) * 0.5;
    input = toFloatPrecision<W> (select<W> (side, sideSignal, mid));
    passing = select<W> (side, mid, sideSignal);
}

// Left and right from the filtered signal y and the one that passed by: a mid lane gives
// L = side + y and R = y - side, a side lane L = mid + y and R = mid - y.
template <int W>
ORVANE_CASCADE_INLINE void joinMidSide (typename Lanes<W>::D y, typename Lanes<W>::D passing, typename Lanes<W>::M side,
                                        typename Lanes<W>::D& left, typename Lanes<W>::D& right) noexcept
{
    left = toFloatPrecision<W> (passing + y);
    right = toFloatPrecision<W> (select<W> (side, passing, y) - select<W> (side, y, passing));
}

/** Where the pass reads and writes the block. */
struct Schedule
{
    size_t lagLastBefore = 0; // the last filter before the stage
    size_t lagFirstAfter = 0; // the first filter after it, which reads the stage's output
    size_t lagLast = 0;       // the last filter of the pass
    int lastBeforeGroup = 0, lastBeforeLane = 0, lastGroup = 0, lastLane = 0;
    bool hasStage = false;
};

template <int W, bool stereo, bool edge>
ORVANE_CASCADE_INLINE void step (LaneGroup<W>* groups, int numGroups, const Pass& pass, const Schedule& schedule, size_t t) noexcept
{
    using D = typename Lanes<W>::D;
    using M = typename Lanes<W>::M;
    using Group = LaneGroup<W>;

    const size_t numFrames = pass.numFrames;
    double inputLeft = 0.0, inputRight = 0.0, stagedLeft = 0.0, stagedRight = 0.0;

    if (! edge || t < numFrames)
    {
        inputLeft = (double) pass.left[t];
        if constexpr (stereo) inputRight = (double) pass.right[t];
    }

    if (schedule.hasStage && (! edge || (t >= schedule.lagFirstAfter && t - schedule.lagFirstAfter < numFrames)))
    {
        stagedLeft = (double) pass.left[t - schedule.lagFirstAfter];
        if constexpr (stereo) stagedRight = (double) pass.right[t - schedule.lagFirstAfter];
    }

    const D firstLeft = Lanes<W>::broadcast (inputLeft), firstRight = Lanes<W>::broadcast (inputRight);
    const D fromStageLeft = Lanes<W>::broadcast (stagedLeft), fromStageRight = Lanes<W>::broadcast (stagedRight);
    const D zero {};
    const D stepIndex = Lanes<W>::broadcast ((double) t);
    const D frameCount = Lanes<W>::broadcast ((double) numFrames);

    // Last group first: each group reads the previous group's outputs of the previous step.
    for (int gi = numGroups - 1; gi >= 0; --gi)
    {
        auto& group = groups[gi];

        D inL = Lanes<W>::shiftIn (gi > 0 ? groups[gi - 1].outL : firstLeft, group.outL);
        D inR {};

        if constexpr (stereo)
            inR = Lanes<W>::shiftIn (gi > 0 ? groups[gi - 1].outR : firstRight, group.outR);

        if (group.takesBlockInput)
        {
            inL = select<W> (group.fromBlock, fromStageLeft, inL);
            if constexpr (stereo) inR = select<W> (group.fromBlock, fromStageRight, inR);
        }

        M active {};

        if constexpr (edge)
        {
            const D frame = stepIndex - group.lag;
            active = (M) (frame >= zero) & (M) (frame < frameCount);
        }

        auto keep = [&] (D& state, D updated)
        {
            if constexpr (edge)
                state = select<W> (active, updated, state);
            else
                state = updated;
        };

        if (! stereo || group.kind == Group::allLeftRight)
        {
            D s1 = group.s1L, s2 = group.s2L;
            const D yL = toFloatPrecision<W> (tick<W> (group, inL, s1, s2));
            keep (group.s1L, s1);
            keep (group.s2L, s2);
            group.outL = yL;

            if constexpr (stereo)
            {
                D r1 = group.s1R, r2 = group.s2R;
                const D yR = toFloatPrecision<W> (tick<W> (group, inR, r1, r2));
                keep (group.s1R, r1);
                keep (group.s2R, r2);
                group.outR = yR;
            }
        }
        else if (group.kind == Group::allMidSide)
        {
            D input, passing;
            splitMidSide<W> (inL, inR, group.side, input, passing);

            D s1 = group.s1L, s2 = group.s2L;
            const D y = toFloatPrecision<W> (tick<W> (group, input, s1, s2));
            keep (group.s1L, s1);
            keep (group.s2L, s2);
            joinMidSide<W> (y, passing, group.side, group.outL, group.outR);
        }
        else
        {
            D input, passing;
            splitMidSide<W> (inL, inR, group.side, input, passing);

            // A mid/side lane's right-hand recursion runs on silence and is never read back.
            D s1 = group.s1L, s2 = group.s2L, r1 = group.s1R, r2 = group.s2R;
            const D yL = toFloatPrecision<W> (tick<W> (group, select<W> (group.midSide, input, inL), s1, s2));
            const D yR = toFloatPrecision<W> (tick<W> (group, select<W> (group.midSide, zero, inR), r1, r2));
            keep (group.s1L, s1);
            keep (group.s2L, s2);
            keep (group.s1R, r1);
            keep (group.s2R, r2);

            D midSideLeft, midSideRight;
            joinMidSide<W> (yL, passing, group.side, midSideLeft, midSideRight);
            group.outL = select<W> (group.midSide, midSideLeft, yL);
            group.outR = select<W> (group.midSide, midSideRight, yR);
        }
    }

    if (schedule.hasStage && (! edge || (t >= schedule.lagLastBefore && t - schedule.lagLastBefore < numFrames)))
    {
        const auto& group = groups[schedule.lastBeforeGroup];
        pass.left[t - schedule.lagLastBefore] = (float) group.outL[schedule.lastBeforeLane];
        if constexpr (stereo) pass.right[t - schedule.lagLastBefore] = (float) group.outR[schedule.lastBeforeLane];
    }

    if (! edge || (t >= schedule.lagLast && t - schedule.lagLast < numFrames))
    {
        const auto& group = groups[schedule.lastGroup];
        pass.left[t - schedule.lagLast] = (float) group.outL[schedule.lastLane];
        if constexpr (stereo) pass.right[t - schedule.lagLast] = (float) group.outR[schedule.lastLane];
    }
}

template <int W, bool stereo>
ORVANE_CASCADE_INLINE void runLanes (Pass& pass) noexcept
{
    using Group = LaneGroup<W>;
    constexpr size_t maxGroups = (size_t) (maxLanes / W);

    Group groups[maxGroups];
    const int numGroups = (pass.numFilters + W - 1) / W;
    const bool hasStage = pass.stage != nullptr && pass.numBefore > 0 && pass.numBefore < pass.numFilters;

    // Unused lanes get all-zero coefficients, under which they stay silent.
    std::memset ((void*) groups, 0, sizeof (Group) * (size_t) numGroups);

    for (int f = 0; f < pass.numFilters; ++f)
    {
        auto& group = groups[f / W];
        const int lane = f % W;
        const auto& data = pass.lanes[f];
        const int kind = data.kind;

        group.g[lane] = data.g;
        group.twoDamping[lane] = data.twoDamping;
        group.normaliser[lane] = data.normaliser;
        group.gainFactor[lane] = data.gainFactor;
        group.lowShelfMix[lane] = data.lowShelfMix;
        group.bellMix[lane] = data.bellMix;
        group.highShelfMix[lane] = data.highShelfMix;
        group.highPassMix[lane] = data.highPassMix;
        group.lowPassMix[lane] = data.lowPassMix;

        group.s1L[lane] = data.state1[0];
        group.s2L[lane] = data.state2[0];

        if (stereo && kind == leftRightLane)
        {
            group.s1R[lane] = data.state1[1];
            group.s2R[lane] = data.state2[1];
        }

        group.lag[lane] = (double) f + (hasStage && f >= pass.numBefore ? (double) stageChunk : 0.0);
        group.midSide[lane] = kind != leftRightLane ? -1 : 0;
        group.side[lane] = kind == sideLane ? -1 : 0;

        if (hasStage && f == pass.numBefore)
        {
            group.fromBlock[lane] = -1;
            group.takesBlockInput = true;
        }
    }

    for (int gi = 0; gi < numGroups; ++gi)
    {
        bool anyLeftRight = false, anyMidSide = false;

        for (int f = gi * W; f < std::min (pass.numFilters, (gi + 1) * W); ++f)
            (pass.lanes[f].kind == leftRightLane ? anyLeftRight : anyMidSide) = true;

        groups[gi].kind = anyMidSide ? (anyLeftRight ? Group::mixed : Group::allMidSide) : Group::allLeftRight;
    }

    Schedule schedule;
    schedule.hasStage = hasStage;
    schedule.lagLastBefore = (size_t) (pass.numBefore - 1);
    schedule.lagFirstAfter = (size_t) pass.numBefore + stageChunk;
    schedule.lagLast = (size_t) (pass.numFilters - 1) + (hasStage ? stageChunk : 0);
    schedule.lastBeforeGroup = (pass.numBefore - 1) / W;
    schedule.lastBeforeLane = (pass.numBefore - 1) % W;
    schedule.lastGroup = (pass.numFilters - 1) / W;
    schedule.lastLane = (pass.numFilters - 1) % W;

    // Every lane works on a frame of the block in steps [lagLast, numFrames); before and after,
    // the lanes that have no frame keep their state.
    const size_t numFrames = pass.numFrames;
    const size_t numSteps = numFrames + schedule.lagLast;
    const size_t steadyBegin = schedule.lagLast, steadyEnd = std::max (numFrames, steadyBegin);
    const size_t chunk = hasStage ? stageChunk : numSteps;
    size_t staged = 0;

    for (size_t chunkStart = 0; chunkStart < numSteps; chunkStart += chunk)
    {
        const size_t chunkEnd = std::min (numSteps, chunkStart + chunk);
        const size_t fastBegin = std::clamp (steadyBegin, chunkStart, chunkEnd);
        const size_t fastEnd = std::clamp (steadyEnd, fastBegin, chunkEnd);

        for (size_t t = chunkStart; t < fastBegin; ++t)
            step<W, stereo, true> (groups, numGroups, pass, schedule, t);

        for (size_t t = fastBegin; t < fastEnd; ++t)
            step<W, stereo, false> (groups, numGroups, pass, schedule, t);

        for (size_t t = fastEnd; t < chunkEnd; ++t)
            step<W, stereo, true> (groups, numGroups, pass, schedule, t);

        if (hasStage && chunkEnd > schedule.lagLastBefore)
        {
            const size_t finished = std::min (numFrames, chunkEnd - schedule.lagLastBefore);

            if (finished > staged)
            {
                (*pass.stage) (staged, finished - staged);
                staged = finished;
            }
        }
    }

    for (int f = 0; f < pass.numFilters; ++f)
    {
        const auto& group = groups[f / W];
        const int lane = f % W;
        auto& data = pass.lanes[f];

        data.state1[0] = group.s1L[lane];
        data.state2[0] = group.s2L[lane];
        data.state1[1] = group.s1R[lane];
        data.state2[1] = group.s2R[lane];
    }
}

template <int W>
ORVANE_CASCADE_INLINE void runPass (Pass& pass) noexcept
{
    if (pass.right != nullptr)
        runLanes<W, true> (pass);
    else
        runLanes<W, false> (pass);
}

void runPassLanes2 (Pass& pass) noexcept { runPass<2> (pass); }

 #if ORVANE_CASCADE_HAS_WIDE_X86
__attribute__ ((target ("avx2"))) void runPassLanes4 (Pass& pass) noexcept { runPass<4> (pass); }
__attribute__ ((target ("avx512f"))) void runPassLanes8 (Pass& pass) noexcept { runPass<8> (pass); }

bool cpuHas (int feature) noexcept
{
    __builtin_cpu_init();
    return feature == 4 ? __builtin_cpu_supports ("avx2") != 0 : __builtin_cpu_supports ("avx512f") != 0;
}

// Read once when the library loads, so that the audio thread never waits on a first-use guard.
const bool hasLanes4 = cpuHas (4);
const bool hasLanes8 = cpuHas (8);
 #else
constexpr bool hasLanes4 = false;
constexpr bool hasLanes8 = false;
 #endif
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
    if (kernel == Kernel::lanes8) return runPassLanes8 (pass);
    if (kernel == Kernel::lanes4) return runPassLanes4 (pass);
 #endif
    juce::ignoreUnused (kernel);
    runPassLanes2 (pass);
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

    static void load (const Filter& filter, int kind, cascade_detail::LaneData& data) noexcept
    {
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
    }

    // Writes back the states the lane used, and clears them if they went non-finite.
    static void store (const cascade_detail::LaneData& data, Filter& filter, size_t numChannels) noexcept
    {
        const size_t used = data.kind == cascade_detail::leftRightLane ? numChannels : 1;

        for (size_t ch = 0; ch < used; ++ch)
        {
            filter.state1[ch] = data.state1[ch];
            filter.state2[ch] = data.state2[ch];
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
