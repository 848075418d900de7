// Plotting the outline by mouse presses, the red marks, and the tools that redraw it:
// clear, take back, rectangle, circle, enlarge, shrink and the four shifts.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/point_file.h"
#include "cutout/form23.h"
#include "cutout/form23_support.h"
#include "platform/dialogs.h"
#include "platform/picturefile.h"
#include "platform/vberror.h"

namespace cutout {

namespace {

const QColor kMarkColour(255, 0, 0);
constexpr int kDotRadius = 3;
constexpr int kShiftStep = 10;

}  // namespace

std::vector<QPointF> ScalePoints(const std::vector<QPointF>& points, float& factor) {
  if (points.empty()) return {};
  float minX = static_cast<float>(points[0].x()), maxX = minX;
  float minY = static_cast<float>(points[0].y()), maxY = minY;
  for (const QPointF& p : points) {
    minX = std::min(minX, static_cast<float>(p.x()));
    maxX = std::max(maxX, static_cast<float>(p.x()));
    minY = std::min(minY, static_cast<float>(p.y()));
    maxY = std::max(maxY, static_cast<float>(p.y()));
  }
  const float cx = (minX + maxX) / 2;
  const float cy = (minY + maxY) / 2;
  // A small outline is not shrunk further; enlarging always works.
  if (std::fabs(maxX - minX) < 20 && std::fabs(maxY - minY) < 20 && factor < 1) factor = 1;
  std::vector<QPointF> result;
  result.reserve(points.size());
  for (const QPointF& p : points) {
    const float x = cx + (static_cast<float>(p.x()) - cx) * factor;
    const float y = cy + (static_cast<float>(p.y()) - cy) * factor;
    result.emplace_back(x, y);
  }
  return result;
}

QPolygon Form23::PlottedPoints() const {
  QPolygon points;
  points.reserve(PlotCount);
  for (int i = 1; i <= PlotCount; ++i)
    points << QPoint(platform::CInt(PlotX[i]), platform::CInt(PlotY[i]));
  return points;
}

// ---- the mouse -----------------------------------------------------------------------------

void Form23::Picture1_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
  NewPointX = platform::CInt(x);
  NewPointY = platform::CInt(y);
  PlotEdited = 1;
}

bool Form23::Picture1_Click() {
  // The list has room for kMaxPlotPoints; nothing is stored past it.
  if (PlotCount >= kMaxPlotPoints) return false;
  const int x = NewPointX, y = NewPointY;
  {
    QPainter p(&Picture1.Canvas());
    p.setPen(kMarkColour);
    p.setBrush(kMarkColour);
    p.drawEllipse(QPoint(x, y), kDotRadius, kDotRadius);
  }
  Picture1.Invalidate(
      QRect(x - kDotRadius - 1, y - kDotRadius - 1, 2 * kDotRadius + 3, 2 * kDotRadius + 3));
  if (PlotCount == 0) {
    PlotLeft = PlotRight = NewPointX;
    PlotTop = PlotBottom = NewPointY;
  }
  PlotLeft = std::min(PlotLeft, NewPointX);
  PlotRight = std::max(PlotRight, NewPointX);
  PlotTop = std::min(PlotTop, NewPointY);
  PlotBottom = std::max(PlotBottom, NewPointY);
  if (LastPlotX >= 0 && LastPlotY >= 0)
    Picture1.Line(LastPlotX, LastPlotY, NewPointX, NewPointY, kMarkColour);
  LastPlotX = NewPointX;
  LastPlotY = NewPointY;
  ++PlotCount;
  PlotX[PlotCount] = NewPointX;
  PlotY[PlotCount] = NewPointY;
  return true;
}

void Form23::Picture1_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  Label3.SetCaption(core::SignedNumberText(platform::CLng(x)) + u',' +
                    core::SignedNumberText(platform::CLng(y)) + QStringLiteral("px"));
}

// ---- redrawing ------------------------------------------------------------------------------

void Form23::ReloadPicture() {
  // The prepared picture is upright JPEG or BMP, so the plain loader reads it. Should the
  // file have gone meanwhile, the picture as last loaded erases the marks just as well.
  try {
    shownPicture_ = platform::LoadPicture(CutoutPicturePath);
  } catch (const std::exception& e) {
    platform::LogSwallowed("cut-out picture reload", e);
  }
  Picture1.SetPicture(shownPicture_);
}

void Form23::ResetScene() {
  ReloadPicture();
  LastPlotX = -1;
  LastPlotY = -1;
  PlotCount = 0;
}

void Form23::Replot(const QPolygon& points) {
  ResetScene();
  PlotPoints(points);
}

void Form23::PlotPoints(const QPolygon& points) {
  for (const QPoint& p : points) {
    NewPointX = static_cast<short>(p.x());
    NewPointY = static_cast<short>(p.y());
    if (!Picture1_Click()) break;
  }
}

// ---- tools ------------------------------------------------------------------------------------

void Form23::Command1_Click() {
  ReloadPicture();
  LastPlotX = -1;
  LastPlotY = -1;
  PlotCount = 0;
  PlotX.fill(-1);
  PlotY.fill(-1);
  PlotSourceFile.clear();
}

void Form23::Command12_Click() {
  PlotEdited = 1;
  QPolygon points = PlottedPoints();
  if (!points.isEmpty()) {
    PlotX[PlotCount] = -1;
    PlotY[PlotCount] = -1;
    points.removeLast();
  }
  Replot(points);
}

void Form23::Command13_Click() {
  if (PlotCount != 2) {
    platform::MsgBox(QStringLiteral("四角の対角線を２点のみプロットしてから実行してください。"),
                     platform::vbExclamation, QStringLiteral("四角に切取"));
    return;
  }
  PlotEdited = 1;
  const QPolygon two = PlottedPoints();
  const int x1 = two[0].x(), y1 = two[0].y(), x2 = two[1].x(), y2 = two[1].y();
  ResetScene();
  PlotX.fill(-1);
  PlotY.fill(-1);
  // The first corner again at the end draws the rectangle closed.
  PlotPoints(QPolygon({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}}));
}

void Form23::Command14_Click() {
  if (PlotCount != 2) {
    platform::MsgBox(QStringLiteral("円の直径を２点のみプロットしてから実行してください。"),
                     platform::vbExclamation, QStringLiteral("円に切取"));
    return;
  }
  PlotEdited = 1;
  const QPolygon two = PlottedPoints();
  const double x1 = two[0].x(), y1 = two[0].y(), x2 = two[1].x(), y2 = two[1].y();
  // The sums are 16-bit; every point is computed before the old outline is dropped, so an
  // overflow leaves the two points as they were.
  const double cx = platform::CInt(x1 + x2) / 2.0;
  const double cy = platform::CInt(y1 + y2) / 2.0;
  const double d = std::sqrt((y2 - y1) * (y2 - y1) + (x2 - x1) * (x2 - x1));
  QPolygon circle;
  circle.reserve(360);
  for (int i = 0; i < 360; ++i) {
    const double a = i * (3.14159265358979 / 180);
    circle << QPoint(platform::CInt(d / 2 * std::cos(a) + cx),
                     platform::CInt(d / 2 * std::sin(a) + cy));
  }
  ResetScene();
  PlotX.fill(-1);
  PlotY.fill(-1);
  PlotPoints(circle);
}

void Form23::Scale(float factor) {
  PlotEdited = 1;
  const int n = PlotCount;
  ResetScene();
  if (n == 0) return;
  std::vector<QPointF> points;
  points.reserve(n);
  for (int i = 1; i <= n; ++i) points.emplace_back(PlotX[i], PlotY[i]);
  const std::vector<QPointF> scaled = ScalePoints(points, factor);
  const bool enlarging = factor > 1;
  QPolygon replot;
  replot.reserve(n);
  for (int i = 1; i <= n; ++i) {
    float x = static_cast<float>(scaled[i - 1].x());
    float y = static_cast<float>(scaled[i - 1].y());
    // Enlarging stops at the picture's edges: repeated presses would otherwise run the
    // points out of the 16-bit range.
    if (enlarging) {
      x = std::clamp(x, 0.0f, static_cast<float>(PictureWidth()));
      y = std::clamp(y, 0.0f, static_cast<float>(PictureHeight()));
    }
    PlotX[i] = x;
    PlotY[i] = y;
    replot << QPoint(platform::CInt(x), platform::CInt(y));
  }
  PlotPoints(replot);
}

void Form23::Command10_Click() { Scale(1.1f); }

void Form23::Command11_Click() { Scale(static_cast<float>(1 / 1.1)); }

void Form23::ShiftBy(int dx, int dy) {
  PlotEdited = 1;
  QPolygon points = PlottedPoints();
  for (QPoint& p : points) {
    // A shift past the 16-bit range would fail half-way; the outline stays as it is.
    if (p.x() + dx < -32768 || p.x() + dx > 32767 || p.y() + dy < -32768 || p.y() + dy > 32767)
      throw platform::VbError(platform::kErrOverflow, QStringLiteral("outline shifted too far"));
    p += QPoint(dx, dy);
  }
  Replot(points);
}

void Form23::Command6_Click() { ShiftBy(0, -kShiftStep); }
void Form23::Command7_Click() { ShiftBy(0, kShiftStep); }
void Form23::Command8_Click() { ShiftBy(kShiftStep, 0); }
void Form23::Command9_Click() { ShiftBy(-kShiftStep, 0); }

}  // namespace cutout
