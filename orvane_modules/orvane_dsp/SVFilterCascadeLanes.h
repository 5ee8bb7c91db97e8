// The cascade's kernel for one lane width. SVFilterCascade.cpp includes this file once per
// instruction set it builds a kernel for, each time with:
//   ORVANE_LANES_NAMESPACE  the namespace to put this kernel in
//   ORVANE_LANES_WIDTH      the lanes per register: 2, 4 or 8
//   ORVANE_LANES_TARGET     the function attribute that enables the instruction set (or nothing)
//   ORVANE_LANES_X86        1 to use x86 intrinsics (SSE2 for 2 lanes, AVX2 for 4, AVX-512 for 8)
// Every function here carries the target attribute and is inlined into runPass, so the whole
// kernel is compiled for its instruction set and nothing else is.
//
// Between filters the signal travels as floats, as it does between SVFilter::process calls; the
// recursions run in double precision. A lane's float output of one step is what the next lane
// takes `skew` steps later.
//
// No include guard: this file is meant to be included more than once.

namespace ORVANE_LANES_NAMESPACE
{
using namespace orvane_dsp::cascade_detail;

#define ORVANE_LANES_INLINE ORVANE_LANES_TARGET inline __attribute__ ((always_inline))

constexpr int W = ORVANE_LANES_WIDTH;

typedef double D __attribute__ ((vector_size (8 * ORVANE_LANES_WIDTH)));
typedef long long I __attribute__ ((vector_size (8 * ORVANE_LANES_WIDTH)));

#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 2
// Two floats ride in the low half of an SSE register.
typedef float F __attribute__ ((vector_size (16)));
typedef int IF __attribute__ ((vector_size (16)));
#else
typedef float F __attribute__ ((vector_size (4 * ORVANE_LANES_WIDTH)));
typedef int IF __attribute__ ((vector_size (4 * ORVANE_LANES_WIDTH)));
#endif

#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
typedef __mmask8 Mask;
typedef __mmask8 MaskF;
#else
typedef D Mask;  // all bits set in a selected lane
typedef F MaskF;
#endif

ORVANE_LANES_INLINE F broadcast (float x) noexcept
{
#if ORVANE_LANES_WIDTH == 8
    return F { x, x, x, x, x, x, x, x };
#elif ORVANE_LANES_WIDTH == 4 || ORVANE_LANES_X86
    return F { x, x, x, x };
#else
    return F { x, x };
#endif
}

ORVANE_LANES_INLINE D broadcastDouble (double x) noexcept
{
#if ORVANE_LANES_WIDTH == 8
    return D { x, x, x, x, x, x, x, x };
#elif ORVANE_LANES_WIDTH == 4
    return D { x, x, x, x };
#else
    return D { x, x };
#endif
}

// Lane 0 takes the last lane of prev, lane i the lane i - 1 of cur.
ORVANE_LANES_INLINE F shiftIn (F prev, F cur) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 2
    return __builtin_shufflevector (prev, cur, 1, 4, 2, 3);
#elif ORVANE_LANES_WIDTH == 2
    return __builtin_shufflevector (prev, cur, 1, 2);
#elif ORVANE_LANES_WIDTH == 4
    return __builtin_shufflevector (prev, cur, 3, 4, 5, 6);
#else
    return __builtin_shufflevector (prev, cur, 7, 8, 9, 10, 11, 12, 13, 14);
#endif
}

ORVANE_LANES_INLINE D widen (F v) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (D) _mm512_cvtps_pd ((__m256) v);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    return (D) _mm256_cvtps_pd ((__m128) v);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 2
    return (D) _mm_cvtps_pd ((__m128) v);
#else
    return __builtin_convertvector (v, D);
#endif
}

// Rounds every lane to float, as the filters round their outputs.
ORVANE_LANES_INLINE F narrow (D v) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (F) _mm512_cvtpd_ps ((__m512d) v);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    return (F) _mm256_cvtpd_ps ((__m256d) v);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 2
    return (F) _mm_cvtpd_ps ((__m128d) v);
#else
    return __builtin_convertvector (v, F);
#endif
}

ORVANE_LANES_INLINE D select (Mask mask, D ifSet, D ifClear) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (D) _mm512_mask_blend_pd (mask, (__m512d) ifClear, (__m512d) ifSet);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    return (D) _mm256_blendv_pd ((__m256d) ifClear, (__m256d) ifSet, (__m256d) mask);
#else
    return (D) (((I) ifSet & (I) mask) | ((I) ifClear & ~(I) mask));
#endif
}

ORVANE_LANES_INLINE F select (MaskF mask, F ifSet, F ifClear) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (F) _mm256_mask_blend_ps (mask, (__m256) ifClear, (__m256) ifSet);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    return (F) _mm_blendv_ps ((__m128) ifClear, (__m128) ifSet, (__m128) mask);
#else
    return (F) (((IF) ifSet & (IF) mask) | ((IF) ifClear & ~(IF) mask));
#endif
}

// The lanes whose frame index is the given one.
ORVANE_LANES_INLINE Mask equalTo (D frame, D index) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (Mask) _mm512_cmp_pd_mask ((__m512d) frame, (__m512d) index, _CMP_EQ_OQ);
#else
    return (Mask) (I) (frame == index);
#endif
}

ORVANE_LANES_INLINE Mask both (Mask a, Mask b) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (Mask) (a & b);
#else
    return (Mask) ((I) a & (I) b);
#endif
}

// The lanes whose frame index lies in [0, count).
ORVANE_LANES_INLINE Mask inRange (D frame, D count) noexcept
{
    const D zero {};
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (Mask) (_mm512_cmp_pd_mask ((__m512d) frame, (__m512d) zero, _CMP_GE_OQ)
                   & _mm512_cmp_pd_mask ((__m512d) frame, (__m512d) count, _CMP_LT_OQ));
#else
    return (Mask) ((I) (frame >= zero) & (I) (frame < count));
#endif
}

ORVANE_LANES_INLINE Mask laneMask (const bool (&lanes)[W]) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    unsigned bits = 0;
    for (int i = 0; i < W; ++i)
        bits |= lanes[i] ? (1u << i) : 0u;
    return (Mask) bits;
#else
    I bits {};
    for (int i = 0; i < W; ++i)
        bits[i] = lanes[i] ? -1 : 0;
    return (Mask) bits;
#endif
}

ORVANE_LANES_INLINE MaskF laneMaskF (const bool (&lanes)[W]) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return laneMask (lanes);
#else
    IF bits {};
    for (int i = 0; i < W; ++i)
        bits[i] = lanes[i] ? -1 : 0;
    return (MaskF) bits;
#endif
}

// Lane permutations: result lane i takes lane index[i] of v.
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
typedef int PermuteD __attribute__ ((vector_size (32))); // two float-sized halves per double
#else
typedef I PermuteD;
#endif

ORVANE_LANES_INLINE PermuteD permutation (const int (&index)[W]) noexcept
{
    PermuteD p {};
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    for (int i = 0; i < W; ++i)
    {
        p[2 * i] = 2 * index[i];
        p[2 * i + 1] = 2 * index[i] + 1;
    }
#else
    for (int i = 0; i < W; ++i)
        p[i] = index[i];
#endif
    return p;
}

ORVANE_LANES_INLINE IF permutationF (const int (&index)[W]) noexcept
{
    IF p {};
    for (int i = 0; i < W; ++i)
        p[i] = index[i];
    return p;
}

ORVANE_LANES_INLINE D permute (D v, PermuteD index) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (D) _mm512_permutexvar_pd ((__m512i) index, (__m512d) v);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    return (D) _mm256_permutevar8x32_ps ((__m256) v, (__m256i) index);
#else
    D result {};
    for (int i = 0; i < W; ++i)
        result[i] = v[index[i]];
    return result;
#endif
}

ORVANE_LANES_INLINE F permute (F v, IF index) noexcept
{
#if ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 8
    return (F) _mm256_permutexvar_ps ((__m256i) index, (__m256) v);
#elif ORVANE_LANES_X86 && ORVANE_LANES_WIDTH == 4
    return (F) _mm_permutevar_ps ((__m128) v, (__m128i) index);
#else
    F result {};
    for (int i = 0; i < W; ++i)
        result[i] = v[index[i]];
    return result;
#endif
}

/** W consecutive filters of the chain, one per lane. */
struct LaneGroup
{
    enum Kind
    {
        allLeftRight,
        allMid,
        allSide,
        mixed,
        // Left/right and mid/side filters, with room in the unused lanes for the right-hand
        // recursions of the left/right ones: one recursion vector does them all.
        mixedPacked
    };

    // Coefficients and mix weights of each lane's filter.
    D g, twoDamping, normaliser, gainFactor, lowShelfMix, bellMix, highShelfMix, highPassMix, lowPassMix;
    // The single response of each lane, for the short form of the mix: x + responseGain * V,
    // V being HP, 2R BP or LP; x is left out (the mask clear) for a plain high- or low-pass.
    D responseGain;
    Mask usesHighPass, usesBandPass, addsInput;
    // Integrator states of the left (or mid/side) and the right recursions.
    D s1L, s2L, s1R, s2R;
    // Each lane's float outputs of the last `skew` steps, one slot per step modulo skew.
    F outL[skew], outR[skew];
    // How many steps each lane trails the first lane: at step t a lane works on frame t - lag.
    D lag;
    size_t firstLag, lastLag; // of the group's first and last filter
    Mask midSide, side;
    MaskF midSideF, sideF, fromBlock;
    // In a packed group: the lanes that run a right-hand recursion, which filter's right input
    // each takes, and for each left/right filter the lane its right output comes from.
    Mask rightLanes;
    PermuteD rightInputs;
    IF rightOutputs;
    int rightLaneOf[W];
    int kind;
    bool takesBlockInput;
    // The band-pass and low-pass outputs of the recursions at the last frame of the block, kept
    // for the lanes whose filters will need them to hand their states over (see
    // SVFilter::handOverGain).
    D bpL, lpL, bpR, lpR;
    Mask keepsLastOutputs;
    size_t lastOutputsFrom; // the first step in which one of those lanes is at its last frame
};

// One sample of SVFilter's recursion and output mix in every lane, operation for operation; with
// single responses, the mix in its short form (singleResponseOf says why it is the same).
// bp and lp receive the integrators' outputs.
template <bool singleResponses>
ORVANE_LANES_INLINE D tick (const LaneGroup& c, D x, D& s1, D& s2, D& bp, D& lp) noexcept
{
    const D hp = (x - c.twoDamping * s1 - c.g * s1 - s2) * c.normaliser;
    const D ghp = c.g * hp;
    bp = ghp + s1;
    const D gbp = c.g * bp;
    lp = gbp + s2;

    s1 = ghp + bp;
    s2 = gbp + lp;

    if constexpr (singleResponses)
    {
        const D zero {};
        const D response = select (c.usesBandPass, c.twoDamping * bp, select (c.usesHighPass, hp, lp));
        return (select (c.addsInput, x, zero) + c.responseGain * response) + zero * hp;
    }

    const D k = c.gainFactor;

    return c.lowShelfMix * (x + k * lp)
         + c.bellMix * (x + k * (c.twoDamping * bp))
         + c.highShelfMix * (x + k * hp)
         + c.highPassMix * hp
         + c.lowPassMix * lp;
}

// A lane's new state, or at the edges of the block, where some lanes have no frame, its old one.
template <bool edge>
ORVANE_LANES_INLINE void keep (Mask active, D& state, D updated) noexcept
{
    if constexpr (edge)
        state = select (active, updated, state);
    else
        state = updated;
}

/** Which lanes of a group are at their last frame of the block in this step (near the end of
    the block only): those keep the band-pass and low-pass outputs of the step. */
struct LastFrame
{
    bool any = false;
    Mask lanes {};
};

ORVANE_LANES_INLINE void keepLastOutputs (const LastFrame& last, D& bpKept, D& lpKept, D bp, D lp) noexcept
{
    if (last.any)
    {
        bpKept = select (last.lanes, bp, bpKept);
        lpKept = select (last.lanes, lp, lpKept);
    }
}

/*  Mid and side lanes. From the float inputs L and R: mid = (L + R) / 2 and side = (L - R) / 2,
    the sum and the difference formed in float and halved in double. The filter takes the
    selected one rounded to float, which is the float sum or difference halved in float; the
    other one passes by, in double. Then from the filter's float output y: a mid lane gives
    L = side + y and R = y - side, a side lane L = mid + y and R = mid - y, each formed in double
    and rounded to float. */
template <int kind>
ORVANE_LANES_INLINE void midSideLanes (const LaneGroup& group, F left, F right, D& input, D& passing) noexcept
{
    const F sum = left + right, difference = left - right;

    if constexpr (kind == LaneGroup::allMid)
    {
        input = widen (sum * 0.5f);
        passing = widen (difference) * 0.5;
    }
    else if constexpr (kind == LaneGroup::allSide)
    {
        input = widen (difference * 0.5f);
        passing = widen (sum) * 0.5;
    }
    else
    {
        input = widen (select (group.sideF, difference, sum) * 0.5f);
        passing = widen (select (group.sideF, sum, difference)) * 0.5;
    }
}

template <int kind>
ORVANE_LANES_INLINE void midSideOutputs (const LaneGroup& group, D y, D passing, F& left, F& right) noexcept
{
    left = narrow (passing + y);

    if constexpr (kind == LaneGroup::allMid)
        right = narrow (y - passing);
    else if constexpr (kind == LaneGroup::allSide)
        right = narrow (passing - y);
    else
        right = narrow (select (group.side, passing, y) - select (group.side, y, passing));
}

template <int kind, bool edge, bool singleResponses>
ORVANE_LANES_INLINE void advance (LaneGroup& group, F inL, F inR, Mask active, const LastFrame& last, size_t slot) noexcept
{
    D bpL, lpL, bpR, lpR;

    if constexpr (kind == LaneGroup::allLeftRight)
    {
        D s1 = group.s1L, s2 = group.s2L, r1 = group.s1R, r2 = group.s2R;
        const D yL = tick<singleResponses> (group, widen (inL), s1, s2, bpL, lpL);
        const D yR = tick<singleResponses> (group, widen (inR), r1, r2, bpR, lpR);
        keep<edge> (active, group.s1L, s1);
        keep<edge> (active, group.s2L, s2);
        keep<edge> (active, group.s1R, r1);
        keep<edge> (active, group.s2R, r2);
        keepLastOutputs (last, group.bpL, group.lpL, bpL, lpL);
        keepLastOutputs (last, group.bpR, group.lpR, bpR, lpR);
        group.outL[slot] = narrow (yL);
        group.outR[slot] = narrow (yR);
    }
    else if constexpr (kind == LaneGroup::allMid || kind == LaneGroup::allSide)
    {
        D input, passing;
        midSideLanes<kind> (group, inL, inR, input, passing);

        D s1 = group.s1L, s2 = group.s2L;
        const D y = widen (narrow (tick<singleResponses> (group, input, s1, s2, bpL, lpL)));
        keep<edge> (active, group.s1L, s1);
        keep<edge> (active, group.s2L, s2);
        keepLastOutputs (last, group.bpL, group.lpL, bpL, lpL);
        midSideOutputs<kind> (group, y, passing, group.outL[slot], group.outR[slot]);
    }
    else
    {
        // Left/right and mid/side lanes side by side. A mid/side lane's right-hand recursion
        // runs on silence and is never read back.
        D input, passing;
        midSideLanes<LaneGroup::mixed> (group, inL, inR, input, passing);

        const F silence {};
        D s1 = group.s1L, s2 = group.s2L, r1 = group.s1R, r2 = group.s2R;
        const F yL = narrow (tick<singleResponses> (group, select (group.midSide, input, widen (inL)), s1, s2, bpL, lpL));
        const F yR = narrow (tick<singleResponses> (group, widen (select (group.midSideF, silence, inR)), r1, r2, bpR, lpR));
        keep<edge> (active, group.s1L, s1);
        keep<edge> (active, group.s2L, s2);
        keep<edge> (active, group.s1R, r1);
        keep<edge> (active, group.s2R, r2);
        keepLastOutputs (last, group.bpL, group.lpL, bpL, lpL);
        keepLastOutputs (last, group.bpR, group.lpR, bpR, lpR);

        F midSideLeft, midSideRight;
        midSideOutputs<LaneGroup::mixed> (group, widen (yL), passing, midSideLeft, midSideRight);
        group.outL[slot] = select (group.midSideF, midSideLeft, yL);
        group.outR[slot] = select (group.midSideF, midSideRight, yR);
    }
}

template <bool edge, bool singleResponses>
ORVANE_LANES_INLINE void advancePacked (LaneGroup& group, F inL, F inR, Mask active, const LastFrame& last, size_t slot) noexcept
{
    D input, passing;
    midSideLanes<LaneGroup::mixed> (group, inL, inR, input, passing);

    D x = select (group.midSide, input, widen (inL));
    x = select (group.rightLanes, permute (widen (inR), group.rightInputs), x);

    D s1 = group.s1L, s2 = group.s2L, bp, lp;
    const F y = narrow (tick<singleResponses> (group, x, s1, s2, bp, lp));
    keep<edge> (active, group.s1L, s1);
    keep<edge> (active, group.s2L, s2);
    keepLastOutputs (last, group.bpL, group.lpL, bp, lp);

    F midSideLeft, midSideRight;
    midSideOutputs<LaneGroup::mixed> (group, widen (y), passing, midSideLeft, midSideRight);
    group.outL[slot] = select (group.midSideF, midSideLeft, y);
    group.outR[slot] = select (group.midSideF, midSideRight, permute (y, group.rightOutputs));
}

template <bool stereo, bool edge, bool singleResponses>
ORVANE_LANES_INLINE void advanceGroup (LaneGroup& group, F inL, F inR, Mask active, const LastFrame& last, size_t slot) noexcept
{
    if constexpr (! stereo)
    {
        D s1 = group.s1L, s2 = group.s2L, bp, lp;
        const D y = tick<singleResponses> (group, widen (inL), s1, s2, bp, lp);
        keep<edge> (active, group.s1L, s1);
        keep<edge> (active, group.s2L, s2);
        keepLastOutputs (last, group.bpL, group.lpL, bp, lp);
        group.outL[slot] = narrow (y);
    }
    else
    {
        switch (group.kind)
        {
            case LaneGroup::allLeftRight: advance<LaneGroup::allLeftRight, edge, singleResponses> (group, inL, inR, active, last, slot); break;
            case LaneGroup::allMid:       advance<LaneGroup::allMid, edge, singleResponses> (group, inL, inR, active, last, slot); break;
            case LaneGroup::allSide:      advance<LaneGroup::allSide, edge, singleResponses> (group, inL, inR, active, last, slot); break;
            case LaneGroup::mixedPacked:  advancePacked<edge, singleResponses> (group, inL, inR, active, last, slot); break;
            default:                      advance<LaneGroup::mixed, edge, singleResponses> (group, inL, inR, active, last, slot); break;
        }
    }
}

// fixedGroups, when not 0, is the number of groups known when compiling, so the loop over them
// unrolls. In the steps from the first lane's last frame on (lastFrames), lanes keep the outputs
// of their last frame.
template <bool stereo, bool edge, bool singleResponses, int fixedGroups, bool lastFrames = false>
ORVANE_LANES_INLINE void step (LaneGroup* groups, int runtimeGroups, const Pass& pass, const Schedule& schedule, size_t t) noexcept
{
    const int numGroups = fixedGroups > 0 ? fixedGroups : runtimeGroups;

    const size_t numFrames = pass.numFrames;
    const size_t slot = t % skew;
    float inputLeft = 0.0f, inputRight = 0.0f, stagedLeft = 0.0f, stagedRight = 0.0f;

    if (! edge || t < numFrames)
    {
        inputLeft = pass.left[t];
        if constexpr (stereo) inputRight = pass.right[t];
    }

    if (schedule.hasStage && (! edge || (t >= schedule.lagFirstAfter && t - schedule.lagFirstAfter < numFrames)))
    {
        stagedLeft = pass.left[t - schedule.lagFirstAfter];
        if constexpr (stereo) stagedRight = pass.right[t - schedule.lagFirstAfter];
    }

    const F firstLeft = broadcast (inputLeft), firstRight = broadcast (inputRight);
    const F fromStageLeft = broadcast (stagedLeft), fromStageRight = broadcast (stagedRight);
    const D stepIndex = broadcastDouble ((double) t);
    const D frameCount = broadcastDouble ((double) numFrames);

    // Last group first: each group reads the previous group's outputs of `skew` steps ago.
    for (int gi = numGroups - 1; gi >= 0; --gi)
    {
        auto& group = groups[gi];

        // Near the ends of the block, lanes have frames only in steps [lag, lag + numFrames): a
        // group none of whose lanes has one is skipped (whatever it would write is read only by
        // lanes that have none either), and one all of whose lanes have one runs unmasked.
        bool masked = edge;
        LastFrame last;

        if constexpr (edge)
        {
            if (t < group.firstLag || t >= group.lastLag + numFrames)
                continue;

            masked = ! (t >= group.lastLag && t < group.firstLag + numFrames);

            // A lane is at its last frame in step lag + numFrames - 1.
            if (lastFrames && t >= group.lastOutputsFrom)
            {
                last.lanes = both (equalTo (stepIndex - group.lag, frameCount - broadcastDouble (1.0)), group.keepsLastOutputs);
                last.any = true;
            }
        }

        F inL = shiftIn (gi > 0 ? groups[gi - 1].outL[slot] : firstLeft, group.outL[slot]);
        F inR {};

        if constexpr (stereo)
            inR = shiftIn (gi > 0 ? groups[gi - 1].outR[slot] : firstRight, group.outR[slot]);

        if (group.takesBlockInput)
        {
            inL = select (group.fromBlock, fromStageLeft, inL);
            if constexpr (stereo) inR = select (group.fromBlock, fromStageRight, inR);
        }

        if (masked)
            advanceGroup<stereo, true, singleResponses> (group, inL, inR, inRange (stepIndex - group.lag, frameCount), last, slot);
        else
            advanceGroup<stereo, false, singleResponses> (group, inL, inR, Mask {}, last, slot);
    }

    if (schedule.hasStage && (! edge || (t >= schedule.lagLastBefore && t - schedule.lagLastBefore < numFrames)))
    {
        const auto& group = groups[schedule.lastBeforeGroup];
        pass.left[t - schedule.lagLastBefore] = group.outL[slot][schedule.lastBeforeLane];
        if constexpr (stereo) pass.right[t - schedule.lagLastBefore] = group.outR[slot][schedule.lastBeforeLane];
    }

    if (! edge || (t >= schedule.lagLast && t - schedule.lagLast < numFrames))
    {
        const auto& group = groups[schedule.lastGroup];
        pass.left[t - schedule.lagLast] = group.outL[slot][schedule.lastLane];
        if constexpr (stereo) pass.right[t - schedule.lagLast] = group.outR[slot][schedule.lastLane];
    }
}

template <bool stereo, bool singleResponses, int fixedGroups>
ORVANE_LANES_INLINE void runSteps (LaneGroup* groups, int numGroups, Pass& pass, const Schedule& schedule) noexcept
{
    // Every lane works on a frame of the block in steps [lagLast, numFrames); before and after,
    // the lanes that have no frame keep their state. The first lane's last frame, in step
    // numFrames - 1, is left to the end, where each lane keeps the outputs of its last frame.
    const size_t numFrames = pass.numFrames;
    const size_t numSteps = numFrames + schedule.lagLast;
    const size_t steadyBegin = schedule.lagLast, steadyEnd = std::max (numFrames - 1, steadyBegin);
    const size_t chunk = schedule.hasStage ? stageChunk : numSteps;
    size_t staged = 0;

    for (size_t chunkStart = 0; chunkStart < numSteps; chunkStart += chunk)
    {
        const size_t chunkEnd = std::min (numSteps, chunkStart + chunk);
        const size_t fastBegin = std::clamp (steadyBegin, chunkStart, chunkEnd);
        const size_t fastEnd = std::clamp (steadyEnd, fastBegin, chunkEnd);
        const size_t lastFramesBegin = std::clamp (numFrames - 1, chunkStart, fastBegin);

        for (size_t t = chunkStart; t < lastFramesBegin; ++t)
            step<stereo, true, singleResponses, fixedGroups> (groups, numGroups, pass, schedule, t);

        for (size_t t = lastFramesBegin; t < fastBegin; ++t)
            step<stereo, true, singleResponses, fixedGroups, true> (groups, numGroups, pass, schedule, t);

        for (size_t t = fastBegin; t < fastEnd; ++t)
            step<stereo, false, singleResponses, fixedGroups> (groups, numGroups, pass, schedule, t);

        for (size_t t = fastEnd; t < chunkEnd; ++t)
            step<stereo, true, singleResponses, fixedGroups, true> (groups, numGroups, pass, schedule, t);

        if (schedule.hasStage && chunkEnd > schedule.lagLastBefore)
        {
            const size_t finished = std::min (numFrames, chunkEnd - schedule.lagLastBefore);

            if (finished > staged)
            {
                (*pass.stage) (staged, finished - staged);
                staged = finished;
            }
        }
    }

}

template <bool stereo, bool singleResponses>
ORVANE_LANES_INLINE void runLanes (Pass& pass) noexcept
{
    constexpr size_t maxGroups = (size_t) (maxLanes / W);

    LaneGroup groups[maxGroups];
    const int numGroups = (pass.numFilters + W - 1) / W;
    const auto schedule = Schedule::of (pass, W);

    // Unused lanes get all-zero coefficients, under which they stay silent.
    std::memset ((void*) groups, 0, sizeof (LaneGroup) * (size_t) numGroups);

    for (int gi = 0; gi < numGroups; ++gi)
    {
        auto& group = groups[gi];
        bool midSide[W] {}, side[W] {}, fromBlock[W] {}, usesHighPass[W] {}, usesBandPass[W] {}, addsInput[W] {}, keeps[W] {};
        int numLeftRight = 0, numMid = 0, numSide = 0;

        for (int lane = 0; lane < W; ++lane)
        {
            const int f = gi * W + lane;

            if (f >= pass.numFilters)
                continue;

            const auto& data = pass.lanes[f];

            group.g[lane] = data.g;
            group.twoDamping[lane] = data.twoDamping;
            group.normaliser[lane] = data.normaliser;
            group.gainFactor[lane] = data.gainFactor;
            group.lowShelfMix[lane] = data.lowShelfMix;
            group.bellMix[lane] = data.bellMix;
            group.highShelfMix[lane] = data.highShelfMix;
            group.highPassMix[lane] = data.highPassMix;
            group.lowPassMix[lane] = data.lowPassMix;

            using Filter = orvane_dsp::SVFilter<float>;
            const int response = data.response;
            const bool plainPass = response == Filter::kHighPass || response == Filter::kLowPass;
            group.responseGain[lane] = plainPass ? 1.0 : data.gainFactor;
            usesHighPass[lane] = response == Filter::kHighPass || response == Filter::kHighShelf;
            usesBandPass[lane] = response == Filter::kBell;
            addsInput[lane] = ! plainPass;

            group.s1L[lane] = data.state1[0];
            group.s2L[lane] = data.state2[0];

            if (stereo && data.kind == leftRightLane)
            {
                group.s1R[lane] = data.state1[1];
                group.s2R[lane] = data.state2[1];
            }

            keeps[lane] = keepsLastOutputs (data);
            group.lag[lane] = (double) schedule.lagOf (f);
            group.firstLag = lane == 0 ? schedule.lagOf (f) : group.firstLag;
            group.lastLag = schedule.lagOf (f);
            midSide[lane] = data.kind != leftRightLane;
            side[lane] = data.kind == sideLane;
            fromBlock[lane] = schedule.hasStage && f == pass.numBefore;
            group.takesBlockInput = group.takesBlockInput || fromBlock[lane];
            ++(data.kind == leftRightLane ? numLeftRight : (data.kind == midLane ? numMid : numSide));
        }

        group.usesHighPass = laneMask (usesHighPass);
        group.usesBandPass = laneMask (usesBandPass);
        group.addsInput = laneMask (addsInput);
        group.midSide = laneMask (midSide);
        group.side = laneMask (side);
        group.midSideF = laneMaskF (midSide);
        group.sideF = laneMaskF (side);
        group.fromBlock = laneMaskF (fromBlock);
        group.keepsLastOutputs = laneMask (keeps);
        group.lastOutputsFrom = std::any_of (std::begin (keeps), std::end (keeps), [] (bool k) { return k; })
                                  ? group.firstLag + pass.numFrames - 1 : std::numeric_limits<size_t>::max();

        if (numMid + numSide == 0)
            group.kind = LaneGroup::allLeftRight;
        else if (numLeftRight + numSide == 0)
            group.kind = LaneGroup::allMid;
        else if (numLeftRight + numMid == 0)
            group.kind = LaneGroup::allSide;
        else
            group.kind = LaneGroup::mixed;

        for (int lane = 0; lane < W; ++lane)
            group.rightLaneOf[lane] = -1;

        // A mixed group whose unused lanes can take the right-hand recursions of its left/right
        // filters: each gets a copy of its filter's coefficients and the right channel's state.
        const int numReal = std::min (W, pass.numFilters - gi * W);

        if (group.kind == LaneGroup::mixed && numLeftRight <= W - numReal)
        {
            group.kind = LaneGroup::mixedPacked;
            bool rightLanes[W] {};
            int rightInputs[W], rightOutputs[W];
            int spare = numReal;

            for (int lane = 0; lane < W; ++lane)
                rightInputs[lane] = rightOutputs[lane] = lane;

            for (int lane = 0; lane < numReal; ++lane)
            {
                if (midSide[lane])
                    continue;

                const int right = spare++;
                const auto& data = pass.lanes[gi * W + lane];
                rightLanes[right] = true;
                rightInputs[right] = lane;
                rightOutputs[lane] = right;
                group.rightLaneOf[lane] = right;

                for (auto* v : { &group.g, &group.twoDamping, &group.normaliser, &group.gainFactor, &group.lowShelfMix,
                                 &group.bellMix, &group.highShelfMix, &group.highPassMix, &group.lowPassMix, &group.responseGain })
                    (*v)[right] = (*v)[lane];

                usesHighPass[right] = usesHighPass[lane];
                usesBandPass[right] = usesBandPass[lane];
                addsInput[right] = addsInput[lane];
                keeps[right] = keeps[lane];
                group.s1L[right] = data.state1[1];
                group.s2L[right] = data.state2[1];
                group.lag[right] = group.lag[lane];
            }

            group.usesHighPass = laneMask (usesHighPass);
            group.usesBandPass = laneMask (usesBandPass);
            group.addsInput = laneMask (addsInput);
            group.keepsLastOutputs = laneMask (keeps);
            group.rightLanes = laneMask (rightLanes);
            group.rightInputs = permutation (rightInputs);
            group.rightOutputs = permutationF (rightOutputs);
        }
    }

    // The loop over the groups unrolls for the group counts of chains up to 24 filters long.
    switch (W * numGroups <= 24 ? numGroups : 0)
    {
        case 1:  runSteps<stereo, singleResponses, 1> (groups, numGroups, pass, schedule); break;
        case 2:  runSteps<stereo, singleResponses, 2> (groups, numGroups, pass, schedule); break;
        case 3:  runSteps<stereo, singleResponses, 3> (groups, numGroups, pass, schedule); break;
        case 4:  runSteps<stereo, singleResponses, W <= 4 ? 4 : 0> (groups, numGroups, pass, schedule); break;
        case 5:  runSteps<stereo, singleResponses, W <= 4 ? 5 : 0> (groups, numGroups, pass, schedule); break;
        case 6:  runSteps<stereo, singleResponses, W <= 4 ? 6 : 0> (groups, numGroups, pass, schedule); break;
        default: runSteps<stereo, singleResponses, 0> (groups, numGroups, pass, schedule); break;
    }

    for (int f = 0; f < pass.numFilters; ++f)
    {
        const auto& group = groups[f / W];
        const int lane = f % W;
        auto& data = pass.lanes[f];

        const int right = group.rightLaneOf[lane];
        data.state1[0] = group.s1L[lane];
        data.state2[0] = group.s2L[lane];
        data.state1[1] = right >= 0 ? group.s1L[right] : group.s1R[lane];
        data.state2[1] = right >= 0 ? group.s2L[right] : group.s2R[lane];
        data.lastBandPass[0] = group.bpL[lane];
        data.lastLowPass[0] = group.lpL[lane];
        data.lastBandPass[1] = right >= 0 ? group.bpL[right] : group.bpR[lane];
        data.lastLowPass[1] = right >= 0 ? group.lpL[right] : group.lpR[lane];
    }
}

ORVANE_LANES_TARGET void runPass (Pass& pass) noexcept
{
    const bool single = pass.singleResponses();

    if (pass.right != nullptr)
        single ? runLanes<true, true> (pass) : runLanes<true, false> (pass);
    else
        single ? runLanes<false, true> (pass) : runLanes<false, false> (pass);
}

#undef ORVANE_LANES_INLINE
} // namespace ORVANE_LANES_NAMESPACE
