// The EXIF orientation reader on any bytes, as a TIFF structure and as a picture file.
#include <QCoreApplication>

#include "fuzz/fuzz_support.h"
#include "platform/exif.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qInstallMessageHandler(fuzz::QuietMessages);
  new QCoreApplication(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::Bytes(data, size);
  platform::ReadTiffOrientation(bytes);
  const QString path = fuzz::Dirs().work.path() + QStringLiteral("/picture.jpg");
  fuzz::WriteFile(path, bytes);
  platform::ReadExifOrientation(path);
  return 0;
}
