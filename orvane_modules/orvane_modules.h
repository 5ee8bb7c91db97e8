/*******************************************************************************
 The block below describes the properties of this module, and is read by
 the Projucer and by juce_add_module().

 BEGIN_JUCE_MODULE_DECLARATION

  ID:                 orvane_modules
  vendor:             orvane
  version:            1.0.0
  name:               Orvane reusable DSP and GUI classes
  description:        A state-variable filter and its pipelined cascade (orvane_dsp) and a small widget library with its look-and-feels (orvane_gui).
  website:            https://orvane.audio
  license:            Proprietary
  minimumCppStandard: 17

  dependencies:       juce_dsp, juce_gui_basics

 END_JUCE_MODULE_DECLARATION

*******************************************************************************/

/*  The orvane_gui part draws embedded images. A project using this module links a binary-data
    target (juce_add_binary_data, header BinaryData.h, namespace BinaryData) that holds
    labelPanel.png, labelFrame.png, keyWide.png, keyWideLit.png, keyNarrow.png,
    keyNarrowPressed.png, ledOff.png and ledOn.png.
*/

#pragma once
#define ORVANE_MODULES_H_INCLUDED

#include <juce_dsp/juce_dsp.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "orvane_dsp/SVFilter.h"
#include "orvane_dsp/SVFilterCascade.h"

#include "orvane_gui/Fonts.h"
#include "orvane_gui/ValueBox.h"
#include "orvane_gui/Label.h"
#include "orvane_gui/ImageButtons.h"
#include "orvane_gui/DialLooks.h"
#include "orvane_gui/Dial.h"
#include "orvane_gui/Fader.h"
#include "orvane_gui/Menu.h"
#include "orvane_gui/PushButton.h"
#include "orvane_gui/Toggle.h"
