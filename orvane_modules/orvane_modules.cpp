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
