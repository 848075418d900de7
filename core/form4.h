#pragma once
// The hidden work window: imaging controls and picture boxes that the slide pipeline
// uses as work space. It is loaded at start-up and never shown.
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/imaging.h"

namespace core {

class Form4 : public platform::Form {
  Q_OBJECT

 public:
  Form4();

  platform::ImagingControl Lead1;       // loads and prepares each slide's picture
  platform::ImagingControl Lead2;       // unscaled copy of the loaded picture
  platform::PictureBox Picture1{this};  // the prepared picture
  platform::PictureBox Picture2{this};
  platform::PictureBox Picture3{this};
  platform::PictureBox Picture4{this};
};

Form4& form4();
Form4* Form4IfLoaded();

}  // namespace core
