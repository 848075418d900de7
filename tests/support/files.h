#pragma once
// Files as the tests make and read them: bytes in, bytes out, in a folder of the case's own.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace test_support {

// The bytes of a file; none when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

// A case with a temporary folder of its own.
class TempFolderTest : public ::testing::Test {
 protected:
  // Writes `bytes` as `name` in the folder; returns its path.
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  QTemporaryDir dir_;
};

}  // namespace test_support
