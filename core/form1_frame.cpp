// The main window's controls, the preview box's size and the title panel.
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "core/form1.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/events.h"

namespace core {

namespace {

constexpr int kDesignWidth = 9420;  // inner area as designed (twips)
constexpr int kDesignHeight = 7524;

TitlePanelHooks g_titlePanelHooks;

}  // namespace

QString ProgramTitle() {
  return QStringLiteral("スライドショー Ver.") + QStringLiteral(SLIDESHOW_VERSION);
}

TitlePanelHooks& TitlePanelTestHooks() { return g_titlePanelHooks; }

QStringList Form1::SoundModeCaptions() {
  return {QStringLiteral("共通音再生"),
          QStringLiteral("画像連動(WAV)再生"),
          QStringLiteral("CD再生"),
          QStringLiteral("WAV再生(1ﾌｧｲﾙ繰返し)"),
          QStringLiteral("MIDI再生(1ﾌｧｲﾙ繰返し)"),
          QStringLiteral("画像連動(MIDI)再生"),
          QStringLiteral("BGMリスト再生"),
          QStringLiteral("なし"),
          QStringLiteral("MP3再生(1ﾌｧｲﾙ繰返し)"),
          QStringLiteral("連動(MP3+WAV)再生")};
}

QStringList Form1::EffectCaptions(bool erase) {
  QStringList items{
      QStringLiteral("①上から"),     QStringLiteral("②下から"),     QStringLiteral("③左から"),
      QStringLiteral("④右から"),     QStringLiteral("⑤中央から"),   QStringLiteral("⑥外側から"),
      QStringLiteral("⑦横スリット"), QStringLiteral("⑧縦スリット"), QStringLiteral("⑨モザイク"),
      QStringLiteral("ランダム"),    QStringLiteral("順次")};
  if (erase) items << QStringLiteral("表示効果連動");
  items << QStringLiteral("なし");
  return items;
}

// The controls only: the handlers are connected by the window mainwindow/ makes.
Form1::Form1() {
  SetCaption(ProgramTitle());
  BuildLayout();
  ConnectMacroButtons();
  JoinSettingMirrors();
}

Form1::~Form1() = default;

void Form1::ConnectMacroButtons() {
  // Picture2_Click, menu1_Click .. menu5_Click, Command8_Click and Command9_Click belong
  // to the show-screen buttons.
  for (int i = 0; i < kPicButtonCount; ++i)
    connect(&Picture2(i), &platform::PictureBox::Click, this,
            [i] { ClickShowButton(ShowButton::WindowPicture, i); });
  platform::CommandButton* menus[] = {&menu1, &menu2, &menu3, &menu4, &menu5};
  for (int n = 1; n <= 5; ++n)
    connect(menus[n - 1], &platform::CommandButton::Click, this,
            [n] { ClickShowButton(ShowButton::WindowMenu, n); });
  connect(&Command8, &platform::CommandButton::Click, this,
          [] { ClickShowButton(ShowButton::WindowYes, 0); });
  connect(&Command9, &platform::CommandButton::Click, this,
          [] { ClickShowButton(ShowButton::WindowNo, 0); });
}

void Form1::BuildLayout() {
  Command4.Move(240, 0, 1110, 495);
  Command1.Move(1440, 0, 875, 495);
  Command2.Move(2400, 0, 870, 495);
  Command5.Move(3360, 0, 875, 495);
  Command7.Move(4320, 0, 875, 495);
  Command3.Move(5280, 0, 875, 495);
  Command6.Move(6240, 0, 1115, 495);
  Command10.Move(7440, 0, 780, 495);
  Command11.Move(8280, 0, 975, 495);

  Picture1.Move(240, 600, 7815, 5535);
  Picture1.SetFontName(QStringLiteral("ＭＳ ゴシック"));
  Picture1.SetFontSize(12);

  // Picture buttons are borderless children of the preview box, placed in its pixels.
  for (int i = 0; i < kPicButtonCount; ++i) {
    picture2_[i] = std::make_unique<platform::PictureBox>(&Picture1);
    picture2_[i]->SetScaleMode(platform::ScaleMode::kPixels);
    picture2_[i]->SetBorderStyle(0);
    picture2_[i]->SetAutoSize(true);
    picture2_[i]->SetVisible(false);
  }
  Picture3.SetVisible(false);

  platform::CommandButton* menus[] = {&menu1, &menu2, &menu3, &menu4, &menu5};
  for (int i = 0; i < 5; ++i) {
    menus[i]->Move(3360, 360 * i, 2175, 375);
    menus[i]->SetVisible(false);
  }
  Command8.Move(360, 1440, 615, 375);
  Command8.SetVisible(false);
  Command9.Move(1320, 1320, 615, 375);
  Command9.SetVisible(false);
  Label1.SetVisible(false);

  // Declared state of the menu tree.
  mnuGYOMI.SetVisible(false);
  mnuWAVLIST.SetVisible(false);
  mnuWAVLIST.SetEnabled(false);
  mnuICHI.SetVisible(false);
  mnuICHI.SetEnabled(false);
  mnuGAI.SetVisible(false);
  mnuGAI.SetEnabled(false);
  mnuKAHAI.SetEnabled(false);

  SetClientSize(kDesignWidth, kDesignHeight);
}

platform::PictureBox& Form1::Picture2(int index) {
  if (index < 0 || index >= kPicButtonCount)
    throw platform::VbError(platform::kErrNoArrayElement, "Control array element doesn't exist");
  return *picture2_[index];
}

int Form1::FrameTwips() const {
  return platform::PixelsToTwipsY(frameGeometry().height() - height());
}

void Form1::MeasureFrameAtLoad() {
  frameAtLoad_ = FrameTwips();
  Surfaces().FrameExtraHeight = platform::CInt(Height() - 8200);
}

void Form1::FollowFrame() {
  const int frame = FrameTwips();
  if (frame == frameAtLoad_) return;
  Surfaces().FrameExtraHeight = platform::CInt(Surfaces().FrameExtraHeight + frame - frameAtLoad_);
  frameAtLoad_ = frame;
}

void Form1::SizePreviewBox() {
  FollowFrame();
  const short extra = Surfaces().FrameExtraHeight;
  Picture1.SetWidth(Width() - 600);
  Picture1.SetHeight(Height() - 1450 - extra);
}

void Form1::ApplyLinkedWavMenuRule() {
  const ShowSettings& s = Settings();
  const bool linkedWav = s.SoundMode == 0 || s.SoundMode == 1 || s.SoundMode == 9 ||
                         (s.SoundMode == 2 && s.CdWithLinkedWavOff == 0) ||
                         (s.SoundMode == 4 && s.MidiWithLinkedWav == 1) ||
                         (s.SoundMode == 8 && s.Mp3WithLinkedWav == 1) ||
                         (s.SoundMode == 6 && s.SoundListWithLinkedWav == 1);
  mnuDOUKI.SetEnabled(linkedWav);
  mnuKOICHI.SetEnabled(linkedWav);
  if (s.SoundMode == 5) {
    mnuDOUKI.SetEnabled(false);
    mnuKOICHI.SetEnabled(true);
  }
}

// ---- title panel --------------------------------------------------------------------------

namespace {

QString NoticeText() {
  return QStringLiteral("Copyright (C) スライドショー制作グループ  ") +
         platform::Date().toString(QStringLiteral("yyyy/MM/dd")).left(4);
}

// What the display shows of a colour drawn at a point: on a palette display of 256
// colours or fewer the panel's colour cannot be shown and comes back white or grey.
long ShownColour(const platform::PictureBox& box, double x, double y) {
  if (g_titlePanelHooks.forcedCheckColour) return *g_titlePanelHooks.forcedCheckColour;
  QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
  if (screen && screen->depth() <= 8) return 0xFFFFFF;
  return box.Point(x, y);
}

void PrintAt(platform::PictureBox& box, double x, double y, const QString& text,
             const QColor& colour) {
  box.SetCurrentX(x);
  box.SetCurrentY(y);
  box.SetForeColor(colour);
  box.Print(text);
}

}  // namespace

void DrawTitlePanel() {
  // Its animation runs events, which may bring the paint that would start it again.
  static bool drawing = false;
  if (Flags().TitlePanelDone == 1 || drawing) return;
  drawing = true;
  struct Done {
    ~Done() { drawing = false; }
  } done;
  Form1& f = form1();
  platform::PictureBox& box = f.Picture1;
  const double x0 = 1000, y0 = 1200;

  box.SetScaleMode(platform::ScaleMode::kTwips);
  platform::SetScreenMousePointer(11);

  box.Line(x0 + 1016, y0 + 716, x0 + 3984, y0 + 2684, platform::RGB(230, 230, 250),
           platform::PictureBox::LineKind::kFilledBox);
  box.Line(x0 + 1000, y0 + 700, x0 + 4000, y0 + 2700, platform::RGB(0, 0, 0),
           platform::PictureBox::LineKind::kBox);

  const long shown = ShownColour(box, x0 + 2000, y0 + 2000);
  platform::DoEvents();
  if (shown == 0xFFFFFF || shown == 0x808080) {
    platform::SetScreenMousePointer(0);
    platform::MsgBox(QStringLiteral("２５６色以下の環境では使用できません。\r\n"
                                    "カラーパレットを High Color以上に設定してください。"),
                     platform::vbCritical);
    EndProgramNow();
    return;
  }

  const QColor grey = platform::RGB(150, 150, 150);
  for (int i = 1084; i <= 4010; i += 30) {
    box.Line(x0 + i, y0 + 2716, x0 + 5500, y0 + 3184, grey);
    platform::DoEvents();
  }
  for (int i = 1008; i <= 3020; i += 14) {
    box.Line(x0 + 4016, y0 + i - 300, x0 + 5500, y0 + 3184, grey);
    platform::DoEvents();
  }
  box.Line(x0 + 1000, y0 + 2700, x0 + 5516, y0 + 3200, platform::RGB(0, 0, 0));
  box.Line(x0 + 4000, y0 + 700, x0 + 5516, y0 + 3200, platform::RGB(0, 0, 0));

  const QString title = QStringLiteral("スライドショー");
  box.SetFontSize(35);
  for (int i = 100; i >= 1; --i)
    PrintAt(box, x0 + 400 + i, y0 + 1000 + i, title, platform::RGB(20, 20, 20));
  PrintAt(box, x0 + 400, y0 + 1000, title, platform::RGB(150, 150, 255));

  const QString version = QStringLiteral("Version ") + QStringLiteral(SLIDESHOW_VERSION);
  box.SetFontSize(18);
  for (int i = 50; i >= 1; --i)
    PrintAt(box, x0 + 1600 + i, y0 + 2100 + i, version, platform::RGB(80, 80, 80));
  PrintAt(box, x0 + 1600, y0 + 2100, version, platform::QBColor(11));

  const QString notice = NoticeText();
  box.SetFontSize(10);
  PrintAt(box, x0 + 3200, y0 + 3600, notice, platform::RGB(30, 30, 30));

  // The hold lets no events run; the panel is painted once so that it is on screen.
  box.Refresh();
  if (g_titlePanelHooks.onHold) g_titlePanelHooks.onHold();
  const double t0 = platform::TimeOfDaySeconds();
  double wrap = 0;
  double last = t0;
  for (;;) {
    const double now = platform::TimeOfDaySeconds();
    if (now < last) wrap = 86400;  // after midnight the time of day starts again at 0
    last = now;
    if (now + wrap - t0 >= g_titlePanelHooks.holdSeconds) break;
    PrintAt(box, x0 + 3200, y0 + 3600, notice, platform::RGB(30, 30, 30));
    platform::Sleep(10);
  }

  Flags().TitlePanelDone = 1;
  platform::SetScreenMousePointer(0);
  Settings().MosaicDelayAdjust = 0;
  box.SetFontSize(12);
  box.SetScaleMode(platform::ScaleMode::kPixels);
  box.Cls();
}

}  // namespace core

namespace core {

namespace {
platform::FormSlot<Form1>& Form1Slot() {
  static platform::FormSlot<Form1> slot([] { return Windows().MakeMainWindow(); });
  return slot;
}
}  // namespace

Form1& form1() { return Form1Slot().Get(); }
Form1* Form1IfLoaded() { return Form1Slot().IfLoaded(); }

}  // namespace core
