#include "PluginProcessor.h"

#include "../editor/PluginEditor.h"

#include "ParameterIDs.h"
#include "StateReader.h"

#include <cmath>

namespace
{
constexpr int oversamplingFactor = 2;
constexpr double maxSampleRate = 1.0e7;

// juce::dsp::Gain keeps one gain value per sample on the stack; long blocks go through it in
// slices of this length so that a huge host block cannot exhaust the audio thread's stack.
constexpr size_t maxTrimSlice = 4096;

juce::ParameterID idAt (int index)
{
    return { ParameterIDs::ids[(size_t) index], 1 };
}

// Whether an applied value is the given one. A NaN is the same as a NaN: otherwise a parameter
// holding one would be caught up with in every block.
bool sameValue (float applied, float value) noexcept
{
    return applied == value || (std::isnan (applied) && std::isnan (value));
}
} // namespace

TandrelAudioProcessor::TandrelAudioProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      treeState (*this, nullptr, "PARAMETERS", createParameterLayout()),
      variableTree (createVariableTree()),
      oversamplingModule (2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, false)
{
    cpuLoad.store (0.0f);

    auto filter = chainFilters.begin();

    for (auto& band : graphicEQModule.bands) *filter++ = &band;
    for (auto& band : parametricEQModule.bands) *filter++ = &band;
    for (auto& band : tubeEQModule.bands) *filter++ = &band;

    *filter++ = &highpassFilter;
    *filter++ = &lowpassFilter;

    for (int i = 0; i < ParameterIDs::count; ++i)
    {
        rawValues[(size_t) i] = treeState.getRawParameterValue (ParameterIDs::ids[(size_t) i]);

        auto* parameter = treeState.getParameter (ParameterIDs::ids[(size_t) i]);
        defaultValues[(size_t) i] = parameter->convertFrom0to1 (parameter->getDefaultValue());
    }

    for (auto* id : ParameterIDs::ids)
        treeState.addParameterListener (id, this);
}

TandrelAudioProcessor::~TandrelAudioProcessor()
{
    for (auto* id : ParameterIDs::ids)
        treeState.removeParameterListener (id, this);
}

juce::AudioProcessorValueTreeState::ParameterLayout TandrelAudioProcessor::createParameterLayout()
{
    using namespace ParameterIDs;
    std::vector<std::unique_ptr<juce::RangedAudioParameter>> params;

    // A continuous linear range: the framework's (min, max, default) constructor would snap
    // every value to a 0.01 grid. Without an interval the framework would print seven decimals,
    // so the text keeps the two that such a grid shows.
    const auto twoDecimals = juce::AudioParameterFloatAttributes().withStringFromValueFunction ([] (float value, int maximumLength)
    {
        const juce::String text (value, 2);
        return maximumLength > 0 ? text.substring (0, maximumLength) : text;
    });

    auto addFloat = [&] (int index, const juce::String& name, float min, float max, float def)
    {
        params.push_back (std::make_unique<juce::AudioParameterFloat> (idAt (index), name,
                                                                       juce::NormalisableRange<float> (min, max),
                                                                       def, twoDecimals));
    };
    auto addInt = [&] (int index, const juce::String& name, int min, int max, int def)
    {
        params.push_back (std::make_unique<juce::AudioParameterInt> (idAt (index), name, min, max, def));
    };
    auto addBool = [&] (int index, const juce::String& name, bool def)
    {
        params.push_back (std::make_unique<juce::AudioParameterBool> (idAt (index), name, def));
    };
    auto addSkewed = [&] (int index, const juce::String& name, float start, float end, float def)
    {
        params.push_back (std::make_unique<juce::AudioParameterFloat> (idAt (index), name,
                                                                       juce::NormalisableRange<float> (start, end, 1.0f, 0.3f),
                                                                       def));
    };

    for (int band = 0; band < 10; ++band)
        addFloat (graphicGain1 + band, "G EQ " + juce::String (band + 1) + " Gain", -12.0f, 12.0f, 0.0f);

    for (int band = 0; band < 4; ++band)
        addFloat (parametricGain1 + band, "P EQ " + juce::String (band + 1) + " Gain", -12.0f, 12.0f, 0.0f);

    addInt (parametricFreq1 + 0, "P EQ 1 Freq", 30, 400, 200);
    addInt (parametricFreq1 + 1, "P EQ 2 Freq", 200, 2000, 1000);
    addInt (parametricFreq1 + 2, "P EQ 3 Freq", 200, 2000, 1000);
    addInt (parametricFreq1 + 3, "P EQ 4 Freq", 1000, 20000, 7000);

    for (int band = 0; band < 4; ++band)
        addFloat (tubeGain1 + band, "T EQ " + juce::String (band + 1) + " Gain", 0.0f, 10.0f, 0.0f);

    addFloat (tubeFreq1, "T EQ 1 Freq", 20.0f, 300.0f, 100.0f);
    addFloat (tubeFreq2, "T EQ 2 Freq", 1000.0f, 16000.0f, 5000.0f);
    addFloat (tubeBandwidth, "T EQ BW", 0.0f, 10.0f, 0.0f);

    addBool (graphicOn, "Graphic EQ ON", true);
    addBool (parametricOn, "Parametric EQ ON", false);
    addBool (tubeOn, "Tube EQ ON", false);
    addBool (phase, "Phase", false);
    addInt (quality, "Quality", 0, 1, 0);
    addInt (midSide, "M/S", 0, 2, 0);
    addSkewed (highpass, "High-Pass", 20.0f, 1000.0f, 20.0f);
    addSkewed (lowpass, "Low-Pass", 1000.0f, 20000.0f, 20000.0f);
    addFloat (drive, "Drive", 0.0f, 20.0f, 0.0f);
    addFloat (trim, "Trim", -24.0f, 24.0f, 0.0f);
    addBool (cpu, "CPU", true);

    return { params.begin(), params.end() };
}

juce::ValueTree TandrelAudioProcessor::createVariableTree()
{
    juce::ValueTree variables ("Variables");
    juce::ValueTree group ("Group");
    group.setProperty ("name", "Vars", nullptr);

    for (auto* id : { "width", "height" })
    {
        juce::ValueTree parameter ("Parameter");
        parameter.setProperty ("id", id, nullptr);
        parameter.setProperty ("value", 0.0, nullptr);
        group.appendChild (parameter, nullptr);
    }

    variables.appendChild (group, nullptr);
    return variables;
}

//==============================================================================
const juce::String TandrelAudioProcessor::getName() const { return "Tandrel"; }
double TandrelAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool TandrelAudioProcessor::acceptsMidi() const { return false; }
bool TandrelAudioProcessor::producesMidi() const { return false; }
bool TandrelAudioProcessor::isMidiEffect() const { return false; }

bool TandrelAudioProcessor::hasEditor() const { return true; }

juce::AudioProcessorEditor* TandrelAudioProcessor::createEditor()
{
    return new TandrelAudioProcessorEditor (*this);
}

int TandrelAudioProcessor::getNumPrograms() { return 1; }
int TandrelAudioProcessor::getCurrentProgram() { return 0; }
void TandrelAudioProcessor::setCurrentProgram (int) {}
const juce::String TandrelAudioProcessor::getProgramName (int) { return {}; }
void TandrelAudioProcessor::changeProgramName (int, const juce::String&) {}

bool TandrelAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto output = layouts.getMainOutputChannelSet();

    if (output != juce::AudioChannelSet::mono() && output != juce::AudioChannelSet::stereo())
        return false;

    return layouts.getMainInputChannelSet() == output;
}

//==============================================================================
void TandrelAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    // Everything below reads the current parameter values, so the changes still queued are
    // covered by it.
    for (ParameterChangeQueue::Change change; changes.pop (change);) {}

    changesLost.store (false);
    qualityChangeLost.store (false);
    takeCurrentValues();

    // A rate the host cannot mean is replaced; an absurdly high one is limited so that ramp
    // lengths in samples stay countable.
    if (! (sampleRate > 0.0) || ! std::isfinite (sampleRate))
        sampleRate = 44100.0;

    sampleRate = std::min (sampleRate, maxSampleRate);

    const int maxBlockSize = std::max (1, samplesPerBlock);
    hostSampleRate = sampleRate;

    // Changes that arrived since the last block would have set the drive smoothers' targets the
    // moment they were made, and the preparation below then ends any ramp at those targets.
    // Before the very first preparation the smoothers have no ramp at all, so such a change took
    // them straight to their targets; only an instance nothing has touched fades in.
    if (preparedOnce || parametersTouched.load())
        updateTubeEQParameters();

    oversamplingModule.initProcessing ((size_t) maxBlockSize);
    oversamplingModule.reset();

    updateCommonParameters();

    const double processingRate = sampleRate * (oversamplingOn ? oversamplingFactor : 1);
    loadMeasurer.reset (processingRate, maxBlockSize);
    lastBlockSize = maxBlockSize;

    spec.sampleRate = processingRate;
    spec.maximumBlockSize = (juce::uint32) maxBlockSize;
    spec.numChannels = (juce::uint32) getTotalNumOutputChannels();
    preparedChannels = (int) spec.numChannels;

    graphicEQModule.prepare (spec);
    updateGraphicParameters();
    parametricEQModule.prepare (spec);
    updateParametricParameters();
    tubeEQModule.prepare (spec);
    updateTubeEQParameters();

    using Filter = orvane_dsp::SVFilter<float>;

    highpassFilter.prepare (spec);
    highpassFilter.setParameter (Filter::kType, (float) Filter::kHighPass);
    highpassFilter.setStereoType (Filter::kStereo);
    highpassFilter.setParameter (Filter::kCutoff, 20.0f);
    highpassFilter.setParameter (Filter::kQType, (float) Filter::kParametric);

    lowpassFilter.prepare (spec);
    lowpassFilter.setParameter (Filter::kType, (float) Filter::kLowPass);
    lowpassFilter.setStereoType (Filter::kStereo);
    lowpassFilter.setParameter (Filter::kCutoff, 20000.0f);
    lowpassFilter.setParameter (Filter::kQType, (float) Filter::kParametric);

    trimModule.prepare (spec);
    trimModule.setRampDurationSeconds (0.02);

    updateCommonParameters();

    preparedOnce = true;
}

void TandrelAudioProcessor::releaseResources()
{
    oversamplingModule.reset();
}

void TandrelAudioProcessor::prepareForQualityChange()
{
    oversamplingOn = readParameter (ParameterIDs::quality) != 0.0f;
    spec.sampleRate = hostSampleRate * (oversamplingOn ? oversamplingFactor : 1);

    graphicEQModule.prepare (spec);
    parametricEQModule.prepare (spec);
    tubeEQModule.prepare (spec);
    highpassFilter.prepare (spec);
    lowpassFilter.prepare (spec);
    trimModule.prepare (spec);

    loadMeasurer.reset (spec.sampleRate, lastBlockSize);
}

int TandrelAudioProcessor::indexOf (const juce::String& parameterID) noexcept
{
    for (int i = 0; i < ParameterIDs::count; ++i)
        if (parameterID == ParameterIDs::ids[(size_t) i])
            return i;

    return -1;
}

void TandrelAudioProcessor::parameterChanged (const juce::String& parameterID, float newValue)
{
    parametersTouched.store (true);
    const int index = indexOf (parameterID);

    if (index < 0)
        return;

    if (immediateRoad)
    {
        if (applyChange (index, newValue))
            updateEverySection();

        return;
    }

    if (! changes.push ({ index, newValue }))
    {
        if (index == ParameterIDs::quality)
            qualityChangeLost.store (true);

        changesLost.store (true, std::memory_order_release);
    }
}

bool TandrelAudioProcessor::applyChange (int index, float value) noexcept
{
    // A change to the value the engine applies already changes nothing: it is the late arrival of
    // a value that a catch-up took from the parameter before the change was queued. Applying it
    // again would re-prepare (clearing every filter) or restart a ramp for nothing.
    if (sameValue (appliedValues[(size_t) index], value))
        return false;

    takeValue (index, value);
    return true;
}

void TandrelAudioProcessor::takeValue (int index, float value) noexcept
{
    appliedValues[(size_t) index] = value;

    if (index == ParameterIDs::quality)
        prepareForQualityChange();

    applyRampTargets();
}

void TandrelAudioProcessor::applyRampTargets() noexcept
{
    // What the update functions set that has a history: a new target restarts a ramp from where
    // it stands, and a re-preparation ends the ramps at their targets. Everything else they set
    // depends only on the values, so applying them once after the last change gives the same.
    applyTrimTarget();
    applyDriveTargets();
}

void TandrelAudioProcessor::applyTrimTarget() noexcept
{
    // Gain's own floor: -100 dB and below is silence.
    trimModule.setGainDecibels (readParameter (ParameterIDs::trim));
}

void TandrelAudioProcessor::applyDriveTargets() noexcept
{
    const auto driveDecibels = readParameter (ParameterIDs::drive);
    tubeEQModule.driveDecibels.setTargetValue (driveDecibels);
    tubeEQModule.driveGain.setTargetValue (driveGainForDecibels (driveDecibels));
}

float TandrelAudioProcessor::currentValue (int index) const noexcept
{
    return rawValues[(size_t) index]->load (std::memory_order_relaxed);
}

void TandrelAudioProcessor::takeCurrentValues() noexcept
{
    for (int i = 0; i < ParameterIDs::count; ++i)
        appliedValues[(size_t) i] = currentValue (i);
}

bool TandrelAudioProcessor::catchUpWithCurrentValues() noexcept
{
    bool changed = false;

    for (int i = 0; i < ParameterIDs::count; ++i)
        changed = applyChange (i, currentValue (i)) || changed;

    return changed;
}

void TandrelAudioProcessor::updateEverySection() noexcept
{
    updateGraphicParameters();
    updateCommonParameters();
    updateParametricParameters();
    updateTubeEQParameters();
}

void TandrelAudioProcessor::applyQueuedChanges() noexcept
{
    bool arrived = false, changed = false;

    for (ParameterChangeQueue::Change change; changes.pop (change);)
    {
        arrived = true;
        changed = applyChange (change.index, change.value) || changed;
    }

    // More changes arrived than the queue holds; the catch-up below takes the values they left
    // (the flag's acquire makes every value stored before a lost change visible here). A lost
    // "quality" change re-prepares the engine even when quality is back where it was, as the
    // lost changes would have.
    const bool lost = changesLost.exchange (false, std::memory_order_acquire);

    if (lost && qualityChangeLost.exchange (false))
    {
        takeValue (ParameterIDs::quality, currentValue (ParameterIDs::quality));
        changed = true;
    }

    // The engine ends on the values the parameters show. They can differ from the last ones
    // queued: two threads that write one parameter at once can queue their changes in the
    // opposite order to their stores, and a change can be lost to a full queue. A parameter
    // caught up with here is applied as a queued change would be, after the queued ones; its own
    // change, if it arrives later, then finds its value applied and changes nothing. Every store
    // is followed by its change, and a change popped here makes the stores before it visible, so
    // the catch-up is needed only after changes have arrived or been lost.
    if (arrived || lost)
        changed = catchUpWithCurrentValues() || changed;

    if (changed)
        updateEverySection();
}

float TandrelAudioProcessor::readParameter (int index) const noexcept
{
    const auto value = appliedValues[(size_t) index];
    return std::isfinite (value) ? value : defaultValues[(size_t) index];
}

//==============================================================================
void TandrelAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    if (! preparedOnce)
        return;

    const auto numChannels = (size_t) juce::jmin (buffer.getNumChannels(), preparedChannels, 2);
    auto block = juce::dsp::AudioBlock<float> (buffer).getSubsetChannelBlock (0, numChannels);

    const juce::AudioProcessLoadMeasurer::ScopedTimer timer (loadMeasurer);

    // Bringing the settings up to date is audio-thread work too, so it counts towards the load.
    applyQueuedChanges();
    renderBlock (block);

    if (rawValues[ParameterIDs::cpu]->load (std::memory_order_relaxed) != 0.0f)
        cpuLoad.store ((float) loadMeasurer.getLoadAsPercentage());
}

void TandrelAudioProcessor::renderBlock (juce::dsp::AudioBlock<float> hostBlock) noexcept
{
    // An empty block still takes the chain's once-per-block steps (the tube section's drive
    // test); there is nothing to oversample.
    if (hostBlock.getNumChannels() == 0 || hostBlock.getNumSamples() == 0)
    {
        renderChain (hostBlock);
        return;
    }

    if (oversamplingOn)
    {
        // The oversampler's buffers hold lastBlockSize host samples; a longer block goes
        // through in slices of that length.
        const auto sliceLength = (size_t) lastBlockSize;
        const auto numSamples = hostBlock.getNumSamples();

        for (size_t start = 0; start < numSamples; start += sliceLength)
        {
            auto slice = hostBlock.getSubBlock (start, juce::jmin (sliceLength, numSamples - start));
            auto upsampled = oversamplingModule.processSamplesUp (slice);

            // The oversampler always hands back both of its channels; a mono bus only uses
            // the first, which is all the DSP members were prepared for.
            renderChain (upsampled.getSubsetChannelBlock (0, slice.getNumChannels()));
            oversamplingModule.processSamplesDown (slice);
        }
    }
    else
    {
        renderChain (hostBlock);
    }

    if (phaseInverted)
        hostBlock.negate();

    // A non-finite sample must not reach the host, nor stay in the oversampler's filters.
    bool foundNonFinite = false;

    for (size_t channel = 0; channel < hostBlock.getNumChannels(); ++channel)
    {
        auto* samples = hostBlock.getChannelPointer (channel);

        for (size_t i = 0; i < hostBlock.getNumSamples(); ++i)
        {
            if (! std::isfinite (samples[i]))
            {
                samples[i] = 0.0f;
                foundNonFinite = true;
            }
        }
    }

    if (foundNonFinite && oversamplingOn)
        oversamplingModule.reset();
}

void TandrelAudioProcessor::renderChain (juce::dsp::AudioBlock<float> block) noexcept
{
    using Context = juce::dsp::ProcessContextReplacing<float>;
    using Cascade = orvane_dsp::SVFilterCascade;

    if (referenceRendering)
    {
        graphicEQModule.process (Context (block));
        parametricEQModule.process (Context (block));
        tubeEQModule.process (Context (block));
        highpassFilter.process (Context (block));
        lowpassFilter.process (Context (block));
    }
    else if (tubeEQModule.saturationRunsThisBlock())
    {
        // The saturation stage sits between the tube bands and the high-pass: the pipeline hands
        // it the equaliser's output in runs and feeds its result to the two global filters.
        TubeEQ<float>::SaturationRuns saturation (tubeEQModule, block);
        Cascade::process (chainFilters.data(), numEqualiserBands, saturation.asStage(),
                          chainFilters.data() + numEqualiserBands, chainFilters.size() - numEqualiserBands, block);
        saturation.finish();
    }
    else
    {
        Cascade::process (chainFilters.data(), chainFilters.size(), block);
    }

    for (size_t start = 0; start < block.getNumSamples(); start += maxTrimSlice)
    {
        auto slice = block.getSubBlock (start, juce::jmin (maxTrimSlice, block.getNumSamples() - start));
        trimModule.process (Context (slice));
    }
}

//==============================================================================
void TandrelAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    auto& state = treeState.state;

    if (state.isValid() && variableTree.isValid())
        state.appendChild (variableTree, nullptr);

    // copyState() first brings every parameter's current value into the tree, so a save that
    // follows a change at once still stores the new value.
    const auto current = treeState.copyState();

    juce::MemoryOutputStream stream (destData, false);
    current.writeToStream (stream);
}

void TandrelAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    auto tree = StateReader::read (data, sizeInBytes > 0 ? (size_t) sizeInBytes : 0);

    // Bytes that hold no tree change nothing: the parameters, the saved size and the variables
    // tree that the editor writes its size into all stay as they were.
    if (! tree.isValid())
        return;

    StateReader::dropNonFiniteValues (tree);
    treeState.replaceState (tree);

    // A second line of defence: whatever reached a parameter, none keeps a non-finite value,
    // which the host would show and every later save would write back.
    for (auto* parameter : getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);

        if (ranged != nullptr && ! (std::isfinite (ranged->getValue())
                                    && std::isfinite (treeState.getRawParameterValue (ranged->paramID)->load())))
            ranged->setValueNotifyingHost (ranged->getDefaultValue());
    }

    // A state without "Variables" restores no size, but the instance still needs a tree for the
    // size the editor writes from now on, which the next save appends to the parameter state.
    variableTree = tree.getChildWithName ("Variables");

    if (! variableTree.isValid())
        variableTree = createVariableTree();

    windowWidth = StateReader::readSize (variableTree, "width");
    windowHeight = StateReader::readSize (variableTree, "height");

    // The restored values reach the engine through the listener, one change per parameter, in
    // the order the framework made them.
    parametersTouched.store (true);
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TandrelAudioProcessor();
}

//==============================================================================
void TandrelAudioProcessor::updateGraphicParameters()
{
    using Filter = orvane_dsp::SVFilter<float>;
    const auto stereoType = readStereoType();

    if (stereoType >= 0)
        for (auto& band : graphicEQModule.bands)
            band.setStereoType (stereoType);

    for (int band = 0; band < 10; ++band)
        graphicEQModule.bands[(size_t) band].setParameter (Filter::kGain, readParameter (ParameterIDs::graphicGain1 + band));
}

void TandrelAudioProcessor::updateParametricParameters()
{
    using Filter = orvane_dsp::SVFilter<float>;
    const auto stereoType = readStereoType();

    if (stereoType >= 0)
        for (auto& band : parametricEQModule.bands)
            band.setStereoType (stereoType);

    for (int band = 0; band < 4; ++band)
        parametricEQModule.bands[(size_t) band].setParameter (Filter::kGain, readParameter (ParameterIDs::parametricGain1 + band));

    for (int band = 0; band < 4; ++band)
        parametricEQModule.bands[(size_t) band].setParameter (Filter::kCutoff, readParameter (ParameterIDs::parametricFreq1 + band));
}

void TandrelAudioProcessor::updateTubeEQParameters()
{
    using Filter = orvane_dsp::SVFilter<float>;
    using namespace ParameterIDs;
    auto& bands = tubeEQModule.bands;

    // The high boost and high cut always work on left and right.
    const auto stereoType = readStereoType();

    if (stereoType >= 0)
    {
        bands[0].setStereoType (stereoType);
        bands[1].setStereoType (stereoType);
        bands[2].setStereoType (Filter::kStereo);
        bands[3].setStereoType (Filter::kStereo);
    }

    // Bands 2 and 4 are the cuts: their magnitudes are applied as negative gains.
    bands[0].setParameter (Filter::kGain, readParameter (tubeGain1 + 0));
    bands[1].setParameter (Filter::kGain, -readParameter (tubeGain1 + 1));
    bands[2].setParameter (Filter::kGain, readParameter (tubeGain1 + 2));
    bands[3].setParameter (Filter::kGain, -readParameter (tubeGain1 + 3));

    const auto lowFrequency = readParameter (tubeFreq1);
    bands[0].setParameter (Filter::kCutoff, lowFrequency);
    bands[1].setParameter (Filter::kCutoff, lowFrequency * 1.5f);

    const auto highFrequency = readParameter (tubeFreq2);
    bands[2].setParameter (Filter::kCutoff, highFrequency);
    bands[3].setParameter (Filter::kCutoff, highFrequency * 0.75f);

    const auto q = tubeQForBandwidth (readParameter (tubeBandwidth));

    for (auto& band : bands)
        band.setParameter (Filter::kQ, q);

    applyDriveTargets();
}

float TandrelAudioProcessor::tubeQForBandwidth (float bandwidth) noexcept
{
    // 0..10 maps linearly onto q 0.1..0.7; 0.59999996 is 0.7f - 0.1f.
    return (bandwidth * 0.59999996f) / 10.0f + 0.1f;
}

float TandrelAudioProcessor::driveGainForDecibels (float driveDecibels) noexcept
{
    return (float) std::pow (10.0, (double) (driveDecibels * 0.05f));
}

int TandrelAudioProcessor::readStereoType() const noexcept
{
    // Truncated toward zero, so anything from just above -1 up to just below 3 is a stereo type.
    const auto value = readParameter (ParameterIDs::midSide);
    return (value > -1.0f && value < 3.0f) ? (int) value : -1;
}
