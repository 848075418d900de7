#pragma once
// Copying a file as the system's file copy does, with the program's rule for every
// write: the target is replaced only once the whole copy was written and flushed, so a
// failed copy leaves the old target as it was.
#include <QString>

namespace platform {

// Copies `source` to `target`. With `failIfExists` an existing target is left alone and
// the copy fails. Returns true when the copy is in place.
bool CopyFileA(const QString& source, const QString& target, bool failIfExists);

}  // namespace platform
