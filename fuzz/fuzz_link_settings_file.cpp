// The link settings file reader on any bytes, and the round trip of what it reads.
#include "core/link_settings_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshState();
  const QString path = core::LinkSettingsFilePath();
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  core::LoadLinkSettingsFile();  // an unreadable file changes nothing and says nothing
  fuzz::CheckRoundTrip(
      path, [] { core::SaveLinkSettingsFile(); }, [] { core::LoadLinkSettingsFile(); });
  return 0;
}
