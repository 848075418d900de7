#pragma once
// A small built-in text editor for the help texts and the picture macro files. Those
// files are code page 932 with CR LF, which the desktop's editors would not read, and the
// program must be able to close the editor it opened. Each window has a task id, as a
// started program has, by which the program closes it again.
#include <QPointer>
#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QAction;

namespace platform {

class TextEditorWindow : public QWidget {
  Q_OBJECT

 public:
  TextEditorWindow(const QString& path, const QString& text, int taskId);

  const QString& Path() const { return path_; }
  int TaskId() const { return taskId_; }
  QString Text() const;
  // Replaces the text as typing would: the window then holds unsaved changes.
  void SetText(const QString& text);
  bool IsModified() const;
  // Writes the text to the file in code page 932 with CR LF, through a temporary file,
  // so a failed save leaves the old file as it was. On failure shows why and returns
  // false; the text stays unsaved.
  bool Save();

 protected:
  // Changed text asks whether to save it first; Cancel, and a save that fails, keep the
  // window open.
  void closeEvent(QCloseEvent* e) override;

 private:
  void UpdateTitle();

  QString path_;
  int taskId_;
  QPlainTextEdit* edit_ = nullptr;
};

// Opens `path` in an editor window of its own, shown with the focus, and returns the
// window's task id (never 0). A file already open in an editor brings that editor to the
// front and returns its id. Throws VbError 53 for a missing file, 75 for one that cannot
// be read.
int OpenTextEditor(const QString& path);

// The open editor with that task id, or nullptr once it has been closed.
TextEditorWindow* FindTextEditor(int taskId);

// Brings the editor to the front and closes it as its close box would (changed text asks
// first). Throws VbError 5 when no editor has that task id.
void CloseTextEditor(int taskId);

}  // namespace platform
