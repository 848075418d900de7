#pragma once
// The three browsing lists of the program's file choosers: a drive list (the mount
// points), a folder list (the open folder's ancestors and its subfolders) and a file
// list (the files of a folder that match a pattern). Their properties and events are
// those the windows use: Drive, Path, Pattern, FileName, ListCount, List(i), ListIndex,
// Change and Click. A change the program makes raises the same event as the user's.
//
//   platform::DriveListBox Drive1{this};
//   platform::DirListBox Dir1{this};
//   platform::FileListBox File1{this};
//   connect(&Dir1, &platform::DirListBox::Change, this, [this] { File1.SetPath(Dir1.Path()); });
#include <QComboBox>
#include <QListWidget>
#include <QStringList>

#include "platform/controls_base.h"
#include "platform/vbfile.h"

namespace platform {

constexpr int kErrPermissionDenied = 70;
constexpr int kErrDeviceUnavailable = 68;

// The mount point of the volume that holds `path` ("/" when none is found).
QString DriveOfPath(const QString& path);

// The folder last opened on a drive by any folder list (the drive's mount point at
// first): where a folder list goes when the user chooses that drive.
QString CurrentFolderOnDrive(const QString& drive);

// Whether `name` matches one of the patterns of `pattern` ("*.wav;*.mid"), without
// regard to case. "*" and "*.*" match every name.
bool MatchesFilePattern(const QString& name, const QString& pattern);

// The drives a user can browse: "/" and the mounted volumes under /media, /run/media and
// /mnt, and every drive a path was chosen on. The list shows each mount point with the
// volume's name.
class DriveListBox : public ControlBase<QComboBox> {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent);

  // The chosen drive: its mount point.
  QString Drive() const;
  // Chooses the drive that holds `path` (a mount point or any path on it); raises
  // Change when the drive differs.
  void SetDrive(const QString& path);
  int ListCount() const { return count(); }
  // Mount point of entry `index`; outside 0..ListCount-1 raises error 381.
  QString List(int index) const;
  int ListIndex() const { return currentIndex(); }
  // Reads the mount points again, keeping the chosen drive.
  void Refresh();

 signals:
  void Change();

 private:
  int AddDrive(const QString& mountPoint);
  bool settingFromCode_ = false;
};

// The folder list: the open folder (Path) under its ancestors, then its subfolders
// (hidden ones left out), sorted by name without regard to case. Index -1 is the open
// folder, -2 its parent and so on; 0..ListCount-1 are the subfolders. A double-click
// or Enter opens the highlighted entry.
class DirListBox : public ControlBase<QListWidget> {
  Q_OBJECT

 public:
  explicit DirListBox(QWidget* parent);

  QString Path() const { return path_; }
  // Opens a folder. A missing folder raises error 76, one that cannot be listed error 70
  // (the folder list stays where it was). Raises Change when the folder differs.
  void SetPath(const QString& path);
  // Number of subfolders of the open folder.
  int ListCount() const { return static_cast<int>(subfolders_.size()); }
  // Full path of entry `index`: a subfolder (0..ListCount-1), the open folder (-1) or
  // an ancestor (-2 ...); other indexes raise error 381.
  QString List(int index) const;
  // The highlighted entry (-1: the open folder).
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int index);
  // Lists the open folder's subfolders again.
  void Refresh();

 signals:
  void Change();
  void Click();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Rebuild();
  int RowOf(int index) const;
  int IndexOfRow(int row) const;
  void OpenRow(int row);

  QString path_;
  QStringList ancestors_;   // root first, the open folder last
  QStringList subfolders_;  // full paths
  int listIndex_ = -1;
  bool rebuilding_ = false;
};

// The file list: the files of Path whose names match Pattern, sorted by name without
// regard to case; hidden files are left out. One entry at a time is chosen.
class FileListBox : public ControlBase<QListWidget> {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent);

  QString Path() const { return path_; }
  // A missing folder raises error 76, one that cannot be listed error 70.
  void SetPath(const QString& path);
  QString Pattern() const { return pattern_; }
  // Patterns separated by ";" ("*.wav;*.mid;*.mp3"); the list is read again.
  void SetPattern(const QString& pattern);
  // The chosen file's name ("" when none).
  QString FileName() const;
  // A path with a pattern ("/music/*.wav") sets Path and Pattern; a pattern alone sets
  // Pattern; a plain name chooses that file when it is listed.
  void SetFileName(const QString& text);
  int ListCount() const { return static_cast<int>(files_.size()); }
  // Name of entry `index`; "" past the end; below -1 raises error 381.
  QString List(int index) const;
  int ListIndex() const { return listIndex_; }
  // Chooses an entry (-1: none) and raises Click; outside -1..ListCount-1 raises 380.
  void SetListIndex(int index);
  // Reads the folder again.
  void Refresh();

 signals:
  void Click();
  void DblClick();
  void PathChange();
  void PatternChange();

 private:
  void Read();

  QString path_;
  QString pattern_ = QStringLiteral("*.*");
  QStringList files_;
  int listIndex_ = -1;
  bool rebuilding_ = false;
};

}  // namespace platform
