// The slide list window: its controls, loading, placement, resizing and closing, the
// commit and the cancel, the double-click options and the click guard.
#include "listeditor/form3.h"

#include <QFocusEvent>

#include "core/common.h"
#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "listeditor/picture_tools.h"
#include "platform/dialogs.h"

namespace listeditor {

const QString kSlidePatterns = QStringLiteral(
    "*.png;*.psd;*.bmp;*.jpg;*.jff;*.jtf;*.tif;*.tga;*.pcx;*.cal;*.mac;*.img;*.msp;*.wpg;"
    "*.ras;*.pct;*.eps;*.pcd;*.cmp;*.mp4;*.wmv;*.mov;*.avi");

namespace {

// The design's client area and the outer size it had with its frame: the layout rules
// count in outer twips, so the frame is taken as designed whatever the desktop draws.
constexpr int kClientWidth = 11940;
constexpr int kClientHeight = 8340;
constexpr int kFrameWidth = 12030 - kClientWidth;
constexpr int kFrameHeight = 8745 - kClientHeight;
constexpr int kMinOuterWidth = 12030;
constexpr int kMinOuterHeight = 8745;

// The folder list starts where the users' folders are.
const QString kStartFolder = QStringLiteral("/home");

// A double-click option: the explanation only while the editor is on screen.
void OptionClicked(const platform::CheckBox& box, short& value, const QString& title,
                   const QString& text) {
  if (box.Value() == 1) {
    if (core::Flags().SlideListEditorShown == 1) platform::MsgBox(text, platform::vbOKOnly, title);
    value = 1;
  } else {
    value = 0;
  }
}

void SetShowButtonsDisabled(core::Form1& main) {
  main.Command1.SetEnabled(false);
  main.Command2.SetEnabled(false);
  main.Command3.SetEnabled(false);
  main.Command4.SetEnabled(false);
}

}  // namespace

Form3::Form3() {
  SetCaption(QStringLiteral("スライドリスト"));
  SetClientSize(kClientWidth, kClientHeight);
  setMinimumSize(platform::TwipsToPixelsX(kClientWidth), platform::TwipsToPixelsY(kClientHeight));

  Dir1.Move(120, 120, 2415, 2610);
  Drive1.Move(120, 2760, 2415, 300);
  File1.Move(120, 3120, 2415, 4392);
  Frame1.Move(2640, 120, 3735, 3015);
  Image1.Move(360, 480, 2295, 1815);
  Image1.SetStretch(true);
  Picture1.Move(7200, 8400, 495, 495);
  Picture1.SetVisible(false);
  Label1.Move(6600, 2520, 1935, 255);
  Label1.SetForeColor(Qt::red);
  Label1.SetVisible(false);
  Label6.Move(6700, 2880, 5415, 375);
  List1.Move(2640, 3240, 9135, 4188);
  List2.SetVisible(false);

  Command16.Move(6480, 120, 1215, 495);
  Command17.Move(6480, 720, 1215, 495);
  Command24.Move(6480, 1320, 1215, 495);
  Command25.Move(6480, 1920, 1215, 495);
  Command18.Move(7800, 120, 1215, 495);
  Command19.Move(7800, 720, 1215, 495);
  Command20.Move(7800, 1320, 1215, 495);
  Command23.Move(7920, 1920, 855, 495);
  Command6.Move(9120, 120, 1215, 495);
  Command7.Move(9120, 720, 1215, 495);
  Command9.Move(9120, 1320, 1215, 495);
  Command1.Move(10440, 120, 1215, 495);
  Command2.Move(10440, 720, 1215, 495);
  for (platform::CommandButton* b :
       {&Command16, &Command17, &Command25, &Command18, &Command19, &Command20})
    b->SetEnabled(false);

  Label2.Move(10500, 1320, 1335, 375);
  Check2.Move(10560, 1560, 1095, 270);
  Check2.SetValue(1);
  for (platform::CheckBox* hidden : {&Check1, &Check3, &Check4, &Check5}) hidden->SetVisible(false);
  Label3.SetVisible(false);

  Frame2.Move(9000, 1920, 2775, 855);
  Command21.Move(120, 240, 1215, 495);
  Command22.Move(1440, 240, 1215, 495);

  Command3.Move(120, 7680, 1215, 495);
  Command8.Move(1440, 7680, 975, 495);
  Command15.Move(2640, 7680, 1335, 495);
  Command15.SetFontBold(true);
  Command4.Move(4080, 7680, 1095, 495);
  Command5.Move(5280, 7680, 1095, 495);
  Command13.Move(6480, 7680, 495, 495);
  Command14.Move(7080, 7680, 495, 495);
  Command12.Move(8760, 7680, 1455, 495);
  Check6.Move(7800, 7800, 735, 255);
  Label5.Move(10560, 7800, 495, 255);
  Label4.Move(11160, 7800, 735, 255);

  using platform::CommandButton;
  connect(&Command1, &CommandButton::Click, this, &Form3::Command1_Click);
  connect(&Command2, &CommandButton::Click, this, &Form3::Command2_Click);
  connect(&Command6, &CommandButton::Click, this, &Form3::Command6_Click);
  connect(&Command7, &CommandButton::Click, this, &Form3::Command7_Click);
  connect(&Command9, &CommandButton::Click, this, &Form3::Command9_Click);
  connect(&Command15, &CommandButton::Click, this, &Form3::Command15_Click);
  connect(&Command12, &CommandButton::Click, this,
          [] { platform::TryStep([] { OpenConversionCopy(); }); });
  connect(&Command21, &CommandButton::Click, this, &Form3::Command21_Click);
  connect(&Command22, &CommandButton::Click, this, &Form3::Command22_Click);
  connect(&Command23, &CommandButton::Click, this, &Form3::Command23_Click);
  connect(&Command24, &CommandButton::Click, this, &Form3::Command24_Click);
  connect(&Command25, &CommandButton::Click, this, &Form3::Command25_Click);
  connect(&Check1, &platform::CheckBox::Click, this, &Form3::Check1_Click);
  connect(&Check2, &platform::CheckBox::Click, this, &Form3::Check2_Click);
  connect(&Check3, &platform::CheckBox::Click, this, &Form3::Check3_Click);
  connect(&Check4, &platform::CheckBox::Click, this, &Form3::Check4_Click);
  connect(&Check5, &platform::CheckBox::Click, this, &Form3::Check5_Click);
  connect(&Timer1, &platform::Timer::Tick, this, &Form3::Timer1_Timer);
  connect(&File1, &platform::FileListBox::Click, this, &Form3::File1_Click);
  connect(&Dir1, &platform::DirListBox::Change, this, &Form3::Dir1_Change);
  connect(&Drive1, &platform::DriveListBox::Change, this, &Form3::Drive1_Change);
  connect(&List1, &platform::ListBox::Click, this, &Form3::List1_Click);
  ConnectLinkedFileControls();
}

// ---- loading, activation, paint, resize ---------------------------------------------------

void Form3::Form_Load() {
  Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] { File1.SetPattern(kSlidePatterns); },
      [this] { SlideListLimit = 30000; },
      [this, &s] { Check1.SetValue(s.DblClickPicture == 1 ? 1 : 0); },
      [this, &s] { Check2.SetValue(s.DblClickRecord == 1 ? 1 : 0); },
      [this, &s] { Check3.SetValue(s.DblClickWallpaper == 1 ? 1 : 0); },
      [this, &s] { Check4.SetValue(s.DblClickText == 1 ? 1 : 0); },
      [this, &s] { Check5.SetValue(s.DblClickSlideshow == 1 ? 1 : 0); },
      [this] { Dir1.SetPath(kStartFolder); },
      [this] { Drive1.SetDrive(Dir1.Path()); },
      // Without "/home" the folder list stays at the root: the file list follows it.
      [this] {
        if (File1.Path() != Dir1.Path()) Dir1_Change();
      },
  });
  // A window made afresh after its close box starts from the committed list, so that
  // nothing (the settings file at exit among others) takes an empty list for the user's.
  RebuildListsFromCommitted();
}

void Form3::Form_Activate() {
  platform::RunStepsIgnoringErrors({
      [this] { File1.Refresh(); },
      [this] {
        if (ListClicked == 1) List1_Click();
      },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

void Form3::Form_Paint() {
  Label4.SetCaption(QString::number(List1.ListCount()));
  core::Flags().SlideListEditorShown = 1;
}

// Only when the window itself held the focus, as none of its controls do.
void Form3::Form_LostFocus() { core::Flags().SlideListEditorShown = 0; }

void Form3::focusOutEvent(QFocusEvent* e) {
  platform::Form::focusOutEvent(e);
  Form_LostFocus();
}

void Form3::Form_Resize() {
  // The macro text being edited stays open: resizing is no reason to close it.
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  if (WindowState() == 1) return;
  const int outerWidth = ScaleWidth() + kFrameWidth;
  const int outerHeight = ScaleHeight() + kFrameHeight;
  if (outerWidth < kMinOuterWidth || outerHeight < kMinOuterHeight) {
    // The resize this causes places the controls.
    SetClientSize(std::max(outerWidth, kMinOuterWidth) - kFrameWidth,
                  std::max(outerHeight, kMinOuterHeight) - kFrameHeight);
    return;
  }
  PlaceControls();
}

void Form3::PlaceControls() {
  const int width = ScaleWidth() + kFrameWidth;
  const int height = ScaleHeight() + kFrameHeight;
  for (platform::CommandButton* b :
       {&Command4, &Command5, &Command12, &Command13, &Command14, &Command15, &Command3, &Command8})
    b->SetTop(height - 1220);
  Label4.SetTop(height - 1190);
  Label5.SetTop(height - 1190);
  Check6.SetTop(height - 1190);
  List1.Move(List1.Left(), List1.Top(), width - 3000, height - 4700);
  File1.Move(File1.Left(), File1.Top(), File1.Width(), height - 4500);
}

// ---- closing ----------------------------------------------------------------------------

void Form3::Form_Unload(int& cancel) {
  cancel = 0;
  core::RunFlags& flags = core::Flags();
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  platform::TryStep([] { core::CloseTextViewer(); });
  if (flags.SlideListEditorShown == 1 && List1.ListCount() >= 1) {
    if (platform::MsgBox(QStringLiteral("スライドリストを保存しますか ?"),
                         platform::vbQuestion | platform::vbYesNo,
                         QStringLiteral("ファイル選択")) == platform::vbYes) {
      // A save the user cancelled, or one that failed, keeps the window with its list.
      const SaveOutcome saved = SaveList(false);
      if (saved == SaveOutcome::kCancelled || saved == SaveOutcome::kFailed) {
        cancel = 1;
        return;
      }
    }
    core::Form1& main = core::form1();
    SetShowButtonsDisabled(main);
    main.SetCaption(core::ProgramTitle());
    core::PathState& paths = core::Paths();
    paths.SlideshowFileName.clear();
    paths.SlideshowFilePath.clear();
    paths.SlideshowFileTime.clear();
  }
  flags.StartedFromListEditor = 0;
  flags.SlideListEditorOpen = 0;
  flags.SlideListEditorShown = 0;
  // At program exit the main window is the one unloading.
  core::Form1* main = core::Form1IfLoaded();
  if (main && !main->ShuttingDown()) main->Show();
}

// ---- commit and cancel ------------------------------------------------------------------

void Form3::Command1_Click() {
  if (StopSearchInstead()) return;
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  flags.StartedFromListEditor = 0;
  lists.CurrentSlideIndex = 0;
  flags.ShowRunning = 0;
  lists.SlideEndIndex = 0;
  lists.SlidePaths.Erase();
  const QStringList& paths = List1.Items();
  const QStringList& records = List2.Items();
  const int n = static_cast<int>(paths.size());
  for (int i = 1; i <= n; ++i) {
    lists.SlidePaths[i] = paths[i - 1];
    ++lists.SlideEndIndex;
  }
  ++lists.SlideEndIndex;
  for (int r = 0; r < n; ++r) {
    const QString record = r < records.size() ? records[r] : QString();
    lists.SlideAddDateTimes[r + 1] = core::ScheduleAddMoment(record);
    lists.SlideDeleteDateTimes[r + 1] = core::ScheduleDeleteMoment(record);
  }
  core::Form1& main = core::form1();
  main.Show();
  if (!lists.SlidePaths[1].isEmpty()) {
    main.Command1.SetEnabled(true);
    main.Command4.SetEnabled(true);
    Hide();
    flags.FourUpViewOpen = 0;
  } else {
    SetShowButtonsDisabled(main);
    Hide();
  }
  flags.SlideListEditorOpen = 0;
}

void Form3::Command2_Click() {
  if (StopSearchInstead()) return;
  core::Flags().StartedFromListEditor = 0;
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  platform::TryStep([] { core::CloseTextViewer(); });
  RebuildListsFromCommitted();
  core::form1().Show();
  Hide();
  core::Flags().FourUpViewOpen = 0;
  core::Flags().SlideListEditorOpen = 0;
  DisableRowButtons();
}

void Form3::RebuildListsFromCommitted() {
  const core::ListState& lists = core::Lists();
  QStringList paths, records;
  for (int i = 1; i <= lists.SlideEndIndex - 1 && i <= core::kSlideArrayUpper; ++i) {
    paths << lists.SlidePaths[i];
    records << core::JoinScheduleRecord(lists.SlideAddDateTimes[i], lists.SlideDeleteDateTimes[i]);
  }
  ClearLists();
  List1.SetItems(paths);
  List2.SetItems(records);
}

void Form3::ClearLists() {
  List1.Clear();
  List2.Clear();
  ListFullStop = 0;
}

void Form3::DisableRowButtons() {
  for (platform::CommandButton* b :
       {&Command16, &Command17, &Command18, &Command19, &Command20, &Command25})
    b->SetEnabled(false);
}

void Form3::ClearPreview() {
  Picture1.ClearPicture();
  Image1.SetPicture(QImage());
  PreviewedPath.clear();
}

bool Form3::StopSearchInstead() {
  if (!SearchRunning) return false;
  SearchRunning = false;
  return true;
}

// ---- double-click options and the click guard -------------------------------------------

void Form3::Check1_Click() {}

void Form3::Check2_Click() {
  OptionClicked(
      Check2, core::Settings().DblClickRecord, QStringLiteral("効果音録音あり"),
      QStringLiteral("スライドリストをダブルクリックすると画像連動効果音が録音できます。"));
}

void Form3::Check3_Click() {
  OptionClicked(Check3, core::Settings().DblClickWallpaper, QStringLiteral("壁紙変更あり"),
                QStringLiteral("スライドリストをダブルクリックすると壁紙の変更ができます。"));
}

void Form3::Check4_Click() {
  OptionClicked(
      Check4, core::Settings().DblClickText, QStringLiteral("テキスト作成あり"),
      QStringLiteral("スライドリストをダブルクリックすると画像連動テキストが作成できます。"));
}

void Form3::Check5_Click() {
  OptionClicked(
      Check5, core::Settings().DblClickSlideshow, QStringLiteral("スライドショー"),
      QStringLiteral(
          "スライドリストをダブルクリックするとスライドショーの指定画面スタートができます。"));
}

void Form3::Timer1_Timer() { Timer1.SetEnabled(false); }

// ---- the one window -----------------------------------------------------------------------

namespace {
platform::FormSlot<Form3>& Form3Slot() {
  static platform::FormSlot<Form3> slot;
  return slot;
}
}  // namespace

Form3& form3() { return Form3Slot().Get(); }
Form3* Form3IfLoaded() { return Form3Slot().IfLoaded(); }

}  // namespace listeditor
