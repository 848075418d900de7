// The cursor's display count: hidden below 0, shown again at 0, and in step with a
// pointer that someone else brought back.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

#include "platform/cursor.h"

namespace {

bool Blank() {
  const QCursor* c = QGuiApplication::overrideCursor();
  return c && c->shape() == Qt::BlankCursor;
}

TEST(CursorCount, HiddenWhileTheCountIsBelowZero) {
  ASSERT_EQ(platform::CursorDisplayCount(), 0);
  EXPECT_EQ(platform::ShowCursor(true), 1);
  EXPECT_FALSE(Blank());
  EXPECT_EQ(platform::ShowCursor(false), 0);
  EXPECT_FALSE(Blank());
  EXPECT_EQ(platform::ShowCursor(false), -1);
  EXPECT_TRUE(Blank());
  EXPECT_EQ(platform::ShowCursor(false), -2);
  EXPECT_EQ(platform::ShowCursor(true), -1);
  EXPECT_TRUE(Blank());
  EXPECT_EQ(platform::ShowCursor(true), 0);
  EXPECT_FALSE(Blank());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(CursorCount, APointerBroughtBackElsewhereCountsAsShown) {
  EXPECT_EQ(platform::ShowCursor(false), -1);
  ASSERT_TRUE(Blank());
  QGuiApplication::restoreOverrideCursor();  // as the show window's unload does
  EXPECT_EQ(platform::CursorDisplayCount(), 0);
  // So the next hide hides at once.
  EXPECT_EQ(platform::ShowCursor(false), -1);
  EXPECT_TRUE(Blank());
  EXPECT_EQ(platform::ShowCursor(true), 0);
  EXPECT_FALSE(Blank());
}

}  // namespace
