#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>
#include <orvane_modules/orvane_modules.h>

#include "../dsp/GraphicEQ.h"
#include "../dsp/ParametricEQ.h"
#include "../dsp/TubeEQ.h"
#include "ParameterChangeQueue.h"

#include <array>
#include <atomic>

/**
    The Tandrel engine: a ten-band graphic EQ, a four-band parametric EQ and a tube EQ with
    drive, then a high-pass, a low-pass and an output trim, optionally run at twice the host
    rate, on left/right or on the mid or side signal, with optional polarity inversion.

    Threads: parameter changes may arrive on any thread while audio runs. The listener queues
    each change with its value, in arrival order; at the start of its next block the audio
    thread applies them one by one, exactly as if each had been applied the moment it was made
    (a "quality" change re-prepares the engine where it falls in the sequence, and the drive and
    trim ramps start from where that sequence puts them). After any change it catches up with
    every parameter whose current value is not the one it applies (two writers of one parameter
    can queue their changes in the opposite order to their stores), and a queued change whose
    value it already applies changes nothing. So the DSP objects are only ever touched by one thread
    at a time: the audio thread, or prepareToPlay while no audio runs.
*/
class TandrelAudioProcessor : public juce::AudioProcessor,
                              private juce::AudioProcessorValueTreeState::Listener
{
public:
    TandrelAudioProcessor();
    ~TandrelAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    /** Renders every filter of the chain on its own through SVFilter::process, one after the
        other: the plain path that the pipelined chain is held to, sample for sample. For tests and
        measurements; call it before rendering starts. */
    void setReferenceRendering (bool shouldRenderPlainly) noexcept { referenceRendering = shouldRenderPlainly; }

    /** Applies every parameter change at once, on the thread that makes it: the plain road that
        the queued one is held to. Only for tests that change parameters while no audio runs. */
    void setImmediateParameterRoad (bool shouldApplyAtOnce) noexcept { immediateRoad = shouldApplyAtOnce; }

    /** The tube bands' q for a "tube eq BW" value. */
    static float tubeQForBandwidth (float bandwidth) noexcept;
    /** The saturation stage's linear input gain for a "drive" value in dB. */
    static float driveGainForDecibels (float driveDecibels) noexcept;

    juce::AudioProcessorValueTreeState treeState;
    // The editor's size as stored with the state: the "Variables" child of the restored state,
    // or a new tree while none was restored. Always a valid tree.
    juce::ValueTree variableTree;
    float windowWidth = 0.0f;
    float windowHeight = 0.0f;

private:
    juce::AudioProcessLoadMeasurer loadMeasurer;

public:
    std::atomic<float> cpuLoad;

private:
    void parameterChanged (const juce::String& parameterID, float newValue) override;

    juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    void updateGraphicParameters();
    void updateCommonParameters();
    void updateParametricParameters();
    void updateTubeEQParameters();

    // The "quality" branch of the parameter road: prepares the sections, filters and trim
    // again for the new processing rate and restarts the load measurement.
    void prepareForQualityChange();
    // Applies the queued changes in order (audio thread), catches up with the parameters whose
    // current values the engine does not apply yet, then brings every section up to date.
    void applyQueuedChanges() noexcept;
    // One change as the road applies it, unless the engine already applies its value; true if it
    // was applied.
    bool applyChange (int index, float value) noexcept;
    // One value as the road applies it, less the coefficients, which only the last of a run of
    // changes decides: the new value, a "quality" re-preparation, the drive and trim targets.
    void takeValue (int index, float value) noexcept;
    void applyRampTargets() noexcept;
    void applyTrimTarget() noexcept;
    void applyDriveTargets() noexcept;
    // A parameter's current raw value, as the framework stored it last.
    float currentValue (int index) const noexcept;
    // The engine's values become the parameters' current ones, with no audio running.
    void takeCurrentValues() noexcept;
    // Applies, as changes, the current values that differ from the applied ones, in host order
    // (so a "quality" catch-up comes before drive and trim, whose ramps then start from where the
    // re-preparation leaves them); true if any did.
    bool catchUpWithCurrentValues() noexcept;
    void updateEverySection() noexcept;
    static int indexOf (const juce::String& parameterID) noexcept;
    void renderChain (juce::dsp::AudioBlock<float> block) noexcept;
    void renderBlock (juce::dsp::AudioBlock<float> hostBlock) noexcept;

    float readParameter (int index) const noexcept;
    // The "ms" value as a stereo type, or -1 when it is not one of 0, 1 and 2.
    int readStereoType() const noexcept;
    // The variables tree of a new instance: a "Group" named "Vars" holding a "width" and a
    // "height" parameter at 0, with no size stored yet.
    static juce::ValueTree createVariableTree();

    juce::dsp::Oversampling<float> oversamplingModule;
    juce::dsp::ProcessSpec spec { 44100.0, 0, 0 };
    bool oversamplingOn = false;
    bool phaseInverted = false;

    GraphicEQ<float> graphicEQModule;
    ParametricEQ<float> parametricEQModule;
    TubeEQ<float> tubeEQModule;
    orvane_dsp::SVFilter<float> highpassFilter;
    orvane_dsp::SVFilter<float> lowpassFilter;
    juce::dsp::Gain<float> trimModule;
    int lastBlockSize = 0;

    // The chain's filters in processing order: the eighteen equaliser bands, then the high-pass
    // and the low-pass, which follow the tube section's saturation stage.
    static constexpr size_t numEqualiserBands = 18;
    std::array<orvane_dsp::SVFilter<float>*, numEqualiserBands + 2> chainFilters {};
    bool referenceRendering = false;
    bool immediateRoad = false;

    // Hand-over from the threads that change parameters to the audio thread. A change that finds
    // the queue full is not lost: every block catches up with the current values.
    ParameterChangeQueue changes;
    std::atomic<bool> changesLost { false };
    std::atomic<bool> qualityChangeLost { false };
    // The parameter values as the engine has applied them so far (audio thread, or prepareToPlay).
    std::array<float, 36> appliedValues {};
    // Whether any parameter change or state restore reached the engine before its first
    // preparation; such a change has already brought the drive smoothers to their targets.
    std::atomic<bool> parametersTouched { false };
    bool preparedOnce = false;
    double hostSampleRate = 44100.0;
    int preparedChannels = 0;

    std::array<std::atomic<float>*, 36> rawValues {};
    std::array<float, 36> defaultValues {};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TandrelAudioProcessor)
};
