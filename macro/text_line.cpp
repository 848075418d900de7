// Drawing one line of the text section on the show surface and the preview box.
#include <QPoint>
#include <cmath>
#include <vector>

#include "core/form1.h"
#include "core/state.h"
#include "macro/macro_state.h"
#include "macro/text_draw.h"
#include "platform/controls_base.h"
#include "platform/events.h"
#include "platform/picturebox.h"

namespace macro {

void DrawMacroTextLine() {
  MacroState& m = State();
  platform::PictureBox& p2 = ShowSurface();
  platform::PictureBox& p1 = PreviewBox();
  const double x2 = p2.CurrentX(), y2 = p2.CurrentY();
  const double x1 = p1.CurrentX(), y1 = p1.CurrentY();
  const QColor textColour = platform::VbColor(core::Surfaces().TextColor);
  const QString& line = m.MacroLine;

  if (m.KageMode == 1) {
    const QPoint shadow(static_cast<int>(m.ZureX), static_cast<int>(m.ZureY));
    p2.SetForeColor(platform::QBColor(0));
    DrawTextAtOffsets(p2, line, platform::QBColor(0), std::span<const QPoint>(&shadow, 1));
    p2.SetCurrentX(x2);
    p2.SetCurrentY(y2);
    p1.SetForeColor(platform::QBColor(0));
    p1.SetCurrentX(x1);
    p1.SetCurrentY(y1);
    DrawTextAtOffsets(p1, line, platform::QBColor(0), std::span<const QPoint>(&shadow, 1));
    p2.SetCurrentX(x2);
    p2.SetCurrentY(y2);
    p2.SetForeColor(textColour);
    p1.SetCurrentX(x1);
    p1.SetCurrentY(y1);
    p1.SetForeColor(textColour);
  }
  if (m.KageMode == 2 || m.KageMode == 3) {
    m.ZureX = std::min(std::abs(m.ZureX), 10.0);
    m.ZureY = std::min(std::abs(m.ZureY), 10.0);
    const QColor outline = OutlineColour(m.KageMode);
    p1.SetForeColor(outline);
    p2.SetForeColor(outline);
    const std::vector<QPoint> offsets =
        OutlineOffsets(static_cast<int>(m.ZureX), static_cast<int>(m.ZureY));
    DrawTextAtOffsets(p2, line, outline, offsets);
    p2.SetCurrentX(x2);
    p2.SetCurrentY(y2);
    DrawTextAtOffsets(p1, line, outline, offsets);
    p1.SetCurrentX(x1);
    p1.SetCurrentY(y1);
    p2.SetForeColor(textColour);
    p1.SetForeColor(textColour);
  }

  DrawTextAt(p2, line);
  DrawTextAt(p1, line);

  const short space = core::Settings().LineSpace;
  if (!line.isEmpty()) {
    p1.SetCurrentY(p1.CurrentY() + space);
    p2.SetCurrentY(p2.CurrentY() + space);
  }

  if (m.LineDelayMs > 0 && !m.MacroLineUpper.isEmpty()) {
    core::RunFlags& f = core::Flags();
    core::Form1& f1 = core::form1();
    f.LineDelayWaiting = 1;
    f1.Timer3.SetInterval(static_cast<int>(m.LineDelayMs));
    f1.Timer3.SetEnabled(true);
    do {
      platform::DoEvents();
      platform::Sleep(20);
    } while (f.LineDelayWaiting == 1 && f.ShowScreenClosed == 0 && f.ShowStopped == 0);
    if (f.ShowScreenClosed == 1) {
      f.WaitingForChoice = 0;
      f.JumpRequested = 0;
    }
    if (f.JumpRequested == 1) {
      f1.Timer3.SetEnabled(false);
      EnterExitPath();
    }
    f1.Timer3.SetEnabled(false);
  }
}

}  // namespace macro
