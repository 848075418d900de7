// Picture filters of the macros, on the imaging control that holds the current slide's
// picture, and "SAVEPIC", which keeps the show surface as the background of repaints.
#include "core/form4.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "macro/macro_state.h"
#include "macro/show_commands.h"
#include "platform/events.h"
#include "platform/imaging.h"
#include "platform/picturebox.h"

namespace macro {
namespace {

// The filters add up: each works on the picture the one before left. The result goes on
// both surfaces and becomes the picture the next erase effect starts from.
template <class Operations>
void Filter(Operations operations) {
  operations(core::form4().Lead1);
  engine::PresentImagingBitmap();
  ConsumeLine();
}

}  // namespace

void BitCommand() {
  Filter([](platform::ImagingControl& lead) { lead.SetColorResolution(1, 1, 1, 0); });
}

void ReverseCommand() {
  Filter([](platform::ImagingControl& lead) { lead.ReverseImage(); });
}

void FlipCommand() {
  Filter([](platform::ImagingControl& lead) { lead.FlipImage(); });
}

void PencilCommand() {
  Filter([](platform::ImagingControl& lead) {
    lead.PencilFilterStep(8);
    lead.GrayscaleImage();
    lead.PencilFinishStep();
  });
}

void MetalCommand() {
  Filter([](platform::ImagingControl& lead) {
    lead.MetalFilterStep(0, 700);
    lead.GrayscaleImage();
  });
}

void MosaicCommand() {
  Filter([](platform::ImagingControl& lead) { lead.MosaicImage(8); });
}

void GrayscaleCommand() {
  Filter([](platform::ImagingControl& lead) { lead.GrayscaleImage(); });
}

void SavePicCommand() {
  if (core::Flags().FullScreenShowActive == 1) {
    engine::Slidescreen& screen = engine::slidescreen();
    auto copy = [&screen] {
      screen.P3.PaintPicture(screen.P2.Image(), 0, 0, screen.P3.ScaleWidth(),
                             screen.P3.ScaleHeight());
    };
    // The ticker is left out of the background it scrolls over.
    if (screen.Label1.Visible()) {
      screen.Label1.SetVisible(false);
      platform::DoEvents();
      copy();
      screen.Label1.SetVisible(true);
    } else {
      copy();
    }
  }
  ConsumeLine();
}

}  // namespace macro
