#pragma once
// The MP3 file chooser of sound mode 8, with "画像連動（ＷＡＶ）あり" (Mp3WithLinkedWav).
#include "sound/form2.h"

namespace sound {

class Form17 : public OneFileChooser {
 public:
  Form17();
};

Form17& form17();
Form17* Form17IfLoaded();

}  // namespace sound
