// The DSP's arithmetic is exact only as written. Fast-math would reorder it, and finite-math
// would compile away the checks with which the filters clear a non-finite state; the regions of
// orvane_dsp/ExactArithmetic.h turn contraction off but cannot undo either, so the module
// refuses to be built that way.
#if defined (__FAST_MATH__) || (defined (__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__) \
    || defined (__ASSOCIATIVE_MATH__) || defined (__RECIPROCAL_MATH__)
 #error "orvane_modules needs IEEE floating-point arithmetic: build it without -ffast-math, -Ofast, -ffinite-math-only, -fassociative-math, -freciprocal-math and -funsafe-math-optimizations (add -fno-fast-math for its target)"
#endif

#include "orvane_modules.h"

#include <BinaryData.h>

#include "orvane_dsp/SVFilterCascade.cpp"

#include "orvane_gui/Fonts.cpp"
#include "orvane_gui/ValueBox.cpp"
#include "orvane_gui/Label.cpp"
#include "orvane_gui/ImageButtons.cpp"
#include "orvane_gui/DialLooks.cpp"
#include "orvane_gui/Dial.cpp"
#include "orvane_gui/Fader.cpp"
#include "orvane_gui/Menu.cpp"
#include "orvane_gui/PushButton.cpp"
#include "orvane_gui/Toggle.cpp"
