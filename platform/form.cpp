#include "platform/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/events.h"
#include "platform/timer.h"

namespace platform {

namespace {

// The window whose Form_Activate ran last; activation runs again only when
// another window has been active in between (or this one was hidden).
QPointer<Form> g_activeForm;
QPointer<QWidget> g_mainWindow;
int g_screenPointer = 0;

}  // namespace

// The area below the menu bar that holds the controls, in the window's scale.
class FormClient : public QWidget, public ControlContainer {
 public:
  explicit FormClient(Form* owner) : QWidget(owner), owner_(owner) {
    setObjectName(QStringLiteral("client"));
  }
  double UnitsPerPixel() const override { return platform::UnitsPerPixel(owner_->scaleMode_); }

 protected:
  void paintEvent(QPaintEvent*) override { owner_->QueuePaint(); }
  void mousePressEvent(QMouseEvent* e) override {
    const double u = UnitsPerPixel();
    owner_->Form_MouseDown(VbMouseButton(e->button()), VbShiftState(e->modifiers()),
                           e->position().x() * u, e->position().y() * u);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      owner_->Form_Click();
  }
  void mouseDoubleClickEvent(QMouseEvent*) override { owner_->Form_DblClick(); }

 private:
  Form* owner_;
};

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {
  client_ = new FormClient(this);
  setFocusPolicy(Qt::StrongFocus);
  LayoutClient();
}

Form::~Form() {
  if (modalLoop_) modalLoop_->quit();
  if (keyPreview_ && qApp) qApp->removeEventFilter(this);
}

// ---- lifetime -----------------------------------------------------------------

void Form::Load() {
  // A window waiting to be destroyed is never loaded again: its accessor makes a new one.
  if (loaded_ || (closed_ && deleteOnUnload_)) return;
  loaded_ = true;
  closed_ = false;
  Form_Load();
}

void Form::Show() {
  Load();
  if (closed_) return;
  show();
  raise();
  activateWindow();
}

void Form::ShowModal() {
  Load();
  if (closed_) return;
  LoopScope scope;
  if (isVisible()) QWidget::setVisible(false);
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modalLoop_ = &loop;
  show();
  raise();
  activateWindow();
  if (isVisible() && !closed_) loop.exec();
  modalLoop_ = nullptr;
  setWindowModality(Qt::NonModal);
}

void Form::Hide() {
  Load();
  if (loaded_) hide();
}

void Form::setVisible(bool visible) {
  QWidget::setVisible(visible);
  if (visible) return;
  if (g_activeForm == this) g_activeForm = nullptr;
  if (modalLoop_) modalLoop_->quit();
}

bool Form::UnloadWith(int unloadMode) {
  if (!loaded_ || unloading_) return true;
  int cancel = 0;
  {
    struct Flag {
      bool& f;
      explicit Flag(bool& b) : f(b) { f = true; }
      ~Flag() { f = false; }
    } guard(unloading_);
    Form_QueryUnload(cancel, unloadMode);
    if (cancel == 0) Form_Unload(cancel);
  }
  if (cancel != 0) return false;
  loaded_ = false;
  closed_ = true;
  // An unloaded window's timers are gone in the original; they must not tick on
  // while the object waits to be destroyed.
  for (auto* t : findChildren<Timer*>()) t->SetEnabled(false);
  hide();
  emit Unloaded();
  if (deleteOnUnload_) DestroyWhenIdle(this);
  return true;
}

void Form::closeEvent(QCloseEvent* e) {
  // The close box unloads (the handlers may cancel); hiding is Unload's job.
  e->ignore();
  if (!loaded_) {
    hide();
    return;
  }
  UnloadWith(vbFormControlMenu);
}

void Form::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  LayoutClient();
  if (!e->spontaneous()) QMetaObject::invokeMethod(this, &Form::FireActivate, Qt::QueuedConnection);
}

void Form::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) FireActivate();
}

void Form::FireActivate() {
  if (!loaded_ || closed_ || !isVisible() || g_activeForm == this) return;
  QPointer<Form> previous = g_activeForm;
  g_activeForm = this;
  if (previous && previous->loaded_) previous->Form_Deactivate();
  Form_Activate();
}

void Form::QueuePaint() {
  if (paintQueued_) return;
  paintQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        paintQueued_ = false;
        if (loaded_ && !closed_) Form_Paint();
      },
      Qt::QueuedConnection);
}

// ---- geometry -----------------------------------------------------------------

int Form::FrameExtraWidth() const { return frameGeometry().width() - width(); }
int Form::FrameExtraHeight() const { return frameGeometry().height() - height(); }

int Form::MenuBarHeight() const {
  if (!menuBar_) return 0;
  bool any = false;
  for (auto* a : menuBar_->actions()) any = any || a->isVisible();
  if (!any) return 0;
  int h = menuBar_->heightForWidth(std::max(1, width()));
  return h > 0 ? h : menuBar_->sizeHint().height();
}

void Form::LayoutClient() {
  const int mb = MenuBarHeight();
  if (menuBar_) {
    menuBar_->setVisible(mb > 0);
    menuBar_->setGeometry(0, 0, width(), mb);
  }
  client_->setGeometry(0, mb, width(), std::max(0, height() - mb));
}

QMenuBar* Form::MenuBar() {
  if (!menuBar_) {
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    LayoutClient();
  }
  return menuBar_;
}

int Form::Left() const { return PixelsToTwipsX(x()); }
int Form::Top() const { return PixelsToTwipsY(y()); }
int Form::Width() const { return PixelsToTwipsX(frameGeometry().width()); }
int Form::Height() const { return PixelsToTwipsY(frameGeometry().height()); }

void Form::SetLeft(double twips) { move(TwipsToPixelsX(twips), y()); }
void Form::SetTop(double twips) { move(x(), TwipsToPixelsY(twips)); }

void Form::SetWidth(double twips) {
  resize(std::max(1, TwipsToPixelsX(twips) - FrameExtraWidth()), height());
  LayoutClient();
}

void Form::SetHeight(double twips) {
  resize(width(), std::max(1, TwipsToPixelsY(twips) - FrameExtraHeight()));
  LayoutClient();
}

void Form::Move(double left, double top, double width, double height) {
  move(TwipsToPixelsX(left), TwipsToPixelsY(top));
  if (width != kKeep) SetWidth(width);
  if (height != kKeep) SetHeight(height);
}

int Form::ScaleWidth() const {
  return static_cast<int>(RoundHalfEven(width() * platform::UnitsPerPixel(scaleMode_)));
}

int Form::ScaleHeight() const {
  return static_cast<int>(
      RoundHalfEven((height() - MenuBarHeight()) * platform::UnitsPerPixel(scaleMode_)));
}

void Form::SetClientSize(double widthTwips, double heightTwips) {
  resize(std::max(1, TwipsToPixelsX(widthTwips)),
         std::max(1, TwipsToPixelsY(heightTwips) + MenuBarHeight()));
  LayoutClient();
}

void Form::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  LayoutClient();
  if (loaded_ && !closed_) Form_Resize();
}

// ---- look and state -------------------------------------------------------------

int Form::WindowState() const {
  if (windowState() & Qt::WindowMinimized) return 1;
  if (windowState() & Qt::WindowMaximized) return 2;
  return 0;
}

void Form::SetWindowState(int state) {
  Qt::WindowStates s = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == 1) s |= Qt::WindowMinimized;
  if (state == 2) s |= Qt::WindowMaximized;
  if (state < 0 || state > 2) throw VbError(kErrInvalidPropertyValue, "WindowState");
  setWindowState(s);
}

QColor Form::BackColor() const { return client_->palette().color(QPalette::Window); }

void Form::SetBackColor(const QColor& c) {
  QPalette p = client_->palette();
  p.setColor(QPalette::Window, c);
  client_->setPalette(p);
  client_->setAutoFillBackground(true);
}

void Form::SetBorderless(bool on) {
  const bool shown = isVisible();
  setWindowFlag(Qt::FramelessWindowHint, on);
  if (shown) QWidget::setVisible(true);
}

void Form::SetAlwaysOnTop(bool on) {
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) QWidget::setVisible(true);
}

// ---- keys ---------------------------------------------------------------------

void Form::SetKeyPreview(bool on) {
  if (on == keyPreview_) return;
  keyPreview_ = on;
  if (on)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
}

bool Form::HandleKey(QKeyEvent* e) {
  int code = VbKeyCode(e->key());
  Form_KeyDown(code, VbShiftState(e->modifiers()));
  if (code == 0 && VbKeyCode(e->key()) != 0) return true;
  const QString text = e->text();
  if (text.size() == 1) {
    int ascii = text.at(0).unicode();
    Form_KeyPress(ascii);
    if (ascii == 0) return true;
  }
  return false;
}

// Whether a key event came from a control of this window (the preview saw it).
static bool FromOwnControl(const Form* form) {
  QWidget* f = QApplication::focusWidget();
  return f && f != form && f->window() == form;
}

void Form::keyPressEvent(QKeyEvent* e) {
  if (keyPreview_ && FromOwnControl(this)) {
    QWidget::keyPressEvent(e);
    return;
  }
  if (loaded_ && !closed_ && HandleKey(e)) return;
  QWidget::keyPressEvent(e);
}

bool Form::eventFilter(QObject* watched, QEvent* e) {
  // Key preview: the focused control's key reaches the window's handlers first.
  if (keyPreview_ && e->type() == QEvent::KeyPress && watched != this &&
      watched == QApplication::focusWidget()) {
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() == this && loaded_ && !closed_) return HandleKey(static_cast<QKeyEvent*>(e));
  }
  return QWidget::eventFilter(watched, e);
}

// ---- application-wide ----------------------------------------------------------

void SetMainWindow(QWidget* window) { g_mainWindow = window; }
QWidget* MainWindow() { return g_mainWindow.data(); }

int ScreenMousePointer() { return g_screenPointer; }

void SetScreenMousePointer(int pointer) {
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  g_screenPointer = pointer;
  switch (pointer) {
    case 0:
      return;
    case 11:
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      return;
    case 13:
      QGuiApplication::setOverrideCursor(Qt::BusyCursor);
      return;
    case 2:
      QGuiApplication::setOverrideCursor(Qt::CrossCursor);
      return;
    case 3:
      QGuiApplication::setOverrideCursor(Qt::IBeamCursor);
      return;
    case 99:
    case 1:
    default:
      QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
      return;
  }
}

int ScreenWidth() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? PixelsToTwipsX(s->geometry().width()) : 0;
}

int ScreenHeight() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? PixelsToTwipsY(s->geometry().height()) : 0;
}

}  // namespace platform
