#pragma once

#include <orvane_modules/orvane_modules.h>

#include <array>

/** Low shelf, two bells and a high shelf with adjustable frequencies and a fixed bandwidth. */
template <typename SampleType>
class ParametricEQ
{
public:
    using Band = orvane_dsp::SVFilter<SampleType>;

    struct BandSetup
    {
        typename Band::FilterType type;
        float cutoff;
    };

    static constexpr std::array<BandSetup, 4> bandSetups { { { Band::kLowShelf, 200.0f },
                                                             { Band::kBell, 1000.0f },
                                                             { Band::kBell, 1000.0f },
                                                             { Band::kHighShelf, 5000.0f } } };

    void prepare (const juce::dsp::ProcessSpec& spec)
    {
        for (size_t i = 0; i < bands.size(); ++i)
        {
            auto& band = bands[i];
            band.prepare (spec);
            band.setParameter (Band::kType, (float) bandSetups[i].type);
            band.setParameter (Band::kQType, (float) Band::kParametric);
            band.setStereoType (Band::kStereo);
            band.setParameter (Band::kCutoff, bandSetups[i].cutoff);
        }
    }

    template <typename ProcessContext>
    void process (const ProcessContext& context) noexcept
    {
        for (auto& band : bands)
            band.process (context);
    }

    std::array<Band, 4> bands;
};
