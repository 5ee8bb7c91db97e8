// The filter cascade on its own: twenty filters (the engine's chain of eighteen equaliser bands,
// a high-pass and a low-pass), every kernel this machine can run, as a real-time factor at 48 kHz.

#include <juce_dsp/juce_dsp.h>
#include <orvane_modules/orvane_modules.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
using Filter = orvane_dsp::SVFilter<float>;
using Cascade = orvane_dsp::SVFilterCascade;

enum Layout { mono, leftRight, midSide };

struct Chain
{
    Chain (int channels, Layout layout)
    {
        filters.resize (20);

        for (size_t i = 0; i < filters.size(); ++i)
        {
            auto& f = filters[i];
            f.prepare ({ 48000.0, 512, (juce::uint32) channels });
            const int type = i == 18 ? Filter::kHighPass : (i == 19 ? Filter::kLowPass : (i % 3 == 0 ? Filter::kLowShelf : Filter::kBell));
            f.setParameter (Filter::kType, (float) type);
            // The tube section's high bands (16 and 17) always work on left and right.
            f.setStereoType (layout == midSide && i != 16 && i != 17 ? Filter::kMid : Filter::kStereo);
            f.setParameter (Filter::kCutoff, 40.0f + 700.0f * (float) i);
            f.setParameter (Filter::kGain, i % 2 == 0 ? 4.0f : -3.0f);
            pointers.push_back (&f);
        }
    }

    std::vector<Filter> filters;
    std::vector<Filter*> pointers;
};

void renderCascade (benchmark::State& state, Cascade::Kernel kernel, Layout layout)
{
    if (! Cascade::isAvailable (kernel))
    {
        state.SkipWithError ("kernel not available on this processor");
        return;
    }

    const int channels = layout == mono ? 1 : 2;
    const int blockSize = (int) state.range (0);
    Chain chain (channels, layout);
    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::Random random (1);

    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < blockSize; ++i)
            buffer.setSample (ch, i, 0.3f * (2.0f * random.nextFloat() - 1.0f));

    const juce::ScopedNoDenormals noDenormals;

    for (auto _ : state)
    {
        Cascade::process (chain.pointers.data(), chain.pointers.size(), juce::dsp::AudioBlock<float> (buffer), kernel);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.counters["rtf"] = benchmark::Counter ((double) state.iterations() * blockSize / 48000.0, benchmark::Counter::kIsRate);
}

#define TANDREL_CASCADE_BENCHMARK(name, kernel, layout) \
    BENCHMARK_CAPTURE (renderCascade, name, kernel, layout)->ArgName ("block")->Arg (64)->Arg (512)->Unit (benchmark::kMicrosecond)

TANDREL_CASCADE_BENCHMARK (sequential_mono, Cascade::Kernel::sequential, mono);
TANDREL_CASCADE_BENCHMARK (sequential_leftRight, Cascade::Kernel::sequential, leftRight);
TANDREL_CASCADE_BENCHMARK (sequential_midSide, Cascade::Kernel::sequential, midSide);
TANDREL_CASCADE_BENCHMARK (lanes2_mono, Cascade::Kernel::lanes2, mono);
TANDREL_CASCADE_BENCHMARK (lanes2_leftRight, Cascade::Kernel::lanes2, leftRight);
TANDREL_CASCADE_BENCHMARK (lanes2_midSide, Cascade::Kernel::lanes2, midSide);
TANDREL_CASCADE_BENCHMARK (lanes4_mono, Cascade::Kernel::lanes4, mono);
TANDREL_CASCADE_BENCHMARK (lanes4_leftRight, Cascade::Kernel::lanes4, leftRight);
TANDREL_CASCADE_BENCHMARK (lanes4_midSide, Cascade::Kernel::lanes4, midSide);
TANDREL_CASCADE_BENCHMARK (lanes8_mono, Cascade::Kernel::lanes8, mono);
TANDREL_CASCADE_BENCHMARK (lanes8_leftRight, Cascade::Kernel::lanes8, leftRight);
TANDREL_CASCADE_BENCHMARK (lanes8_midSide, Cascade::Kernel::lanes8, midSide);
} // namespace

BENCHMARK_MAIN();
