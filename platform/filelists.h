#pragma once
// The file browser controls: a drive list (the mounted file systems in place of drive
// letters), a folder list (the folder's ancestors, the folder, its subfolders) and a file
// list (the folder's files that match a pattern list). Built like the other controls:
//
//   platform::DriveListBox Drive1{this};
//   platform::DirListBox Dir1{this};
//   platform::FileListBox File1{this};
//   connect(&Drive1, &platform::DriveListBox::Change, this, &Form3::Drive1_Change);
//   connect(&Dir1, &platform::DirListBox::Change, this, &Form3::Dir1_Change);
//   connect(&File1, &platform::FileListBox::Click, this, &Form3::File1_Click);
//
// Setting a path, a drive or a pattern from code raises the same event as the user's
// choice, but only when the value changes. Hidden entries (names beginning with ".")
// are not listed.
#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QStringList>
#include <vector>

#include "platform/controls_base.h"
#include "platform/vbfile.h"  // kErrPathNotFound

namespace platform {

constexpr int kErrDeviceUnavailable = 68;
constexpr int kErrPermissionDenied = 70;

// The mounted file systems, the root first, then by path.
QStringList MountedDrives();
// The drive (mount point) a path lies on: the longest listed mount point that holds it.
QString DriveOfPath(const QString& path);
// A folder path in the lists' form: absolute, cleaned, no trailing "/" except the root.
QString NormalFolderPath(const QString& path);
// The folder a folder list last opened on `drive` (a mount point); the drive itself at first.
QString CurrentFolderOnDrive(const QString& drive);
// Whether `name` matches one of the ";"-separated wildcard patterns, whatever the case.
bool MatchesFilePattern(const QString& name, const QString& pattern);

// ---- drive list -------------------------------------------------------------------------

class DriveListBox : public ControlBase<QComboBox> {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent);
  // The chosen drive: its mount point.
  QString Drive() const;
  // Chooses the drive that `path` lies on (a mount point or any path on it); raises
  // Change when that is another drive. A path on no listed drive raises error 68.
  void SetDrive(const QString& path);
  int ListCount() const { return static_cast<int>(drives_.size()); }
  // The mount point of entry `index`; "" outside the list.
  QString List(int index) const;
  int ListIndex() const { return currentIndex(); }
  // Reads the mounted file systems again, keeping the chosen one when it is still there.
  void Refresh();

 signals:
  void Change();

 private:
  void Fill();

  QStringList drives_;
  bool settingFromCode_ = false;
};

// ---- folder list ------------------------------------------------------------------------

class DirListModel;

class DirListBox : public ControlBase<QListView> {
  Q_OBJECT

 public:
  explicit DirListBox(QWidget* parent);
  ~DirListBox() override;

  // The current folder.
  QString Path() const { return path_; }
  // Opens a folder: its ancestors and subfolders are listed again. Raises Change when
  // the folder differs; the current folder again changes nothing. A path that is no folder raises
  // error 76; a folder that cannot be read raises error 75 and the list stays as it was.
  void SetPath(const QString& path);
  // Subfolders of the current folder.
  int ListCount() const { return static_cast<int>(subfolders_.size()); }
  // Full path of an entry: 0 .. ListCount - 1 the subfolders in name order, -1 the current
  // folder, -2 its parent and so on up to the root; "" beyond.
  QString List(int index) const;
  // The highlighted entry in the same numbering (-1: the current folder).
  int ListIndex() const { return listIndex_; }
  // Highlights an entry without opening it; raises Click when it changes.
  void SetListIndex(int index);
  // Lists the current folder again (folders made or removed meanwhile).
  void Refresh();

 signals:
  void Change();
  void Click();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  friend class DirListModel;
  int Ancestors() const { return static_cast<int>(ancestors_.size()); }
  void Rebuild();
  void OpenRow(int row);

  DirListModel* model_;
  QString path_;
  QStringList ancestors_;   // root first, the current folder last
  QStringList subfolders_;  // full paths
  int listIndex_ = -1;
  bool syncing_ = false;
};

// ---- file list --------------------------------------------------------------------------

class FileListBox : public ControlBase<QListView> {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent);
  ~FileListBox() override;

  // The folder listed. A path that is no folder raises error 76; one that cannot be read
  // raises error 75. Raises PathChange when it differs.
  QString Path() const { return path_; }
  void SetPath(const QString& path);
  // Patterns separated by ";" ("*.png;*.jpg"), matched without regard to case; raises
  // PatternChange when it differs.
  QString Pattern() const { return pattern_; }
  void SetPattern(const QString& pattern);
  int ListCount() const { return static_cast<int>(files_.size()); }
  // File name of entry `index`; "" for -1 or past the end; below -1 raises error 381.
  QString List(int index) const;
  // The selected entry, -1 for none.
  int ListIndex() const { return listIndex_; }
  // Selects an entry (-1: none); raises Click when it changes; outside -1..ListCount-1
  // raises error 380.
  void SetListIndex(int index);
  // The selected file's name, "" for none.
  QString FileName() const { return List(listIndex_); }
  // A folder and/or pattern ("/a/*.wav" opens the folder and sets the pattern), or a file
  // name of the list to choose.
  void SetFileName(const QString& text);
  int TopIndex() const;
  // Reads the folder again (files made meanwhile appear); the selection is forgotten.
  void Refresh();

 signals:
  void Click();
  void DblClick();
  void PathChange();
  void PatternChange();

 protected:
  void mousePressEvent(QMouseEvent* e) override;

 private:
  void Reread();
  void SelectRow(int row);

  QAbstractListModel* model_;
  QString path_;
  QString pattern_ = QStringLiteral("*.*");
  QStringList files_;
  int listIndex_ = -1;
  int chosenAtPress_ = -1;  // the entry chosen when the mouse button went down
  bool syncing_ = false;
};

}  // namespace platform
