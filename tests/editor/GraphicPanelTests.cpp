#include "editor/PluginEditor.h"

#include <gtest/gtest.h>

// Placeholder: being written.
