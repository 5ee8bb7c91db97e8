// The pipelined cascade against the filters run one after the other through SVFilter::process, on
// randomised chains: every response type (and mixes of two, as a type set twice leaves them), gains
// at and away from 0 dB, cutoffs up to and past the Nyquist frequency and moves between blocks
// (those down from near it hand the filter's states over), unstable dampings, every
// stereo type, one, two and three channels, filters prepared for fewer channels than the block,
// chains longer than one pass, a stage in the middle, blocks of every length, and inputs with
// denormals, huge values and non-finite samples, with and without flushing denormals.

#include <juce_dsp/juce_dsp.h>
#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

namespace
{
using Filter = orvane_dsp::SVFilter<float>;
using Cascade = orvane_dsp::SVFilterCascade;
using Kernel = Cascade::Kernel;

bool sameSample (float a, float b) { return a == b || (std::isnan (a) && std::isnan (b)); }

/** A stage whose output depends on every earlier frame of its channel, so that runs given out of
    order, twice or not at all change the result. */
struct RunningStage
{
    void process (size_t start, size_t length)
    {
        ++calls;

        for (size_t ch = 0; ch < block.getNumChannels(); ++ch)
        {
            auto* samples = block.getChannelPointer (ch);

            for (size_t i = start; i < start + length; ++i)
            {
                memory[ch] = 0.5f * memory[ch] + samples[i];
                samples[i] = std::tanh (memory[ch]) - 0.25f * samples[i];
            }
        }
    }

    Cascade::Stage asStage()
    {
        return { [] (void* self, size_t start, size_t length) { static_cast<RunningStage*> (self)->process (start, length); }, this };
    }

    juce::dsp::AudioBlock<float> block;
    float memory[3] {};
    int calls = 0;
};

struct Chain
{
    std::vector<Filter> filters;
    std::vector<Filter*> pointers()
    {
        std::vector<Filter*> result;
        for (auto& f : filters)
            result.push_back (&f);
        return result;
    }
};

struct Draw
{
    // Scrambled, so that neighbouring run numbers do not draw alike.
    explicit Draw (int run) : random (0x5eed + (juce::int64) run * 0x9e3779b97f4aLL)
    {
        for (int i = 0; i < 4; ++i)
            random.nextInt();
    }

    bool chance (float p) { return random.nextFloat() < p; }
    float uniform (float low, float high) { return low + (high - low) * random.nextFloat(); }

    // Mostly the settings an equaliser uses; now and then one that blows the filter up.
    Filter filter (double rate, int blockChannels)
    {
        Filter f;
        const int prepared = chance (0.05f) ? (chance (0.5f) ? 0 : 1) : std::max (blockChannels, 1 + random.nextInt (2));

        if (prepared > 0 || chance (0.5f))
            f.prepare ({ rate, 512, (juce::uint32) prepared });

        f.setParameter (Filter::kType, (float) random.nextInt (5));

        if (chance (0.1f))   // a second type leaves both weights set
            f.setParameter (Filter::kType, chance (0.8f) ? (float) random.nextInt (5) : 9.0f);

        const int stereo[] = { Filter::kStereo, Filter::kMid, Filter::kSide, 7 };
        f.setStereoType (stereo[random.nextInt (chance (0.1f) ? 4 : 3)]);

        const bool wild = chance (0.03f);
        f.setParameter (Filter::kQType, chance (0.5f) ? (float) Filter::kProportional : (float) Filter::kParametric);
        f.setParameter (Filter::kQ, wild ? uniform (1.0f, 1.5f) : uniform (0.0f, 0.8f));
        f.setParameter (Filter::kGain, chance (0.2f) ? 0.0f : (wild ? uniform (-40.0f, 40.0f) : uniform (-12.0f, 12.0f)));

        const float nyquist = 0.5f * (float) rate;
        const float cutoff = chance (0.1f) ? (chance (0.5f) ? 20.0f : 20000.0f)
                           : (wild ? uniform (0.9f * nyquist, 1.2f * nyquist) : uniform (10.0f, 0.45f * (float) rate));
        f.setParameter (Filter::kCutoff, cutoff);
        return f;
    }

    void signal (juce::AudioBuffer<float>& buffer)
    {
        const int kind = random.nextInt (10);

        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                buffer.setSample (ch, i, (kind == 0 ? 0.0f : 0.5f) * (2.0f * random.nextFloat() - 1.0f));

        if (buffer.getNumSamples() == 0)
            return;

        const float odd[] = { std::numeric_limits<float>::denorm_min() * 3.0f, -std::numeric_limits<float>::denorm_min(),
                              1.0e30f, std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN() };

        if (kind == 1 || kind == 2)
            for (int n = 0; n < 1 + buffer.getNumSamples() / 16; ++n)
                buffer.setSample (random.nextInt (buffer.getNumChannels()), random.nextInt (buffer.getNumSamples()),
                                  odd[random.nextInt (kind == 1 ? 2 : 6)]);
    }

    juce::Random random;
};

std::vector<Kernel> kernelsHere()
{
    std::vector<Kernel> result;

    for (const auto k : { Kernel::lanes2, Kernel::lanes4, Kernel::lanes8 })
        if (Cascade::isAvailable (k))
            result.push_back (k);

    return result;
}

bool sameState (double a, double b) { return a == b || (std::isnan (a) && std::isnan (b)); }

// The integrator states carry what the float outputs round away; they must agree to the bit.
std::string compareStates (Chain& expected, Chain& actual)
{
    for (size_t i = 0; i < expected.filters.size(); ++i)
        for (size_t ch = 0; ch < 3; ++ch)
        {
            const auto a = expected.filters[i].getState (ch), b = actual.filters[i].getState (ch);

            if (! sameState (a.first, b.first) || ! sameState (a.second, b.second))
            {
                std::ostringstream message;
                message.precision (17);
                message << "filter " << i << ", channel " << ch << " state: plain " << a.first << ", " << a.second
                        << "; cascade " << b.first << ", " << b.second;
                return message.str();
            }
        }

    return {};
}

std::string compare (const juce::AudioBuffer<float>& expected, const juce::AudioBuffer<float>& actual)
{
    for (int ch = 0; ch < expected.getNumChannels(); ++ch)
        for (int i = 0; i < expected.getNumSamples(); ++i)
            if (! sameSample (expected.getSample (ch, i), actual.getSample (ch, i)))
            {
                std::ostringstream message;
                message.precision (9);
                message << "channel " << ch << ", sample " << i << ": plain " << expected.getSample (ch, i)
                        << ", cascade " << actual.getSample (ch, i);
                return message.str();
            }

    return {};
}
} // namespace

TEST (SVFilterCascade, TheAutomaticKernelIsTheWidestAvailable)
{
    const auto automatic = Cascade::getAutomaticKernel();
    EXPECT_TRUE (Cascade::isAvailable (automatic));

    if (Cascade::isAvailable (Kernel::lanes8))
    {
        EXPECT_EQ (automatic, Kernel::lanes8);
    }
    else if (Cascade::isAvailable (Kernel::lanes4))
    {
        EXPECT_EQ (automatic, Kernel::lanes4);
    }
}

#if defined (ORVANE_CASCADE_PORTABLE) && ORVANE_CASCADE_PORTABLE
// The program that holds the portable kernel to the filters (tests/CMakeLists.txt): the other
// tests here reach that kernel as lanes2 only if nothing wider is built.
TEST (SVFilterCascade, OnlyThePortableKernelIsBuilt)
{
    EXPECT_FALSE (Cascade::isAvailable (Kernel::lanes4));
    EXPECT_FALSE (Cascade::isAvailable (Kernel::lanes8));
    EXPECT_EQ (Cascade::getAutomaticKernel(), Kernel::lanes2);
}
#endif

TEST (SVFilterCascade, MatchesTheFiltersRunOneAfterTheOther)
{
    for (const auto kernel : kernelsHere())
        for (int run = 0; run < 300; ++run)
        {
            Draw draw (run);
            const int channels = draw.chance (0.05f) ? 3 : (draw.chance (0.4f) ? 1 : 2);
            const double rate = draw.chance (0.5f) ? 48000.0 : (double) draw.uniform (8000.0f, 192000.0f);
            const int length = draw.chance (0.1f) ? 40 : 1 + draw.random.nextInt (draw.chance (0.3f) ? 4 : 24);
            const bool withStage = draw.chance (0.4f);
            const int stageAt = draw.random.nextInt (length + 1);
            const bool flushDenormals = draw.chance (0.5f);

            Chain plain;

            for (int i = 0; i < length; ++i)
                plain.filters.push_back (draw.filter (rate, channels));

            Chain fast = plain;
            RunningStage plainStage, fastStage;
            auto plainFilters = plain.pointers(), fastFilters = fast.pointers();

            // Between blocks some filters move, now and then from near or past half the rate,
            // where moving down hands their states over; both chains move alike.
            juce::Random moves (run);

            for (int block = 0; block < 6; ++block)
            {
                if (block > 0)
                    for (int i = 0; i < length; ++i)
                        if (moves.nextFloat() < 0.3f)
                        {
                            const float fraction = moves.nextFloat() < 0.3f ? 0.45f + 0.1f * moves.nextFloat() : 0.5f * moves.nextFloat();
                            plain.filters[(size_t) i].setParameter (Filter::kCutoff, fraction * (float) rate);
                            fast.filters[(size_t) i].setParameter (Filter::kCutoff, fraction * (float) rate);
                        }

                const int numSamples = draw.chance (0.1f) ? 0 : 1 + draw.random.nextInt (draw.chance (0.5f) ? 70 : 3000);
                juce::AudioBuffer<float> input (channels, numSamples);
                draw.signal (input);

                juce::AudioBuffer<float> expected, actual;
                expected.makeCopyOf (input);
                actual.makeCopyOf (input);
                const juce::dsp::AudioBlock<float> expectedBlock (expected), actualBlock (actual);

                std::unique_ptr<juce::ScopedNoDenormals> flush;
                if (flushDenormals)
                    flush = std::make_unique<juce::ScopedNoDenormals>();

                if (withStage)
                {
                    plainStage.block = expectedBlock;
                    fastStage.block = actualBlock;
                    const auto a = plainStage.asStage(), b = fastStage.asStage();
                    Cascade::process (plainFilters.data(), (size_t) stageAt, a, plainFilters.data() + stageAt,
                                      (size_t) (length - stageAt), expectedBlock, Kernel::sequential);
                    Cascade::process (fastFilters.data(), (size_t) stageAt, b, fastFilters.data() + stageAt,
                                      (size_t) (length - stageAt), actualBlock, kernel);
                }
                else
                {
                    Cascade::process (plainFilters.data(), (size_t) length, expectedBlock, Kernel::sequential);
                    Cascade::process (fastFilters.data(), (size_t) length, actualBlock, kernel);
                }

                auto difference = compare (expected, actual);

                if (difference.empty())
                    difference = compareStates (plain, fast);

                ASSERT_TRUE (difference.empty()) << "kernel " << (int) kernel << ", run " << run << ", block " << block
                                                 << " (" << channels << " channel(s), " << length << " filters"
                                                 << (withStage ? ", stage after " + std::to_string (stageAt) : std::string())
                                                 << ", " << numSamples << " samples): " << difference;
            }
        }
}

TEST (SVFilterCascade, TheSequentialKernelIsSVFilterProcess)
{
    // The reference the cascade is held to is the filters' own process(), nothing else.
    Draw draw (77);
    Chain viaCascade;

    for (int i = 0; i < 5; ++i)
        viaCascade.filters.push_back (draw.filter (44100.0, 2));

    Chain direct = viaCascade;
    juce::AudioBuffer<float> a (2, 300), b;
    draw.signal (a);
    b.makeCopyOf (a);

    auto pointers = viaCascade.pointers();
    Cascade::process (pointers.data(), pointers.size(), juce::dsp::AudioBlock<float> (a), Kernel::sequential);

    juce::dsp::AudioBlock<float> blockB (b);
    for (auto& f : direct.filters)
        f.process (juce::dsp::ProcessContextReplacing<float> (blockB));

    EXPECT_TRUE (compare (b, a).empty());
}

TEST (SVFilterCascade, CallsTheStageOnConsecutiveRunsCoveringTheBlock)
{
    // A long block through a chain that runs in one pass: the stage sees it in several runs.
    for (const auto kernel : kernelsHere())
    {
        std::vector<Filter> filters (4);

        for (auto& f : filters)
        {
            f.prepare ({ 48000.0, 4096, 2 });
            f.setParameter (Filter::kType, (float) Filter::kBell);
            f.setParameter (Filter::kCutoff, 1000.0f);
            f.setParameter (Filter::kGain, 6.0f);
        }

        Filter* pointers[] = { &filters[0], &filters[1], &filters[2], &filters[3] };
        juce::AudioBuffer<float> buffer (2, 4096);
        buffer.clear();

        struct Runs
        {
            size_t next = 0;
            int count = 0;
            bool inOrder = true;
        } runs;

        const Cascade::Stage stage { [] (void* context, size_t start, size_t length)
                                     {
                                         auto& r = *static_cast<Runs*> (context);
                                         r.inOrder = r.inOrder && start == r.next && length > 0;
                                         r.next = start + length;
                                         ++r.count;
                                     },
                                     &runs };

        Cascade::process (pointers, 2, stage, pointers + 2, 2, juce::dsp::AudioBlock<float> (buffer), kernel);
        EXPECT_TRUE (runs.inOrder);
        EXPECT_EQ (runs.next, 4096u);
        EXPECT_GT (runs.count, 1);
    }
}
