#include "platform/imaging.h"

namespace platform {

QImage LoadPicture(const QString& path) {
  if (path.isEmpty()) return {};
  ImagingControl reader;
  reader.LoadImageFile(path);
  return reader.ImagePicture();
}

}  // namespace platform
