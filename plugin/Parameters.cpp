#include "PluginProcessor.h"

#include "ParameterIDs.h"

// The options and global stages that wrap the three equaliser sections.
void TandrelAudioProcessor::updateCommonParameters()
{
    using Filter = orvane_dsp::SVFilter<float>;

    oversamplingOn = readParameter (ParameterIDs::quality) != 0.0f;
    phaseInverted = readParameter (ParameterIDs::phase) != 0.0f;

    highpassFilter.setParameter (Filter::kCutoff, readParameter (ParameterIDs::highpass));
    lowpassFilter.setParameter (Filter::kCutoff, readParameter (ParameterIDs::lowpass));

    const auto stereoType = readStereoType();

    if (stereoType >= 0)
    {
        highpassFilter.setStereoType (stereoType);
        lowpassFilter.setStereoType (stereoType);
    }

    applyTrimTarget();
}
