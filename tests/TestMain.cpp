#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // The framework's singletons (message manager, image cache, fonts) live for the whole run.
    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
