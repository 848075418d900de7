#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <stdexcept>

#include "platform/events.h"
#include "platform/form.h"

namespace platform {

namespace {

DialogResponder& Responder() {
  static DialogResponder responder;
  return responder;
}

bool& RealDialogsOffscreen() {
  static bool on = false;
  return on;
}

QString ShownTitle(const QString& title) { return title.isEmpty() ? AppTitle() : title; }

QString Lines(const QString& text) {
  return QString(text).replace("\r\n", "\n").replace('\r', '\n');
}

// The answers of a button set, in the order shown.
std::vector<int> ButtonAnswers(int buttons) {
  switch (buttons) {
    case vbOKCancel:
      return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
      return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
      return {vbYes, vbNo, vbCancel};
    case vbYesNo:
      return {vbYes, vbNo};
    case vbRetryCancel:
      return {vbRetry, vbCancel};
    default:
      return {vbOK};
  }
}

int DefaultAnswer(int buttons, int defaultButton) {
  const auto answers = ButtonAnswers(buttons);
  const size_t i = static_cast<size_t>(std::clamp(defaultButton, 1, 3) - 1);
  return answers[std::min(i, answers.size() - 1)];
}

QWidget* DialogParent() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w;
  return MainWindow();
}

// Dialogs sit in the middle of the main window's monitor.
void CentreOnMainMonitor(QWidget* dialog) {
  QScreen* screen = MainWindow() ? MainWindow()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  dialog->adjustSize();
  const QRect area = screen->availableGeometry();
  dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
}

// A test that forgot its responder must not hang on a box nobody can see:
// without a screen the box takes its default answer (Cancel for the others).
std::optional<DialogAnswer> AskResponder(const DialogCall& call) {
  if (Responder()) return Responder()(call);
  if (QGuiApplication::platformName() == QLatin1String("offscreen") && !RealDialogsOffscreen()) {
    qWarning("dialog without a responder on the offscreen platform: %s",
             qUtf8Printable(call.title + QStringLiteral(": ") + call.text));
    if (call.kind == DialogKind::kMsgBox)
      return DialogAnswer{DefaultAnswer(call.buttons, call.defaultButton), std::nullopt};
    return DialogAnswer{vbCancel, std::nullopt};
  }
  return std::nullopt;
}

std::optional<QString> RunFileDialog(DialogKind kind, const QString& title, const QString& filter,
                                     const QString& initialFile, const QString& initialDir,
                                     int filterIndex) {
  DialogCall call;
  call.kind = kind;
  call.title = title;
  call.filter = filter;
  call.initialFile = initialFile;
  call.initialDir = initialDir;
  if (auto answer = AskResponder(call)) return answer->text;

  QFileDialog dlg(DialogParent(), title);
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  if (kind == DialogKind::kFolder) {
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly);
    if (!initialDir.isEmpty()) dlg.setDirectory(initialDir);
  } else {
    const QStringList filters = ToQtFilter(filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
      dlg.setNameFilters(filters);
      dlg.selectNameFilter(filters.value(std::max(0, filterIndex - 1), filters.first()));
    }
    if (kind == DialogKind::kSaveFile) {
      dlg.setAcceptMode(QFileDialog::AcceptSave);
      dlg.setFileMode(QFileDialog::AnyFile);
    } else {
      dlg.setFileMode(QFileDialog::ExistingFile);
    }
    const QFileInfo info(initialFile);
    if (!initialDir.isEmpty())
      dlg.setDirectory(initialDir);
    else if (!initialFile.isEmpty() && info.path() != QLatin1String("."))
      dlg.setDirectory(info.path());
    if (!initialFile.isEmpty()) dlg.selectFile(info.fileName());
  }
  CentreOnMainMonitor(&dlg);
  LoopScope scope;
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().first();
}

}  // namespace

QString AppTitle() { return QStringLiteral("スライドショー"); }

bool InstallQtTranslations() {
  static QTranslator* installed = nullptr;
  if (installed) return true;
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
    qWarning("Qt's Japanese texts (qtbase_ja.qm) not found in %s: standard dialogs stay English",
             qUtf8Printable(folder));
    delete translator;
    return false;
  }
  if (!QCoreApplication::installTranslator(translator)) {
    qWarning("Qt's Japanese texts could not be installed: standard dialogs stay English");
    delete translator;
    return false;
  }
  installed = translator;
  return true;
}

int MsgBox(const QString& text, int flags, const QString& title) {
  DialogCall call;
  call.kind = DialogKind::kMsgBox;
  call.title = ShownTitle(title);
  call.text = text;
  call.buttons = flags & 7;
  call.icon = flags & 0x70;
  call.defaultButton = ((flags & 0x300) >> 8) + 1;
  if (auto answer = AskResponder(call)) return answer->button;

  QMessageBox box(DialogParent());
  box.setWindowTitle(call.title);
  box.setText(Lines(text));
  switch (call.icon) {
    case vbCritical:
      box.setIcon(QMessageBox::Critical);
      break;
    case vbQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case vbExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case vbInformation:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  struct Kind {
    int answer;
    QMessageBox::StandardButton button;
  };
  static const Kind kKinds[] = {{vbOK, QMessageBox::Ok},         {vbCancel, QMessageBox::Cancel},
                                {vbAbort, QMessageBox::Abort},   {vbRetry, QMessageBox::Retry},
                                {vbIgnore, QMessageBox::Ignore}, {vbYes, QMessageBox::Yes},
                                {vbNo, QMessageBox::No}};
  auto standard = [&](int answer) {
    for (const auto& k : kKinds)
      if (k.answer == answer) return k.button;
    return QMessageBox::Ok;
  };
  const auto answers = ButtonAnswers(call.buttons);
  for (int a : answers) box.addButton(standard(a));
  box.setDefaultButton(standard(DefaultAnswer(call.buttons, call.defaultButton)));
  // Esc answers Cancel where there is one, OK on a lone OK; Yes/No cannot escape.
  for (int a : answers)
    if (a == vbCancel || (answers.size() == 1 && a == vbOK))
      box.setEscapeButton(box.button(standard(a)));
  CentreOnMainMonitor(&box);
  LoopScope scope;
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  for (const auto& k : kKinds)
    if (k.button == clicked) return k.answer;
  return answers.back();
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  DialogCall call;
  call.kind = DialogKind::kInputBox;
  call.title = ShownTitle(title);
  call.text = prompt;
  call.defaultText = defaultText;
  if (auto answer = AskResponder(call)) return answer->text.value_or(QString());

  QInputDialog dlg(DialogParent());
  dlg.setWindowTitle(call.title);
  dlg.setLabelText(Lines(prompt));
  dlg.setTextValue(defaultText);
  dlg.setInputMode(QInputDialog::TextInput);
  CentreOnMainMonitor(&dlg);
  LoopScope scope;
  if (dlg.exec() != QDialog::Accepted) return {};
  return dlg.textValue();
}

std::optional<QString> OpenFileDialog(const QString& title, const QString& filter,
                                      const QString& initialFile, const QString& initialDir,
                                      int filterIndex) {
  return RunFileDialog(DialogKind::kOpenFile, ShownTitle(title), filter, initialFile, initialDir,
                       filterIndex);
}

std::optional<QString> SaveFileDialog(const QString& title, const QString& filter,
                                      const QString& initialFile, const QString& initialDir,
                                      int filterIndex) {
  return RunFileDialog(DialogKind::kSaveFile, ShownTitle(title), filter, initialFile, initialDir,
                       filterIndex);
}

std::optional<QString> FolderDialog(const QString& title, const QString& initialDir) {
  return RunFileDialog(DialogKind::kFolder, ShownTitle(title), {}, {}, initialDir, 1);
}

QString ToQtFilter(const QString& vbFilter) {
  const QStringList parts = vbFilter.split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(';', ' ');
    out << parts[i].trimmed() + QStringLiteral(" (") + patterns.simplified() + ')';
  }
  return out.join(QStringLiteral(";;"));
}

// ---- responder ------------------------------------------------------------------

void SetDialogResponder(DialogResponder responder) { Responder() = std::move(responder); }
void ClearDialogResponder() { Responder() = nullptr; }

void ShowRealDialogsOffscreen(bool on) { RealDialogsOffscreen() = on; }

ScriptedDialogs::ScriptedDialogs() {
  SetDialogResponder([this](const DialogCall& call) { return Respond(call); });
}

ScriptedDialogs::~ScriptedDialogs() { ClearDialogResponder(); }

void ScriptedDialogs::Answer(int button) { answers_.push_back(DialogAnswer{button, std::nullopt}); }

void ScriptedDialogs::AnswerText(const QString& text) {
  answers_.push_back(DialogAnswer{vbOK, text});
}

void ScriptedDialogs::AnswerCancel() { answers_.push_back(DialogAnswer{vbCancel, std::nullopt}); }

void ScriptedDialogs::OnNextCall(std::function<void(const DialogCall&)> action) {
  actions_.push_back(std::move(action));
}

std::vector<DialogCall> ScriptedDialogs::CallsOf(DialogKind kind) const {
  std::vector<DialogCall> out;
  for (const auto& c : calls_)
    if (c.kind == kind) out.push_back(c);
  return out;
}

DialogAnswer ScriptedDialogs::Respond(const DialogCall& call) {
  calls_.push_back(call);
  if (!actions_.empty()) {
    auto action = std::move(actions_.front());
    actions_.pop_front();
    action(call);
  }
  if (answers_.empty()) {
    if (call.kind == DialogKind::kMsgBox)
      return DialogAnswer{DefaultAnswer(call.buttons, call.defaultButton), std::nullopt};
    return DialogAnswer{vbCancel, std::nullopt};
  }
  DialogAnswer a = answers_.front();
  answers_.pop_front();
  if (call.kind == DialogKind::kMsgBox) {
    const auto allowed = ButtonAnswers(call.buttons);
    if (std::find(allowed.begin(), allowed.end(), a.button) == allowed.end())
      throw std::logic_error("scripted answer is not a button of this message box: " +
                             call.text.toStdString());
  }
  return a;
}

}  // namespace platform
