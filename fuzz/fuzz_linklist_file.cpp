// The link-list file reader on any bytes, and the round trip of what it accepts.
#include "core/linklist_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshState();
  const QString input = fuzz::Dirs().Docs() + QStringLiteral("input.usl");
  fuzz::WriteFile(input, fuzz::Bytes(data, size));
  core::LoadLinkListFile(input);
  if (!fuzz::Dialogs().Calls().empty()) return 0;  // refused, with its message

  const QString saved = fuzz::Dirs().Docs() + QStringLiteral("saved.usl");
  fuzz::CheckRoundTrip(
      saved,
      [&] {
        QString path = saved;
        core::SaveLinkListFile(path);
      },
      [&] { core::LoadLinkListFile(saved); });
  return 0;
}
