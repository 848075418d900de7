// The slideshow file reader on any bytes, and the round trip of what it accepts.
#include "core/slideshow_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshState();
  const QString input = fuzz::Dirs().Docs() + QStringLiteral("input.kvz");
  fuzz::WriteFile(input, fuzz::Bytes(data, size));
  core::LoadSlideshowFile(input);
  if (!fuzz::Dialogs().Calls().empty()) return 0;  // refused, with its message

  const QString saved = fuzz::Dirs().Docs() + QStringLiteral("saved.kvz");
  fuzz::CheckRoundTrip(
      saved,
      [&] {
        QString path = saved;
        core::SaveSlideshowFile(path);
      },
      [&] { core::LoadSlideshowFile(saved); });
  return 0;
}
