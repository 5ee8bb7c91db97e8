#include "TubeEQComponent.h"

// Placeholder: being written.
