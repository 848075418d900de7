#pragma once
// Stand-in desktop tools on PATH: small scripts that write each call's arguments to one log
// and exit with the status the case asks for. PATH and XDG_CURRENT_DESKTOP are restored when
// the object goes.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace test_support {

class FakeTools {
 public:
  FakeTools()
      : oldPath_(qgetenv("PATH")),
        oldDesktop_(qgetenv("XDG_CURRENT_DESKTOP")),
        hadDesktop_(qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP")) {
    // Only the fakes: a real tool of this machine is never run.
    qputenv("PATH", dir_.path().toLocal8Bit());
  }
  ~FakeTools() {
    qputenv("PATH", oldPath_);
    if (hadDesktop_) {
      qputenv("XDG_CURRENT_DESKTOP", oldDesktop_);
    } else {
      qunsetenv("XDG_CURRENT_DESKTOP");
    }
  }
  FakeTools(const FakeTools&) = delete;
  FakeTools& operator=(const FakeTools&) = delete;

  // A tool `name` that logs "name arg1 arg2 ..." and prints `output`, exiting with `status`.
  void Add(const QString& name, int status = 0, const QByteArray& output = {}) {
    QFile script(dir_.filePath(name));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"${0##*/} $*\" >> '" + Log().toLocal8Bit() + "'\nprintf '%s' '" +
                 output + "'\nexit " + QByteArray::number(status) + "\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
  }
  static void SetDesktop(const QByteArray& desktop) { qputenv("XDG_CURRENT_DESKTOP", desktop); }

  // The logged calls, one a line.
  QStringList Calls() const {
    QFile f(Log());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
  }
  void ClearCalls() const { QFile::remove(Log()); }

 private:
  QString Log() const { return dir_.filePath(QStringLiteral("calls.log")); }
  QTemporaryDir dir_;
  QByteArray oldPath_;
  QByteArray oldDesktop_;
  bool hadDesktop_;
};

}  // namespace test_support
