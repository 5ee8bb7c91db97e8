// Renders, automates and saves/restores one instance from three threads at once. Built with
// -fsanitize=thread: any data race in the hand-over of settings to the audio thread is reported
// by the sanitizer and fails the run; every output sample must also stay finite.

#include "plugin/PluginProcessor.h"
#include "plugin/ParameterIDs.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <iostream>
#include <thread>

int main (int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof (argv[1]) : 4.0;

    juce::ScopedJuceInitialiser_GUI framework;
    TandrelAudioProcessor processor;
    processor.setRateAndBufferSizeDetails (48000.0, 256);
    processor.prepareToPlay (48000.0, 256);

    std::atomic<bool> stop { false };
    std::atomic<long> blocks { 0 }, changes { 0 }, restores { 0 }, nonFinite { 0 };

    std::thread render ([&]
    {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::MidiBuffer midi;
        juce::Random random (1);
        auto* trim = processor.getParameters()[ParameterIDs::trim];

        while (! stop.load())
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                    buffer.setSample (ch, i, 0.5f * (2.0f * random.nextFloat() - 1.0f));

            // Hosts also deliver automation on the audio thread itself.
            if (blocks.load() % 8 == 0)
                trim->setValueNotifyingHost (random.nextFloat());

            processor.processBlock (buffer, midi);

            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                    if (! std::isfinite (buffer.getSample (ch, i)))
                        ++nonFinite;

            ++blocks;
        }
    });

    std::thread automate ([&]
    {
        juce::Random random (2);
        const auto& parameters = processor.getParameters();

        while (! stop.load())
        {
            // All 36, with "quality" and "ms" flipping far more often than chance would make them.
            const int pick = random.nextInt (48);
            const int index = pick < 36 ? pick : (pick % 2 == 0 ? ParameterIDs::quality : ParameterIDs::midSide);
            parameters[index]->setValueNotifyingHost (random.nextFloat());
            ++changes;
        }
    });

    std::thread state ([&]
    {
        juce::MemoryBlock saved;
        processor.getStateInformation (saved);

        while (! stop.load())
        {
            juce::MemoryBlock current;
            processor.getStateInformation (current);
            processor.setStateInformation (saved.getData(), (int) saved.getSize());
            saved = current;
            ++restores;
        }
    });

    std::this_thread::sleep_for (std::chrono::duration<double> (seconds));
    stop.store (true);
    render.join();
    automate.join();
    state.join();

    std::cout << "blocks " << blocks.load() << ", parameter changes " << changes.load()
              << ", save/restore pairs " << restores.load() << ", non-finite samples " << nonFinite.load() << std::endl;

    const bool ok = nonFinite.load() == 0 && blocks.load() > 0 && changes.load() > 0 && restores.load() > 0;
    return ok ? 0 : 1;
}
