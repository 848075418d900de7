// The sound-list file reader on any bytes, and the round trip of what it reads.
#include "core/soundlist_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshState();
  const QString path = core::SoundListFilePath();
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  core::LoadSoundListFile();  // an unreadable file changes nothing and says nothing
  fuzz::CheckRoundTrip(
      path, [] { core::SaveSoundListFile(); }, [] { core::LoadSoundListFile(); });
  return 0;
}
