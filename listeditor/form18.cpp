// The picture search's type chooser.
#include "listeditor/form18.h"

#include "core/monitors.h"
#include "core/state.h"

namespace listeditor {

namespace {

const char* const kTypes[Form18::kTypeCount] = {
    "BMP", "JPG", "JFF", "JTF", "TIF", "TGA", "PCX", "CAL", "MAC", "IMG", "MSP", "WPG",
    "RAS", "PCT", "PCD", "EPS", "PSD", "CMP", "PNG", "MP4", "WMV", "MOV", "AVI"};

// Ticked at every opening: the usual pictures and every movie.
bool TickedAtOpening(const QString& type) {
  static const QStringList ticked{
      QStringLiteral("BMP"), QStringLiteral("JPG"), QStringLiteral("PNG"), QStringLiteral("MP4"),
      QStringLiteral("WMV"), QStringLiteral("MOV"), QStringLiteral("AVI")};
  return ticked.contains(type);
}

}  // namespace

short& SearchWindowsDir() {
  static short value = 0;
  return value;
}

Form18::Form18() {
  SetCaption(QStringLiteral("画像・動画ﾌｧｲﾙ検索"));
  SetClientSize(6480, 3960);
  Label1.SetWordWrap(true);
  Label1.Move(120, 120, 6240, 255);
  Frame1.Move(120, 480, 6240, 2175);
  // Six boxes to a row; PNG opens the last row, the four movies end it after their mark.
  for (int i = 0; i < kTypeCount; ++i) {
    auto box = std::make_unique<platform::CheckBox>(&Frame1, QString::fromLatin1(kTypes[i]));
    const int row = i < 19 ? i / 6 : 3;
    const int column = i < 19 ? i % 6 : 2 + (i - 19);
    box->Move(240 + 1000 * column, 360 + 420 * row, 900, 315);
    check1_[static_cast<size_t>(i)] = std::move(box);
  }
  Label2.Move(1140, 360 + 420 * 3 + 30, 900, 255);
  Check2.Move(120, 2760, 3000, 255);
  Check2.SetVisible(false);
  Command1.Move(120, 3300, 1455, 495);
  Command2.Move(1680, 3300, 1215, 495);
  Command3.Move(3780, 3300, 1215, 495);
  Command4.Move(5100, 3300, 1215, 495);
  connect(&Command1, &platform::CommandButton::Click, this, &Form18::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form18::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form18::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form18::Command4_Click);
  for (int i = 0; i < kTypeCount; ++i)
    Check1(i).SetValue(TickedAtOpening(Check1(i).Caption()) ? 1 : 0);
}

platform::CheckBox& Form18::Check1(int index) {
  if (index < 0 || index >= kTypeCount)
    throw platform::VbError(platform::kErrNoArrayElement,
                            QStringLiteral("Control array element does not exist"));
  return *check1_[static_cast<size_t>(index)];
}

void Form18::Form_Load() {
  platform::TryStep([this] {
    Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  });
  core::Paths().SearchPattern.clear();
}

void Form18::Form_Activate() {
  platform::TryStep([this] { core::CentreOnMainMonitor(this); });
}

void Form18::Command1_Click() {
  for (int i = 0; i < kTypeCount; ++i) Check1(i).SetValue(1);
}

void Form18::Command2_Click() {
  for (int i = 0; i < kTypeCount; ++i) Check1(i).SetValue(0);
}

void Form18::Command3_Click() {
  QString& pattern = core::Paths().SearchPattern;
  pattern.clear();
  for (int i = 0; i < kTypeCount; ++i) {
    if (Check1(i).Value() != 1) continue;
    if (!pattern.isEmpty()) pattern += QLatin1Char(';');
    pattern += QStringLiteral("*.") + Check1(i).Caption();
  }
  SearchWindowsDir() = Check2.Value() == 1 ? 1 : 0;
  Unload();
}

void Form18::Command4_Click() {
  core::Paths().SearchPattern.clear();
  Unload();
}

namespace {
platform::FormSlot<Form18>& Form18Slot() {
  static platform::FormSlot<Form18> slot;
  return slot;
}
}  // namespace

Form18& form18() { return Form18Slot().Get(); }
Form18* Form18IfLoaded() { return Form18Slot().IfLoaded(); }

}  // namespace listeditor
