// The six outline operations and the cut-out point file reader.
#include "showbuttons/shapes.h"

#include <cmath>

#include "core/common.h"
#include "core/state.h"
#include "platform/picturebox.h"
#include "showbuttons/button_controls.h"

namespace showbuttons {
namespace {

// The original's pi; the points of the outlines depend on it.
constexpr double kPi = 3.14159;

double Radians(double degrees) { return degrees * kPi / 180; }

QPoint Rounded(double x, double y) { return QPoint(platform::CLng(x), platform::CLng(y)); }

// A point on the ellipse inscribed in w x h at `degrees` (y runs downwards).
QPoint OnEllipse(double degrees, double w, double h) {
  const double t = Radians(degrees);
  return Rounded(std::cos(t) * w / 2 + w / 2, std::sin(t) * h / 2 + h / 2);
}

// A mask that shows nothing: an empty region would remove the mask instead.
QRegion NothingShown() { return QRegion(-1, -1, 1, 1); }

void HideBothCopies(int n) {
  Step("hide show copy", [n] { ShowCopy(n).SetVisible(false); });
  Step("hide window copy", [n] { WindowCopy(n).SetVisible(false); });
}

void SetOutline(int n, const QPolygon& points) {
  const QRegion region = OutlineRegion(points);
  CopyInUse(n).setMask(region.isEmpty() ? NothingShown() : region);
}

// The geometric outlines are computed from the show copy's size on either surface.
template <class Points>
void ApplyGeometricShape(int n, Points points) {
  HideBothCopies(n);
  const platform::PictureBox& show = ShowCopy(n);
  SetOutline(n, points(ClientWidth(show), ClientHeight(show)));
}

}  // namespace

QPolygon RectanglePoints(double w, double h) {
  return QPolygon({Rounded(0, 0), Rounded(w, 0), Rounded(w, h), Rounded(0, h)});
}

QPolygon EllipsePoints(double w, double h) {
  QPolygon points;
  points.reserve(360);
  for (int degrees = 0; degrees < 360; ++degrees) points << OnEllipse(degrees, w, h);
  return points;
}

QPolygon DiamondPoints(double w, double h) {
  return QPolygon({Rounded(w / 2, 0), Rounded(0, h / 2), Rounded(w / 2, h), Rounded(w, h / 2)});
}

QPolygon StarPoints(double w, double h) {
  QPolygon points;
  for (int degrees = 270; degrees <= 846; degrees += 144) points << OnEllipse(degrees, w, h);
  return points;
}

QPolygon HeartPoints(double w, double h) {
  QPolygon points;
  points.reserve(461);
  // Right lobe from its inner point over its top, down to 49 degrees.
  for (int degrees = 180; degrees <= 409; ++degrees) {
    const double t = Radians(degrees);
    points << Rounded(std::cos(t) * w * 1.1 / 4 + w * 3 / 4 - w * 0.1 / 4,
                      std::sin(t) * h / 3 + h / 3);
  }
  points << Rounded(w / 2, h);  // the tip
  // Left lobe from 131 degrees over its top to its inner point.
  for (int degrees = 131; degrees <= 360; ++degrees) {
    const double t = Radians(degrees);
    points << Rounded(std::cos(t) * w * 1.1 / 4 + w / 4 + w * 0.1 / 4, std::sin(t) * h / 3 + h / 3);
  }
  return points;
}

QRegion OutlineRegion(const QPolygon& points) { return QRegion(points, Qt::WindingFill); }

void ApplyRectangleShape(int n) { ApplyGeometricShape(n, RectanglePoints); }
void ApplyEllipseShape(int n) { ApplyGeometricShape(n, EllipsePoints); }
void ApplyDiamondShape(int n) { ApplyGeometricShape(n, DiamondPoints); }
void ApplyStarShape(int n) { ApplyGeometricShape(n, StarPoints); }
void ApplyHeartShape(int n) { ApplyGeometricShape(n, HeartPoints); }

void ApplyPolygonShape(int n, const QString& cutoutPointFile) {
  core::ButtonSlots& b = core::Buttons();
  b.PicButtonShapeLefts[n] = 9999;
  b.PicButtonShapeTops[n] = 9999;
  b.PicButtonShapeRights[n] = 0;
  b.PicButtonShapeBottoms[n] = 0;
  HideBothCopies(n);
  const core::CutoutPoints polygon = core::ReadCutoutPointFile(cutoutPointFile);
  if (!polygon.tagged) return;
  b.PicButtonShapeLefts[n] = polygon.left;
  b.PicButtonShapeTops[n] = polygon.top;
  b.PicButtonShapeRights[n] = polygon.right;
  b.PicButtonShapeBottoms[n] = polygon.bottom;
  if (polygon.points.size() < 3)
    qCWarning(lcButtons) << "cut-out outline of fewer than three points:" << cutoutPointFile;
  SetOutline(n, polygon.points);
}

}  // namespace showbuttons
