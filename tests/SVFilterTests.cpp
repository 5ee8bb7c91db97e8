#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

TEST (SVFilter, Placeholder)
{
    orvane_dsp::SVFilter<float> f;
    EXPECT_NEAR (f.getCoefficients().damping, 0.9, 1e-8);
}
