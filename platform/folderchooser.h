#pragma once
// The two choosers of a destination folder: a drive list (the mounted file systems, the
// root first, in place of drive letters) and a folder list (the folder's path from the
// root down and its subfolders; a double-click or Enter opens an entry). Setting a path or
// a drive from code raises Change as the user's choice does.
#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

#include "platform/controls_base.h"

namespace platform {

class DriveChooser : public ControlBase<QComboBox> {
  Q_OBJECT

 public:
  explicit DriveChooser(QWidget* parent);
  // The chosen mount point.
  QString Drive() const { return currentText(); }
  // Chooses the mount point that holds `path`; raises Change when the choice changes.
  void SetDrive(const QString& path);
  // Reads the mounted file systems again (the current choice is kept when still there).
  void Refresh();
  QStringList Drives() const;

 signals:
  void Change();

 private:
  bool fromCode_ = false;
};

class FolderChooser : public ControlBase<QListWidget> {
  Q_OBJECT

 public:
  explicit FolderChooser(QWidget* parent);
  // The open folder, absolute, without a trailing "/" (except the root itself).
  QString Path() const { return path_; }
  // Opens a folder; a path that is no folder raises VbError 76 and changes nothing.
  // Raises Change when the folder changes.
  void SetPath(const QString& path);
  // The entries as shown: the folders from the root down to the open one, then its
  // subfolders (full paths).
  QStringList Entries() const;
  // Reads the open folder's subfolders again.
  void Refresh();

 signals:
  void Change();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Fill();
  void OpenEntry(QListWidgetItem* item);

  QString path_;
};

}  // namespace platform
