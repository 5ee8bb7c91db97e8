#pragma once

#include <cstddef>

namespace orvane_dsp
{

/**
    Runs a chain of SVFilter<float> objects over a block, pipelined, with exactly the result of
    calling each filter's process() in turn on the same block.

    One filter on its own is slow for a plain reason: every output sample waits for the previous
    one through the recursion's chain of dependent double-precision operations, so the arithmetic
    units idle most of the time. The recursions of a chain are independent of each other once they
    are skewed in time: while filter k works on sample n, filter k + 1 works on sample n - 1, on
    the output filter k produced one step earlier. The cascade carries each recursion (a filter's
    left and right channel, or its mid or side signal) in one lane of double-precision SIMD
    registers, so one step of the loop advances every filter of the chain by one sample.

    The lanes do exactly the operations of SVFilter::process, in the same order, in double
    precision, and round to float between filters as the filters do: no fused multiply-add (nor
    does the compiler contract any, see ExactArithmetic.h), no reassociation. The output is
    therefore the one of the plain filter-by-filter loop, bit for bit, for every setting and every
    input, except that a zero may come out with the other sign and a NaN with another payload
    (neither reaches Tandrel's output: a zero of either sign is silence, and the processor clears
    non-finite samples before they leave the plug-in). Filters that skip themselves (a band at
    0 dB, a high-pass at 20 Hz, a low-pass at 20 kHz or at its limit) are left out and keep their
    state; the integrator states are read from the filters (handed over first where a filter has
    moved, as SVFilter::process does) and written back, with the band-pass and low-pass outputs
    of the last frame for the filters that a later move may hand over, and a state left
    non-finite is cleared as SVFilter::process clears it.

    A stage that is not a filter can sit in the chain (a waveshaper, say): it is called on
    consecutive runs of frames, in order, as soon as the filters before it have produced them,
    and the filters after it take its output. The stage must give the same result whether it sees
    the block at once or in consecutive runs.

    Wider registers are used where the processor has them: four lanes with AVX2 and eight with
    AVX-512, chosen at run time; two lanes (SSE2, or NEON on ARM) elsewhere. Compilers without
    vector extensions get the plain loop.

    process() allocates nothing, takes no lock and works in place on any block length. Blocks
    with more than two channels, and filters prepared for fewer channels than the block needs, are
    handed to SVFilter::process, as is every block when the kernel is Kernel::sequential.
*/
class SVFilterCascade
{
public:
    /** The lane widths the cascade can run with. */
    enum class Kernel
    {
        automatic,  ///< the widest the processor supports
        sequential, ///< every filter on its own through SVFilter::process (the plain reference)
        lanes2,     ///< two lanes: SSE2 on x86-64, NEON on ARM, generic vectors elsewhere
        lanes4,     ///< four lanes, AVX2
        lanes8      ///< eight lanes, AVX-512
    };

    /** A step of the chain that is not a filter. function (context, startFrame, numFrames) must
        process frames [startFrame, startFrame + numFrames) of the block in place, on every
        channel; runs arrive in order and cover the block exactly once. */
    struct Stage
    {
        void (*function) (void* context, size_t startFrame, size_t numFrames) = nullptr;
        void* context = nullptr;

        void operator() (size_t startFrame, size_t numFrames) const { function (context, startFrame, numFrames); }
    };

    /** The most filters one pass of the pipeline carries; longer chains run in several passes. */
    static constexpr size_t maxFiltersPerPass = 32;

    /** Filters the block in place through filters[0], filters[1], ... in turn. */
    static void process (SVFilter<float>* const* filters, size_t numFilters,
                         const juce::dsp::AudioBlock<float>& block,
                         Kernel kernel = Kernel::automatic) noexcept;

    /** Filters the block through the filters before the stage, the stage, then the filters after
        it, as process (before), stage (0, numSamples), process (after) would. */
    static void process (SVFilter<float>* const* before, size_t numBefore, const Stage& stage,
                         SVFilter<float>* const* after, size_t numAfter,
                         const juce::dsp::AudioBlock<float>& block,
                         Kernel kernel = Kernel::automatic) noexcept;

    /** Whether this processor (and build) can run the given kernel; automatic and sequential
        always can. */
    static bool isAvailable (Kernel kernel) noexcept;

    /** The kernel that Kernel::automatic stands for on this processor. */
    static Kernel getAutomaticKernel() noexcept;

private:
    // Reads the filters' coefficients and states into the lanes and writes the states back.
    struct FilterAccess;
};

} // namespace orvane_dsp
