#include "platform/texteditor.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QKeySequence>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace platform {

namespace {

const QString kEditorName = QStringLiteral("テキストエディタ");

QMap<int, QPointer<TextEditorWindow>>& OpenEditors() {
  static QMap<int, QPointer<TextEditorWindow>> editors;
  return editors;
}

int NextTaskId() {
  static int last = 0;
  // Task ids stay positive 16-bit values, the width the program keeps them in.
  do {
    last = last >= 32767 ? 1 : last + 1;
  } while (OpenEditors().contains(last) && OpenEditors().value(last));
  return last;
}

// Line ends become "\n" for editing; any of CR LF, LF and a lone CR counts as one.
QString ToEditorText(const QString& fileText) {
  QString text = fileText;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}

QString ToFileText(const QString& editorText) {
  QString text = editorText;
  text.replace(QChar(u'\n'), QStringLiteral("\r\n"));
  return text;
}

void Activate(QWidget* w) {
  if (w->isMinimized()) w->showNormal();
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

TextEditorWindow::TextEditorWindow(const QString& path, const QString& text, int taskId)
    : QWidget(nullptr, Qt::Window), path_(path), taskId_(taskId) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  QAction* save = file->addAction(QStringLiteral("上書き保存(&S)"));
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] { Save(); });
  file->addSeparator();
  QAction* close = file->addAction(QStringLiteral("閉じる(&X)"));
  connect(close, &QAction::triggered, this, &QWidget::close);
  layout->setMenuBar(bar);

  edit_ = new QPlainTextEdit(this);
  edit_->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 11));
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setPlainText(ToEditorText(text));
  edit_->document()->setModified(false);
  layout->addWidget(edit_);
  connect(edit_->document(), &QTextDocument::modificationChanged, this,
          [this](bool) { UpdateTitle(); });

  resize(800, 600);
  UpdateTitle();
}

QString TextEditorWindow::Text() const { return edit_->toPlainText(); }

void TextEditorWindow::SetText(const QString& text) {
  edit_->setPlainText(ToEditorText(text));
  edit_->document()->setModified(true);
}

bool TextEditorWindow::IsModified() const { return edit_->document()->isModified(); }

bool TextEditorWindow::Save() {
  const QString text = ToFileText(Text());
  bool ok = false;
  const QByteArray bytes = ToCp932(text, &ok);
  if (!ok) {
    MsgBox(path_ + QStringLiteral(
                       "\r\nシフトJISで保存できない文字が含まれているため、保存できません。"),
           vbExclamation, kEditorName);
    return false;
  }
  if (!SaveFileAtomically(path_, bytes)) {
    MsgBox(path_ + QStringLiteral("\r\nファイルを保存できません。"), vbExclamation, kEditorName);
    return false;
  }
  edit_->document()->setModified(false);
  return true;
}

void TextEditorWindow::closeEvent(QCloseEvent* e) {
  if (IsModified()) {
    const int answer = MsgBox(path_ + QStringLiteral("\r\n変更を保存しますか ?"),
                              vbYesNoCancel | vbQuestion, kEditorName);
    if (answer == vbCancel || (answer == vbYes && !Save())) {
      e->ignore();
      return;
    }
  }
  OpenEditors().remove(taskId_);
  e->accept();
}

void TextEditorWindow::UpdateTitle() {
  setWindowTitle((IsModified() ? QStringLiteral("*") : QString()) + QFileInfo(path_).fileName() +
                 QStringLiteral(" - ") + kEditorName);
}

int OpenTextEditor(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (const auto& editor : OpenEditors()) {
    if (editor && editor->Path() == absolute) {
      Activate(editor);
      return editor->TaskId();
    }
  }
  QFileInfo info(absolute);
  if (!info.exists() || info.isDir())
    throw VbError(kErrFileNotFound, QStringLiteral("File not found"));
  QFile file(absolute);
  if (!file.open(QIODevice::ReadOnly))
    throw VbError(kErrPathFileAccess, QStringLiteral("Path/File access error"));
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw VbError(kErrPathFileAccess, QStringLiteral("Path/File access error"));

  const int id = NextTaskId();
  auto* editor = new TextEditorWindow(absolute, FromCp932(bytes), id);
  OpenEditors().insert(id, editor);
  Activate(editor);
  return id;
}

TextEditorWindow* FindTextEditor(int taskId) {
  auto it = OpenEditors().find(taskId);
  if (it == OpenEditors().end() || !*it) return nullptr;
  return it->data();
}

void CloseTextEditor(int taskId) {
  TextEditorWindow* editor = FindTextEditor(taskId);
  if (!editor) throw VbError(kErrInvalidCall, QStringLiteral("Invalid procedure call or argument"));
  Activate(editor);
  editor->close();
}

}  // namespace platform
