#pragma once
// Looking a file up as the editors do before they drop an entry: a missing file is told
// apart from one that cannot be looked at now (a disk that is not mounted, a folder that
// cannot be read), so that only an entry known to be gone is dropped.
#include <QString>

namespace platform {

enum class FileLookup {
  kFound,    // an ordinary file (or a link to one) is there
  kMissing,  // its folder can be searched and holds no ordinary file of that name
  kUnknown,  // the folder itself is missing or cannot be searched
};

FileLookup LookUpFile(const QString& path);

}  // namespace platform
