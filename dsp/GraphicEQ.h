#pragma once

#include <orvane_modules/orvane_modules.h>

#include <array>

/** Ten bells at fixed centres; each band narrows as its gain grows (proportional Q). */
template <typename SampleType>
class GraphicEQ
{
public:
    using Band = orvane_dsp::SVFilter<SampleType>;

    static constexpr std::array<float, 10> centreFrequencies { 31.0f, 63.0f, 125.0f, 250.0f, 500.0f,
                                                               1000.0f, 2000.0f, 4000.0f, 8000.0f, 15000.0f };

    void prepare (const juce::dsp::ProcessSpec& spec)
    {
        for (size_t i = 0; i < bands.size(); ++i)
        {
            auto& band = bands[i];
            band.prepare (spec);
            band.setStereoType (Band::kStereo);
            band.setParameter (Band::kType, (float) Band::kBell);
            band.setParameter (Band::kCutoff, centreFrequencies[i]);
            band.setParameter (Band::kQType, (float) Band::kProportional);
        }
    }

    template <typename ProcessContext>
    void process (const ProcessContext& context) noexcept
    {
        for (auto& band : bands)
            band.process (context);
    }

    std::array<Band, 10> bands;
};
