#pragma once
// Clicks on the macro buttons while a macro runs: a slide list of ten slides that all
// read the same macro file, the show at slide 5, and clicks sent through the window
// system to each control once it is up, one per pass of the event loop.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <vector>

#include "engine/form24.h"
#include "platform/effectsound.h"
#include "tests/showbuttons/buttons_fixture.h"

namespace buttons_test {

// A left click in the middle of the control, as the window system delivers it.
inline void ClickOn(QWidget& w) {
  const QPointF p(w.width() / 2.0, w.height() / 2.0);
  const QPointF g = w.mapToGlobal(p);
  QMouseEvent press(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &release);
}

inline bool Up(const QWidget* w) {
  return w && w->parentWidget() && w->isVisibleTo(w->parentWidget());
}

class ClicksTest : public ButtonsTest {
 public:
  static constexpr int kSlides = 10;

  void SetUp() override {
    ButtonsTest::SetUp();
    for (int i = 1; i <= kSlides; ++i)
      core::Lists().SlidePaths[i] = dir_.filePath(QStringLiteral("slide.jpg"));
    core::Lists().SlideEndIndex = kSlides + 1;
    core::Lists().CurrentSlideIndex = 5;
    core::Flags().OperationLocked = 1;  // "LOCK" does not stop these buttons
    core::Surfaces().TextOriginX = 0;
    Picture(QStringLiteral("b.png"), 40, 30);
    clicks_.clear();
    next_ = 0;
    movieBeforeJump_ = false;
    driver_.setInterval(0);
    QObject::disconnect(&driver_, nullptr, nullptr, nullptr);
    QObject::connect(&driver_, &QTimer::timeout, [this] { Drive(); });
    driver_.start();
    // A timer of its own: the driver's click may be inside the movie window's modal loop.
    watch_.setInterval(0);
    QObject::disconnect(&watch_, nullptr, nullptr, nullptr);
    QObject::connect(&watch_, &QTimer::timeout, [this] {
      if (engine::Form24* movie = engine::Form24IfLoaded();
          movie && movie->isVisible() && core::Flags().JumpRequested == 0)
        movieBeforeJump_ = true;
    });
    watch_.start();
  }

  void TearDown() override {
    driver_.stop();
    watch_.stop();
    platform::PlayEffectSound(QString(), 0);
    if (engine::Form24* movie = engine::Form24IfLoaded()) movie->Unload();
    platform::DestroyPendingNow();
    core::Flags().OperationLocked = 0;
    ButtonsTest::TearDown();
  }

  // Clicks `target` once it is up, after the clicks asked for before it.
  void ClickWhenUp(std::function<QWidget*()> target) { clicks_.push_back(std::move(target)); }

  // The slide the show goes on with: the slide timer adds 1 to the index.
  int NextSlide() const { return core::Lists().CurrentSlideIndex + 1; }

  bool movieBeforeJump_ = false;  // a movie window was up while no jump was asked for
  int next_ = 0;

 private:
  void Drive() {
    if (next_ >= static_cast<int>(clicks_.size())) return;
    QWidget* w = clicks_[next_]();
    if (!Up(w)) return;
    ++next_;
    ClickOn(*w);
  }

  std::vector<std::function<QWidget*()>> clicks_;
  QTimer driver_;
  QTimer watch_;
};

}  // namespace buttons_test
