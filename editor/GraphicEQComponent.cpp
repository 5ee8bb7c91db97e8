#include "GraphicEQComponent.h"

// Placeholder: being written.
