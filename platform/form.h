#pragma once
// Top-level windows in the original's shape: geometry in twips, a load handler
// that runs on first reference, activation from the event queue, and unloading
// that destroys the window only once none of its handlers is on the stack.
//
// One accessor per window loads it on first use:
//
//   // form3.h
//   class Form3 : public platform::Form {
//     Q_OBJECT
//    public:
//     Form3();                       // builds the controls, connects the handlers
//     platform::ListBox List1{this};
//     void Form_Load() override;     // runs once per load, with the window hidden
//     ...
//   };
//   Form3& form3();
//
//   // form3.cpp
//   Form3& form3() {
//     static platform::FormSlot<Form3> slot;
//     return slot.Get();             // loads Form3 hidden on first reference
//   }
//
// After form3().Unload() the slot forgets the window; the next form3() loads a
// fresh one. Code that must not load a window asks slot.IsLoaded() first.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/controls_base.h"
#include "platform/twips.h"

class QEventLoop;
class QMenuBar;

namespace platform {

// How a window is being unloaded (the QueryUnload handler's unloadMode).
constexpr int vbFormControlMenu = 0;  // its close box
constexpr int vbFormCode = 1;         // Unload from code

class Form : public QWidget, public ControlHost {
  Q_OBJECT

 public:
  explicit Form(QWidget* parent = nullptr);
  ~Form() override;

  // ---- lifetime -------------------------------------------------------------
  // Runs Form_Load unless the window is loaded already; the window stays hidden.
  void Load();
  bool Loaded() const { return loaded_; }
  // Loads when needed and shows the window; Form_Activate follows from the queue.
  void Show();
  // Shows the window modally: returns once it is hidden or unloaded.
  void ShowModal();
  void Hide();
  // Runs Form_QueryUnload and Form_Unload; unless one cancels, hides the window,
  // stops its timers and emits Unloaded. Returns false when cancelled.
  bool Unload() { return UnloadWith(vbFormCode); }
  // True once the window was unloaded or closed by its close box: loops of its
  // own test it and leave; the object lives until they have.
  bool IsClosed() const { return closed_; }
  // Windows loaded through FormSlot are destroyed after unloading (once no loop
  // of ours runs); others stay for their owner to delete.
  void SetDeleteOnUnload(bool v) { deleteOnUnload_ = v; }

  // ---- geometry (twips; the outer frame for Left/Top/Width/Height) ----------
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(double twips);
  void SetTop(double twips);
  void SetWidth(double twips);
  void SetHeight(double twips);
  void Move(double left, double top, double width = kKeep, double height = kKeep);
  // Inner size below the menu bar, in the window's scale units.
  int ScaleWidth() const;
  int ScaleHeight() const;
  // Sets the inner size (twips) as a window is designed.
  void SetClientSize(double widthTwips, double heightTwips);
  ScaleMode GetScaleMode() const { return scaleMode_; }
  void SetScaleMode(ScaleMode mode) { scaleMode_ = mode; }

  // ---- look and state --------------------------------------------------------
  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& text) { setWindowTitle(text); }
  bool Visible() const { return isVisible(); }
  void SetVisible(bool v) { v ? Show() : Hide(); }
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool v) { setEnabled(v); }
  // 0 normal, 1 minimised, 2 maximised.
  int WindowState() const;
  void SetWindowState(int state);
  QColor BackColor() const;
  void SetBackColor(const QColor& c);
  // Key events reach Form_KeyDown/Form_KeyPress before the focused control.
  void SetKeyPreview(bool on);
  // A window without title bar or border (full-screen surfaces).
  void SetBorderless(bool on);
  void SetAlwaysOnTop(bool on);
  void SetFocus() { activateWindow(); }
  void Refresh() { repaint(); }
  void ZOrder(int position = 0) { position == 0 ? raise() : lower(); }

  // The widget the controls are children of, and the menu bar (made on first use).
  QWidget* HostWidget() override { return client_; }
  QWidget* Client() const { return client_; }
  QMenuBar* MenuBar();
  // Places the menu bar and the client area again (after menus change).
  void LayoutClient();

  // ---- handlers (override the ones a window has) ----------------------------
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  virtual void Form_Resize() {}
  virtual void Form_Paint() {}
  virtual void Form_QueryUnload(int& cancel, int unloadMode) {
    (void)cancel;
    (void)unloadMode;
  }
  virtual void Form_Unload(int& cancel) { (void)cancel; }
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  virtual void Form_KeyDown(int& keyCode, int shift) {
    (void)keyCode;
    (void)shift;
  }
  virtual void Form_KeyPress(int& keyAscii) { (void)keyAscii; }
  virtual void Form_MouseDown(int button, int shift, double x, double y) {
    (void)button, (void)shift, (void)x, (void)y;
  }

 signals:
  // After a successful unload (FormSlot forgets the window on it).
  void Unloaded();

 public:
  void setVisible(bool visible) override;

 protected:
  bool UnloadWith(int unloadMode);
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  friend class FormClient;
  void FireActivate();
  void QueuePaint();
  int MenuBarHeight() const;
  int FrameExtraWidth() const;
  int FrameExtraHeight() const;
  // Runs the key handlers; true when they consumed the key.
  bool HandleKey(QKeyEvent* e);

  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QEventLoop* modalLoop_ = nullptr;
  ScaleMode scaleMode_ = ScaleMode::kTwips;
  bool loaded_ = false;
  bool closed_ = false;
  bool unloading_ = false;
  bool deleteOnUnload_ = false;
  bool keyPreview_ = false;
  bool paintQueued_ = false;
};

// Loads a window on first reference and forgets it when it unloads.
template <class T>
class FormSlot {
 public:
  FormSlot() = default;
  // `make` builds the window: a class of a layer above that gives it its behaviour.
  explicit FormSlot(std::function<T*()> make) : make_(std::move(make)) {}

  // The window, created and loaded (hidden, Form_Load run) when needed.
  T& Get() {
    if (form_) return *form_;
    T* f = make_ ? make_() : new T();
    form_ = f;
    f->SetDeleteOnUnload(true);
    QObject::connect(f, &Form::Unloaded, f, [this, f] {
      if (form_.data() == f) form_.clear();
    });
    f->Load();
    return *f;
  }
  bool IsLoaded() const { return !form_.isNull(); }
  // The loaded window, or nullptr; never loads.
  T* IfLoaded() const { return form_.data(); }
  // Unloads the window when loaded (tests use it to start from scratch).
  void Reset() {
    if (form_) form_->Unload();
    form_.clear();
  }

 private:
  QPointer<T> form_;
  std::function<T*()> make_;
};

// The program's main window: dialogs centre on its monitor.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

// The application-wide mouse pointer (0 default, 11 hourglass, 13 arrow and hourglass).
int ScreenMousePointer();
void SetScreenMousePointer(int pointer);
// Size of the primary screen in twips.
int ScreenWidth();
int ScreenHeight();

}  // namespace platform
