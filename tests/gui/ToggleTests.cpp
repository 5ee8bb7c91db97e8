#include <orvane_modules/orvane_modules.h>

#include <gtest/gtest.h>

// Placeholder: filled in by the widget work.
