#include "ZK_Window.h"

// Placeholder: being written.
