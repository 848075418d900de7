#pragma once
// Outlines of the picture buttons: ellipse, diamond, five-pointed star, heart, plain
// rectangle, or a polygon read from a cut-out point file (core/point_file.h reads it). An
// outline is the control's mask, so the parts outside it are neither drawn nor clickable
// and the slide shows through.
#include <QPolygon>
#include <QRegion>
#include <QString>

#include "core/point_file.h"

namespace showbuttons {

// Point lists for a button of w x h pixels, relative to its top-left corner. Angles go
// to radians with pi taken as 3.14159; coordinates round halves to even.
QPolygon RectanglePoints(double w, double h);
QPolygon EllipsePoints(double w, double h);  // 360 points
QPolygon DiamondPoints(double w, double h);
QPolygon StarPoints(double w, double h);   // 5 tips joined every second one
QPolygon HeartPoints(double w, double h);  // 461 points: two lobes and the tip

// One polygon, winding fill: the star's centre and the heart's overlapping lobes are solid.
QRegion OutlineRegion(const QPolygon& points);

// The outline operations for slot n. Each hides both copies of the slot and gives the
// outline, computed from the show copy's size, to the copy of the surface in use.
void ApplyRectangleShape(int n);
void ApplyEllipseShape(int n);
void ApplyDiamondShape(int n);
void ApplyStarShape(int n);
void ApplyHeartShape(int n);
// Also records the polygon's bounding box for the slot (9999, 9999, 0, 0 when the file is
// missing or has no tag; the control then keeps the outline it had).
void ApplyPolygonShape(int n, const QString& cutoutPointFile);

}  // namespace showbuttons
