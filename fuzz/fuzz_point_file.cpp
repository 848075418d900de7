// The cut-out point file reader on any bytes, and the round trip of what it reads: the
// points written by the one writer read back as the same points, and writing them again
// gives the same bytes.
#include <algorithm>

#include "core/point_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString input = fuzz::Dirs().Docs() + QStringLiteral("input.dat");
  fuzz::WriteFile(input, fuzz::Bytes(data, size));
  const core::CutoutPoints read = core::ReadCutoutPointFile(input);
  if (!read.opened) fuzz::Fail("an existing point file did not open");
  if (read.points.size() > core::kMaxCutoutPoints) fuzz::Fail("more points than the limit");
  if (!read.tagged) {
    if (!read.points.isEmpty()) fuzz::Fail("points from a file without the tag");
    return 0;
  }
  short left = 9999, top = 9999, right = 0, bottom = 0;
  for (const QPoint& p : read.points) {
    left = std::min<short>(left, p.x());
    top = std::min<short>(top, p.y());
    right = std::max<short>(right, p.x());
    bottom = std::max<short>(bottom, p.y());
  }
  if (left != read.left || top != read.top || right != read.right || bottom != read.bottom)
    fuzz::Fail("the bounding box does not hold the points");

  const QString saved = fuzz::Dirs().Docs() + QStringLiteral("saved.dat");
  if (!core::WriteCutoutPointFile(saved, read.points)) fuzz::Fail("a point file was not saved");
  const QByteArray first = fuzz::ReadFile(saved);
  const core::CutoutPoints again = core::ReadCutoutPointFile(saved);
  if (!again.tagged || again.points != read.points)
    fuzz::Fail("a saved point file does not read back to the same points");
  if (!core::WriteCutoutPointFile(saved, again.points)) fuzz::Fail("a point file was not saved");
  const QByteArray second = fuzz::ReadFile(saved);
  if (first != second) {
    fuzz::ReportDifference(first, second);
    fuzz::Fail("a saved point file does not save again to the same bytes");
  }
  return 0;
}
