// The picture macro interpreter on any macro file, drawing on the offscreen show surface
// and the preview box.
#include "core/services.h"
#include "engine/form1_show.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "fuzz/fuzz_support.h"
#include "macro/macro.h"
#include "platform/picturebox.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  engine::ConnectShowHandlers(core::form1());
  macro::RegisterServices();
  // The show windows are made once; remaking them for every input would cost more than
  // the run of a macro.
  engine::ResetSlidescreen2();
  engine::ResetSlidescreen();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshState();
  core::Form1& f1 = core::form1();
  f1.Timer1.SetEnabled(false);
  core::Monitors().MainHwnd = &f1;
  core::Settings().TextMacroOff = 0;
  core::Settings().TextOriginScreen = 1;
  core::Lists().SlidePaths[1] = fuzz::Dirs().Docs() + QStringLiteral("slide.jpg");
  core::Lists().CurrentSlideIndex = 1;
  core::Lists().SlideEndIndex = 2;

  engine::Slidescreen& screen = engine::slidescreen();
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4}) {
    box->resize(320, 160);
    box->ClearPicture();
  }
  f1.Picture1.SetScaleMode(platform::ScaleMode::kTwips);
  f1.Picture1.resize(240, 120);
  f1.Picture1.ClearPicture();

  fuzz::WriteFile(fuzz::Dirs().Docs() + QStringLiteral("slide.txt"), fuzz::Bytes(data, size));
  macro::RunPictureMacro();
  return 0;
}
