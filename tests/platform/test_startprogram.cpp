// Starting a program from a user's command line: split by its quoting rules, never run
// by a shell, found beside the picture or in the search path.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/startprogram.h"
#include "tests/support/wait.h"

namespace {

TEST(StartProgram, TheCommandLineIsSplitByItsQuotes) {
  const struct {
    const char* line;
    QStringList parts;
  } cases[] = {
      {"prog a b", {"prog", "a", "b"}},
      {"  prog   a  ", {"prog", "a"}},
      {"prog \"two words\" x", {"prog", "two words", "x"}},
      {"prog $HOME;ls|cat", {"prog", "$HOME;ls|cat"}},
      {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform::SplitCommandLine(QString::fromUtf8(c.line)), c.parts) << c.line;
}

TEST(StartProgram, AProgramBesideThePictureStartsWithItsArguments) {
  QTemporaryDir dir;
  QFile script(dir.filePath("Rec.sh"));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.args\"\n");
  script.close();
  script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
  EXPECT_TRUE(platform::StartProgram("Rec.sh \"a b\" C", dir.path()));
  const QString args = dir.filePath("Rec.sh.args");
  ASSERT_TRUE(test_support::WaitFor(
      [&] {
        QFile f(args);
        return f.open(QIODevice::ReadOnly) && f.readAll() == "a b|C|";
      },
      30000));
  EXPECT_FALSE(platform::StartProgram("", dir.path()));
  EXPECT_FALSE(platform::StartProgram("no-such-program-42", dir.path()));
  // Found in the search path when it is not beside the picture.
  EXPECT_TRUE(platform::StartProgram("true", dir.path()));
}

}  // namespace
