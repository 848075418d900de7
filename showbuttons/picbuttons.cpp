// "PICPB", "PICPBTYPE" and "PICPBDATA".
#include "showbuttons/picbuttons.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "platform/events.h"
#include "platform/imaging.h"
#include "platform/picturebox.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/clicks.h"
#include "showbuttons/shapes.h"

namespace showbuttons {
namespace {

const QString kComment = QStringLiteral("//");

// The macro line with a "//" comment cut off: the upper-cased copy for the slot number,
// the line as written for the file names (the file system tells case apart).
struct CutLine {
  QString upper;
  QString asWritten;
};

CutLine LineWithoutComment() {
  const macro::MacroState& m = macro::State();
  CutLine line{m.MacroLineUpper, m.MacroLine};
  // Upper-casing keeps the length; should the two differ, the upper-cased copy is all.
  if (line.asWritten.size() != line.upper.size()) line.asWritten = line.upper;
  const qsizetype comment = line.upper.indexOf(kComment);
  if (comment >= 0) {
    line.upper.truncate(comment);
    line.asWritten.truncate(comment);
  }
  return line;
}

// A whole number 0..62 read from the two characters after the keyword, or -1.
int SlotNumber(const QString& upper) {
  const double v = core::SafeVal(upper.mid(5, 2));
  if (v != std::floor(v) || v < 0 || v > kLastPicButtonSlot) return -1;
  return static_cast<int>(v);
}

// The texts between two double quotes; `from` moves past the closing one.
QString QuotedText(const QString& tail, qsizetype& from) {
  const qsizetype open = tail.indexOf(QLatin1Char('"'), from);
  if (open < 0) {
    from = tail.size();
    return {};
  }
  const qsizetype close = tail.indexOf(QLatin1Char('"'), open + 1);
  if (close < 0) {
    from = open + 1;
    return {};
  }
  from = close + 1;
  return tail.mid(open + 1, close - open - 1);
}

bool HandRule(short jump, const QString& link) {
  return jump != 0 || ClassifyLink(link) != LinkKind::None;
}

// The area the show copy covers: the polygon's box for a slot last placed as a polygon
// whose file was read, otherwise its rectangle one pixel larger each way.
QRect CoveredArea(int n) {
  const core::ButtonSlots& b = core::Buttons();
  const platform::PictureBox& show = ShowCopy(n);
  const int left = PixelLeft(show), top = PixelTop(show);
  const bool boxRead = b.PicButtonShapeLefts[n] != 9999 && b.PicButtonShapeTops[n] != 9999 &&
                       b.PicButtonShapeRights[n] != 0 && b.PicButtonShapeBottoms[n] != 0;
  if (b.PicButtonShapes[n] == 999 && boxRead) {
    return QRect(left + b.PicButtonShapeLefts[n], top + b.PicButtonShapeTops[n],
                 b.PicButtonShapeRights[n] - b.PicButtonShapeLefts[n] + 1,
                 b.PicButtonShapeBottoms[n] - b.PicButtonShapeTops[n] + 1);
  }
  return QRect(left, top, ClientWidth(show) + 1, ClientHeight(show) + 1);
}

bool ShownOnShowScreen(int n) {
  return core::Buttons().PicButtonsShown[n] == 1 && core::Flags().FullScreenShowActive == 1 &&
         ShowCopy(n).Visible();
}

void RemoveButton(int n) {
  Step("hide window copy", [n] {
    WindowCopy(n).SetVisible(false);
    WindowCopy(n).ClearPicture();
  });
  Step("erase show copy", [n] {
    if (!ShownOnShowScreen(n)) return;
    platform::PictureBox& show = ShowCopy(n);
    show.SetVisible(false);
    show.ClearPicture();
    platform::DoEvents();
    RepairFromBackground(
        QRect(PixelLeft(show), PixelTop(show), ClientWidth(show) + 1, ClientHeight(show) + 1));
    platform::DoEvents();
  });
  core::Buttons().PicButtonsShown[n] = 0;
}

void ApplyOutline(int n) {
  switch (core::Buttons().PicButtonShape) {
    case 999:
      ApplyPolygonShape(n, core::Buttons().PicButtonShapeFiles[n]);
      break;
    case 1:
      ApplyEllipseShape(n);
      break;
    case 2:
      ApplyDiamondShape(n);
      break;
    case 3:
      ApplyStarShape(n);
      break;
    case 4:
      ApplyHeartShape(n);
      break;
    default:
      ApplyRectangleShape(n);
  }
}

void PlaceButton(int n, short jump, const QString& picture, const QString& link, double textLeft) {
  core::ButtonSlots& b = core::Buttons();
  core::RunFlags& f = core::Flags();
  Step("pointer", [&] {
    if (HandRule(jump, link)) {
      WindowCopy(n).setCursor(HandCursor());
      f.CursorHidden = 0;
      ShowCopy(n).setCursor(HandCursor());
      f.WaitingForChoice = 1;
      ShowMouseCursor();
      f.CursorHidden = 0;
    } else {
      WindowCopy(n).unsetCursor();
      ShowCopy(n).unsetCursor();
    }
  });
  // Only a button that is up on the show screen leaves an image to erase there.
  Step("erase old image", [n] {
    if (!ShownOnShowScreen(n)) return;
    ShowCopy(n).SetVisible(false);
    platform::DoEvents();
    RepairFromBackground(CoveredArea(n));
    platform::DoEvents();
  });
  Step("load picture", [&] {
    platform::ImagingControl loader;
    loader.LoadImageFile(ResolveCase(picture));
    const QImage image = loader.ImagePicture();
    WindowCopy(n).SetPicture(image);
    ShowCopy(n).SetPicture(image);
  });
  Step("window copy position", [&] {
    platform::PictureBox& preview = core::form1().Picture1;
    MoveToPixels(WindowCopy(n), platform::CLng(textLeft),
                 preview.ToPixels(0, preview.CurrentY()).y());
  });
  Step("show copy position", [&] {
    platform::PictureBox& p2 = engine::slidescreen().P2;
    MoveToPixels(ShowCopy(n), platform::CLng(core::Surfaces().TextOriginX + textLeft),
                 p2.ToPixels(0, p2.CurrentY()).y());
  });
  b.PicButtonJumps[n] = jump;
  b.PicButtonsShown[n] = 1;
  b.PicButtonLinks[n] = link;
  Step("outline", [n] { ApplyOutline(n); });
  b.PicButtonShapes[n] = b.PicButtonShape;
  Step("show window copy", [n] { WindowCopy(n).SetVisible(true); });
  Step("show show copy", [n] { ShowCopy(n).SetVisible(true); });
}

// The text between 1-based positions i and j (after i, before j); an error when j lies
// before i, as a negative length is.
QString Between(const QString& line, qsizetype i, qsizetype j) {
  if (j - i - 1 < 0) throw platform::VbError(platform::kErrInvalidCall, "Invalid length");
  return line.mid(i, j - i - 1);
}

}  // namespace

PicPbArgs GetPicPbArg(const QString& line) {
  PicPbArgs args;
  const qsizetype open = line.indexOf(QLatin1Char('('));
  const QString rest = open < 0 ? line : line.mid(open + 1);
  const qsizetype comma = rest.indexOf(QLatin1Char(','));
  if (comma < 0) return args;
  bool isNumber = false;
  const double value = rest.left(comma).trimmed().toDouble(&isNumber);
  if (isNumber) {
    try {
      args.number = platform::CInt(value);
    } catch (const platform::VbError&) {
      args.number = 0;
    }
  }
  const QString tail = rest.mid(comma + 1);
  qsizetype from = 0;
  args.text1 = QuotedText(tail, from);
  args.text2 = QuotedText(tail, from);
  return args;
}

void ExecPicButtonCommand(double textLeft) {
  const CutLine line = LineWithoutComment();
  const PicPbArgs args = GetPicPbArg(line.asWritten);
  const bool noPicture = args.text1.isEmpty();
  const QString picture = CompleteFileName(args.text1);
  const QString link = CompleteFileName(args.text2);
  const int n = SlotNumber(line.upper);
  if (n >= 0) {
    if (noPicture)
      RemoveButton(n);
    else
      PlaceButton(n, args.number, picture, link, textLeft);
  }
  macro::MacroState& m = macro::State();
  m.MacroLineUpper = QStringLiteral("\n");
  m.MacroLine = QStringLiteral("\n");
}

// A bare point-file name (a distribution copy's) is looked for in the linked-files folder
// first when that folder is in use: the cut-out generator writes the file there.
static QString CompletePointFileName(const QString& name) {
  const core::PathState& paths = core::Paths();
  if (!name.contains(QLatin1Char('/')) && !name.isEmpty() && paths.LinkedFilesInFolder == 1 &&
      !paths.LinkedFilesFolder.isEmpty()) {
    const QString linked = ResolveCase(paths.LinkedFilesFolder + QLatin1Char('/') + name);
    if (QFileInfo(linked).isFile()) return linked;
  }
  return CompleteFileName(name);
}

void ExecPicPbDataCommand() {
  const CutLine line = LineWithoutComment();
  const qsizetype open = line.upper.indexOf(QLatin1Char('(')) + 1;
  const qsizetype comma = line.upper.indexOf(QLatin1Char(',')) + 1;
  const qsizetype close = line.upper.lastIndexOf(QLatin1Char(')')) + 1;
  double slot = 0;
  Step("cut-out slot", [&] { slot = core::SafeVal(Between(line.upper, open, comma)); });
  QString file;
  Step("cut-out file", [&] { file = Between(line.asWritten, comma, close).trimmed(); });
  if (file.startsWith(QLatin1Char('"'))) file = file.mid(1, file.size() - 2);
  file = CompletePointFileName(file);
  // A slot beyond the 16-bit range is as far out as any slot above 62.
  const double n = platform::RoundHalfEven(slot);
  if (n > kLastPicButtonSlot) return;
  core::ButtonSlots& b = core::Buttons();
  b.PicButtonShape = 999;
  if (n >= 0) b.PicButtonShapeFiles[static_cast<int>(n)] = file;
}

void ExecPicPbTypeCommand() {
  const double v = macro::LineValue(5);
  core::Buttons().PicButtonShape =
      v >= 0 && v <= 4 ? static_cast<short>(macro::IntPlusTenth(v)) : short{0};
  macro::ConsumeLine();
}

QCursor HandCursor() {
  static const QCursor cursor = [] {
    QPixmap hand(32, 32);
    hand.fill(Qt::transparent);
    QPainter p(&hand);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(10, 1, 5, 16), 2.5, 2.5);  // index finger, up
    outline.addRoundedRect(QRectF(15, 10, 4, 9), 2, 2);      // middle finger
    outline.addRoundedRect(QRectF(19, 11, 4, 8), 2, 2);      // ring finger
    outline.addRoundedRect(QRectF(23, 12, 4, 8), 2, 2);      // little finger
    outline.addRoundedRect(QRectF(5, 13, 7, 5), 2.5, 2.5);   // thumb
    outline.addRoundedRect(QRectF(9, 15, 18, 14), 4, 4);     // palm
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(outline.simplified());
    p.end();
    return QCursor(hand, 12, 1);  // the tip of the index finger
  }();
  return cursor;
}

}  // namespace showbuttons
