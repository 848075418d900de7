#pragma once
// Copying and moving the user's picture files so that no failure loses one: a copy is
// written under a temporary name in the target's folder, flushed to disk, checked against
// the source's size and only then renamed into place; a move deletes its source only after
// that. "The same file" is decided by the file system (device and inode), never by
// comparing path texts.
#include <QString>

namespace platform {

// True when both paths reach one file on disk: the same device and inode, whatever the
// spelling (another path to the folder, a symbolic link, a hard link). False when either
// does not exist.
bool IsSameFile(const QString& a, const QString& b);

// True when a file could be created in or deleted from the folder (it exists, is a folder,
// and neither its permissions nor a read-only mount forbid writing).
bool FolderWritable(const QString& folder);

// The original's CopyFileA(source, target, FALSE): copies source over target, replacing an
// existing target. Returns 1 when the copy is complete, otherwise 0, with the reason in
// `why`; the target is then as it was before (no partial file, no temporary left). A
// target that is the source itself is refused.
int CopyFileReplacing(const QString& source, const QString& target, QString* why = nullptr);

enum class MoveOutcome {
  kMoved,             // the file is at the target, the source name is gone
  kFailed,            // nothing changed: the source is where it was
  kCopiedSourceKept,  // complete copy at the target, but the source could not be deleted
};

// Moves source to target, replacing an existing target. Within one file system this is a
// rename; across file systems a CopyFileReplacing and, once that is complete, the source is
// deleted. A source whose folder does not allow deleting it is refused before anything is
// written. `why` receives the reason of a failure.
MoveOutcome MoveFileReplacing(const QString& source, const QString& target, QString* why = nullptr);

}  // namespace platform
