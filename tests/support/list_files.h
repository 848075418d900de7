#pragma once
// The program's list files as a test reads and writes them: code page 932 with CR LF.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include "platform/cp932.h"
#include "platform/menu.h"
#include "tests/support/files.h"

namespace test_support {

// The lines of a CP932 CR LF file.
inline QStringList ReadLines(const QString& path) {
  QStringList lines = platform::FromCp932(ReadBytes(path)).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// Writes `lines` as a CP932 file, each ended by CR LF.
inline void WriteLines(const QString& path, const QStringList& lines) {
  bool ok = false;
  const QByteArray bytes = platform::ToCp932(lines.join(QStringLiteral("\r\n")) + "\r\n", &ok);
  ASSERT_TRUE(ok);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A file a case reads: its lines, or no file at all.
struct FileCase {
  const char* name;
  QStringList lines;
  bool write = true;  // false: no file

  // Puts the case's file at `path`, or removes what is there.
  void WriteTo(const QString& path) const {
    QFile::remove(path);
    if (write) WriteLines(path, lines);
  }
};

// The item a menu array shows ticked, or -1; -2 when more than one is ticked.
inline int Ticked(platform::MenuArray& menu) {
  int found = -1;
  for (int i = 0; i < menu.Count(); ++i) {
    if (!menu[i].Checked()) continue;
    if (found >= 0) return -2;
    found = i;
  }
  return found;
}

}  // namespace test_support
