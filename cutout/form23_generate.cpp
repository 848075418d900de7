// Stand-ins for the macro generation until its patterns are built: "マクロ生成" saves the
// outline to the slot's point file, "コピー" and the number input do the least.
#include "cutout/form23.h"

namespace cutout {

void Form23::Command3_Click() {
  if (!SavePlotToPointFile()) return;
  PlotEdited = 0;
}

void Form23::Command4_Click() {}

QString Form23::Call_InputBox_IsNumeric(const QString& prompt, const QString& title, int def,
                                        int min, int max) {
  (void)prompt, (void)title, (void)min, (void)max;
  return (def < 0 ? QString() : QStringLiteral(" ")) + QString::number(def);
}

}  // namespace cutout
