#pragma once
// Message boxes, input boxes and file choosers: one entry point per kind. Tests
// install a responder that records every call and answers it, so that no real
// dialog opens:
//
//   platform::ScriptedDialogs dialogs;       // installed for its lifetime
//   dialogs.Answer(platform::vbYes);         // the next MsgBox answers Yes
//   dialogs.AnswerText("5");                 // the next InputBox answers "5"
//   ... code under test ...
//   EXPECT_EQ(dialogs.Calls()[0].text, "...");
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

// Buttons.
constexpr int vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4,
              vbRetryCancel = 5;
// Icons.
constexpr int vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64;
// Default button.
constexpr int vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512;
// Answers.
constexpr int vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7;

// The title shown when a caller gives none: the program's name.
QString AppTitle();

// Loads Qt's own Japanese texts into the application, so that standard buttons
// (はい(Y), いいえ(N), キャンセル, OK) and file choosers read Japanese whatever the
// desktop's language. Call once the QApplication exists. Returns false, with a
// warning logged, when the translation file is missing.
bool InstallQtTranslations();

// A message box; `flags` adds buttons, icon and default button. Returns the
// answer (vbOK .. vbNo). An empty title shows AppTitle().
int MsgBox(const QString& text, int flags = vbOKOnly, const QString& title = {});

// An input box; returns the text, or "" for Cancel.
QString InputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {});

// File choosers. `filter` is in the original's form "Text (*.txt)|*.txt|All|*.*"
// (patterns separated by ';'); `initialFile` may hold a folder and a file name.
// nullopt means Cancel.
std::optional<QString> OpenFileDialog(const QString& title, const QString& filter,
                                      const QString& initialFile = {},
                                      const QString& initialDir = {}, int filterIndex = 1);
// Asks before replacing an existing file.
std::optional<QString> SaveFileDialog(const QString& title, const QString& filter,
                                      const QString& initialFile = {},
                                      const QString& initialDir = {}, int filterIndex = 1);
std::optional<QString> FolderDialog(const QString& title, const QString& initialDir = {});

// The Qt filter string for a filter in the original's form.
QString ToQtFilter(const QString& vbFilter);

// ---- responder for tests ------------------------------------------------------------

enum class DialogKind { kMsgBox, kInputBox, kOpenFile, kSaveFile, kFolder };

struct DialogCall {
  DialogKind kind = DialogKind::kMsgBox;
  QString title;          // as shown (AppTitle() for an empty one)
  QString text;           // message or prompt
  int buttons = 0;        // vbOKOnly .. vbRetryCancel
  int icon = 0;           // 0, vbCritical .. vbInformation
  int defaultButton = 1;  // 1..3
  QString defaultText;    // input box default
  QString filter;         // file choosers: the filter as given
  QString initialFile;
  QString initialDir;
};

struct DialogAnswer {
  int button = vbOK;            // message boxes
  std::optional<QString> text;  // input boxes and choosers; nullopt = Cancel
};

using DialogResponder = std::function<DialogAnswer(const DialogCall&)>;

// With a responder installed no real dialog opens; it answers every call. On the
// offscreen platform (tests) a call without one is logged and gets the default
// answer instead of blocking.
void SetDialogResponder(DialogResponder responder);
void ClearDialogResponder();

// For tests that drive a real dialog themselves (finding it as the active modal
// widget): with this on, the offscreen platform shows real dialogs too.
void ShowRealDialogsOffscreen(bool on);

// Records every call and answers from a queue, in order. With the queue empty a
// message box gets its default button, an input box and a chooser Cancel.
class ScriptedDialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs();
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  // Next message box answer.
  void Answer(int button);
  // Next input box or chooser answer.
  void AnswerText(const QString& text);
  // Next input box or chooser is cancelled.
  void AnswerCancel();
  // Runs `action` when the next dialog opens (before it is answered), e.g. to
  // click something meanwhile; then the queue answers as usual.
  void OnNextCall(std::function<void(const DialogCall&)> action);

  const std::vector<DialogCall>& Calls() const { return calls_; }
  // Calls of one kind.
  std::vector<DialogCall> CallsOf(DialogKind kind) const;
  int Pending() const { return static_cast<int>(answers_.size()); }
  void ClearCalls() { calls_.clear(); }

 private:
  DialogAnswer Respond(const DialogCall& call);

  std::vector<DialogCall> calls_;
  std::deque<DialogAnswer> answers_;
  std::deque<std::function<void(const DialogCall&)>> actions_;
};

}  // namespace platform
