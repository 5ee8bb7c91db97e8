#pragma once

#include "plugin/PluginProcessor.h"
#include "plugin/ParameterIDs.h"

#include "TestSignals.h"

#include <memory>

/** Drives a TandrelAudioProcessor the way a host does: layout, rate, blocks, parameter changes. */
struct ProcessorHarness
{
    explicit ProcessorHarness (int numChannels = 2)
        : processor (std::make_unique<TandrelAudioProcessor>())
    {
        if (numChannels == 1)
        {
            juce::AudioProcessor::BusesLayout layout;
            layout.inputBuses.add (juce::AudioChannelSet::mono());
            layout.outputBuses.add (juce::AudioChannelSet::mono());
            processor->setBusesLayout (layout);
        }
    }

    juce::RangedAudioParameter& parameter (const char* id) { return *processor->treeState.getParameter (id); }

    /** Sets a parameter in its own units, as host automation does. */
    void set (const char* id, float value)
    {
        auto& p = parameter (id);
        p.setValueNotifyingHost (p.convertTo0to1 (value));
    }

    float get (const char* id) { return processor->treeState.getRawParameterValue (id)->load(); }

    void prepare (double rate, int blockSize)
    {
        sampleRate = rate;
        maxBlock = blockSize;
        processor->setRateAndBufferSizeDetails (rate, blockSize);
        processor->prepareToPlay (rate, blockSize);
    }

    /** Renders the whole buffer in host blocks of the prepared size (or of blockSize). */
    void render (juce::AudioBuffer<float>& buffer, int blockSize = 0)
    {
        if (blockSize <= 0)
            blockSize = maxBlock;

        juce::MidiBuffer midi;

        for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
        {
            const int length = juce::jmin (blockSize, buffer.getNumSamples() - start);
            juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start, length);
            processor->processBlock (view, midi);
        }
    }

    /** Steady-state gain of the whole plug-in at one frequency, on every channel. */
    double measureGain (double frequency, int channel = 0, double amplitude = 0.1)
    {
        const int settle = (int) sampleRate, length = (int) sampleRate / 2;
        juce::AudioBuffer<float> buffer (processor->getTotalNumOutputChannels(), settle + length);

        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            TestSignals::fillSine (buffer.getWritePointer (ch), buffer.getNumSamples(), frequency, sampleRate, amplitude);

        render (buffer);
        return TestSignals::sineAmplitude (buffer.getReadPointer (channel) + settle, length, frequency, sampleRate, settle) / amplitude;
    }

    juce::MemoryBlock save()
    {
        juce::MemoryBlock block;
        processor->getStateInformation (block);
        return block;
    }

    void restore (const juce::MemoryBlock& block) { processor->setStateInformation (block.getData(), (int) block.getSize()); }

    std::unique_ptr<TandrelAudioProcessor> processor;
    double sampleRate = 44100.0;
    int maxBlock = 512;
};

/** The centre frequency in Hz at which a band tuned to nominalHz has its exact gain. */
inline double warpedCentre (float nominalHz) { return (double) (nominalHz * 6.28f) / TestSignals::twoPi; }
