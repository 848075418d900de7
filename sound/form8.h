#pragma once
// The MIDI file chooser of sound mode 4, with "画像連動（ＷＡＶ）あり" (MidiWithLinkedWav).
#include "sound/form2.h"

namespace sound {

class Form8 : public OneFileChooser {
 public:
  Form8();
};

Form8& form8();
Form8* Form8IfLoaded();

}  // namespace sound
