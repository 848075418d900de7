#pragma once
// A real, tiny file system for saves that run out of space: a tmpfs mounted over a
// temporary folder. Only root can mount; the cases skip otherwise.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace test_support {

class SmallDisk {
 public:
  explicit SmallDisk(int kilobytes) {
    if (geteuid() != 0) {
      why_ = "mounting a small file system needs root";
      return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs", 0, options.constData()) !=
        0) {
      why_ = "this machine refused to mount a tmpfs";
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_) umount2(dir_.path().toLocal8Bit().constData(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const char* WhyNot() const { return why_; }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // Takes up all the space left with a file of its own.
  void Fill() const {
    QFile f(Path("filler"));
    if (!f.open(QIODevice::WriteOnly)) return;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size() && f.flush()) {
    }
  }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
  const char* why_ = "";
};

}  // namespace test_support
