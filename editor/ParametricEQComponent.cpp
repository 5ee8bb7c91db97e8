#include "ParametricEQComponent.h"

// Placeholder: being written.
