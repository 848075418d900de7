// Test entry: offscreen Qt, a throw-away data folder, one QApplication with the
// program's Japanese Qt texts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/dialogs.h"
#include "platform/fonts.h"

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
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new ForgetShardingInChildren);
  QApplication app(argc, argv);
  platform::InstallFontSubstitutions();
  platform::InstallQtTranslations();
  return RUN_ALL_TESTS();
}
