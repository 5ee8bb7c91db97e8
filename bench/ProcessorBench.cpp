// Real-time factor of the engine: seconds of audio rendered per second of processing time,
// reported as the "rtf" counter for each configuration.

#include "plugin/PluginProcessor.h"
#include "plugin/ParameterIDs.h"

#include <benchmark/benchmark.h>

namespace
{
enum class Setup { flat, allBandsActive, allBandsOversampled, allBandsMidSide, driven, driven12dB };

void configure (TandrelAudioProcessor& processor, Setup setup)
{
    auto set = [&] (int index, float value)
    {
        auto* p = processor.treeState.getParameter (ParameterIDs::ids[(size_t) index]);
        p->setValueNotifyingHost (p->convertTo0to1 (value));
    };

    if (setup == Setup::flat)
        return;

    for (int band = 0; band < 10; ++band)
        set (ParameterIDs::graphicGain1 + band, band % 2 == 0 ? 4.0f : -3.0f);

    for (int band = 0; band < 4; ++band)
    {
        set (ParameterIDs::parametricGain1 + band, 5.0f);
        set (ParameterIDs::tubeGain1 + band, 3.0f);
    }

    set (ParameterIDs::highpass, 40.0f);
    set (ParameterIDs::lowpass, 16000.0f);
    set (ParameterIDs::trim, -2.0f);
    set (ParameterIDs::quality, setup == Setup::allBandsOversampled ? 1.0f : 0.0f);
    set (ParameterIDs::midSide, setup == Setup::allBandsMidSide ? 1.0f : 0.0f);
    set (ParameterIDs::drive, setup == Setup::driven ? 9.0f : setup == Setup::driven12dB ? 12.0f : 0.0f);
}

void renderEngine (benchmark::State& state, Setup setup)
{
    const int channels = (int) state.range (0);
    const int blockSize = (int) state.range (1);
    const double sampleRate = 48000.0;

    juce::ScopedJuceInitialiser_GUI framework;
    TandrelAudioProcessor processor;

    if (channels == 1)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (juce::AudioChannelSet::mono());
        layout.outputBuses.add (juce::AudioChannelSet::mono());
        processor.setBusesLayout (layout);
    }

    configure (processor, setup);
    processor.setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);

    // Each block starts from the same noise (the copy costs far less than the processing).
    juce::AudioBuffer<float> source (channels, blockSize), buffer (channels, blockSize);
    juce::Random random (1);
    juce::MidiBuffer midi;

    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < blockSize; ++i)
            source.setSample (ch, i, 0.3f * (2.0f * random.nextFloat() - 1.0f));

    for (auto _ : state)
    {
        buffer.makeCopyOf (source, true);
        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.counters["rtf"] = benchmark::Counter ((double) state.iterations() * blockSize / sampleRate, benchmark::Counter::kIsRate);
}
} // namespace

// Every band and both filters active unless "flat"; "oversampled" adds Quality, "midSide" puts
// the bands on the mid signal, "driven" adds 9 dB of drive and "driven12dB" 12 dB.
#define TANDREL_ENGINE_BENCHMARK(name, setup) \
    BENCHMARK_CAPTURE (renderEngine, name, setup) \
        ->ArgNames ({ "channels", "block" }) \
        ->ArgsProduct ({ { 1, 2 }, { 64, 512 } }) \
        ->Unit (benchmark::kMicrosecond)

TANDREL_ENGINE_BENCHMARK (flat, Setup::flat);
TANDREL_ENGINE_BENCHMARK (allBands, Setup::allBandsActive);
TANDREL_ENGINE_BENCHMARK (allBandsOversampled, Setup::allBandsOversampled);
TANDREL_ENGINE_BENCHMARK (allBandsMidSide, Setup::allBandsMidSide);
TANDREL_ENGINE_BENCHMARK (allBandsDriven, Setup::driven);
TANDREL_ENGINE_BENCHMARK (allBandsDriven12dB, Setup::driven12dB);

BENCHMARK_MAIN();
