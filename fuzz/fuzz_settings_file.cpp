// The settings file reader on any bytes, and the round trip of what it reads.
#include "core/settings_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshState();
  const QString path = core::SettingsFilePath();
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  core::LoadSettingsFile();  // an unreadable file changes nothing and says nothing
  fuzz::CheckRoundTrip(
      path, [] { core::SaveSettingsFile(); }, [] { core::LoadSettingsFile(); });
  return 0;
}
