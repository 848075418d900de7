// Test entry: offscreen Qt, a throw-away data folder, one QApplication with the
// program's Japanese Qt texts, and core's services filled as the program fills them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>

#include "mainwindow/mainwindow.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/swallowed.h"

namespace {
// Sharding is decided before environments are set up; clearing the variables then keeps
// the child processes that some tests start from being sharded away from their one test.
class ForgetShardingInChildren : public ::testing::Environment {
 public:
  void SetUp() override {
    qunsetenv("GTEST_TOTAL_SHARDS");
    qunsetenv("GTEST_SHARD_INDEX");
  }
};
// The tests that expect a step of the product to swallow an error (tests/
// swallowed_expected.txt, one "Suite.Name" a line). In any other test a swallowed error
// fails the test. SLIDESHOW_LIST_SWALLOWED=1 prints the tests that swallow one instead.
QSet<QString> ExpectedSwallowers() {
  QSet<QString> names;
  QFile file(QStringLiteral(SWALLOWED_EXPECTED));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return names;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) names.insert(line);
  }
  return names;
}

void FailOnUnexpectedSwallowedErrors() {
  static const QSet<QString> expected = ExpectedSwallowers();
  static const bool listing = qEnvironmentVariableIntValue("SLIDESHOW_LIST_SWALLOWED") == 1;
  platform::SetSwallowedErrorRule([](const char* step, const std::exception& error) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return;  // outside a test
    const QString name = QStringLiteral("%1.%2").arg(QString::fromUtf8(test->test_suite_name()),
                                                     QString::fromUtf8(test->name()));
    if (expected.contains(name)) return;
    if (listing) {
      std::printf("SWALLOWED-IN %s\n", qUtf8Printable(name));
      return;
    }
    ADD_FAILURE() << "a step swallowed an error the test does not expect: " << step << ": "
                  << error.what();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new ForgetShardingInChildren);
  platform::Application app(argc, argv);
  // An error that escapes a handler is a fault of the product's code.
  platform::SetEscapedErrorRule([](const QString& what) {
    ADD_FAILURE() << "an error escaped a handler: " << what.toStdString();
  });
  platform::InstallFontSubstitutions();
  platform::InstallQtTranslations();
  mainwindow::Register();
  FailOnUnexpectedSwallowedErrors();
  return RUN_ALL_TESTS();
}
