#pragma once

#include <array>

/** The 36 parameter IDs in host order. These strings are stored in every saved state, so they
    never change (the graphic switch really is "grapgicEQON"). */
namespace ParameterIDs
{
enum Index
{
    graphicGain1 = 0,   // ... graphicGain10 = 9
    parametricGain1 = 10,
    parametricFreq1 = 14,
    tubeGain1 = 18,
    tubeFreq1 = 22,
    tubeFreq2,
    tubeBandwidth,
    graphicOn,
    parametricOn,
    tubeOn,
    phase,
    quality,
    midSide,
    highpass,
    lowpass,
    drive,
    trim,
    cpu,
    count
};

inline constexpr std::array<const char*, count> ids {
    "graphic eq band 1 gain", "graphic eq band 2 gain", "graphic eq band 3 gain", "graphic eq band 4 gain",
    "graphic eq band 5 gain", "graphic eq band 6 gain", "graphic eq band 7 gain", "graphic eq band 8 gain",
    "graphic eq band 9 gain", "graphic eq band 10 gain",
    "parametric eq band 1 gain", "parametric eq band 2 gain", "parametric eq band 3 gain", "parametric eq band 4 gain",
    "parametric eq band 1 freq", "parametric eq band 2 freq", "parametric eq band 3 freq", "parametric eq band 4 freq",
    "tube eq band 1 gain", "tube eq band 2 gain", "tube eq band 3 gain", "tube eq band 4 gain",
    "tube eq band 1 freq", "tube eq band 2 freq", "tube eq BW",
    "grapgicEQON", "parametricEQON", "tubeEQON",
    "phase", "quality", "ms", "highpass", "lowpass", "drive", "trim", "cpu"
};
} // namespace ParameterIDs
