// The interpreter's frame: the gate, the start state, reading the file a character at a
// time, the keyword chain, the text section, the end of the file and the exit path.
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/common.h"
#include "core/form1.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro.h"
#include "macro/macro_state.h"
#include "macro/picture_text.h"
#include "macro/show_commands.h"
#include "macro/telop.h"
#include "platform/controls.h"
#include "platform/cp932.h"
#include "platform/events.h"
#include "platform/picturebox.h"
#include "platform/vbfile.h"

Q_LOGGING_CATEGORY(lcMacro, "slideshow.macro")

namespace macro {
namespace {

// Unwinds a run to RunPictureMacro: the exit path is done, or the show stopped.
struct LeaveRun {};

const QString kGothic = QStringLiteral("ＭＳ ゴシック");
const QString kTextMarker = QStringLiteral("[テキスト]");

bool ShowGone() {
  const core::RunFlags& f = core::Flags();
  return f.ShowStopped == 1 || f.ShowScreenClosed == 1;
}

void CloseFile() {
  MacroState& m = State();
  m.FileOpen = false;
  m.FileBytes.clear();
}

// Every wait of a run: events, then 20 ms, while `going` holds and the show is on.
template <class Going>
void MacroWait(Going going) {
  do {
    platform::DoEvents();
    platform::Sleep(20);
  } while (going() && !ShowGone());
}

QString MacroFileName() {
  const QString path = core::Lists().SlidePaths[core::Lists().CurrentSlideIndex];
  if (path.isEmpty()) return {};
  const core::PathState& p = core::Paths();
  if (p.LinkedFilesInFolder == 1) {
    const QString name = p.CurrentSlideFileName;
    return p.LinkedFilesFolder + QLatin1Char('/') +
           name.left(std::max<qsizetype>(0, name.size() - 4)) + QStringLiteral(".txt");
  }
  return path.left(std::max<qsizetype>(0, path.size() - 4)) + QStringLiteral(".txt");
}

void SetLineLeftEdge() {
  const MacroState& m = State();
  ShowSurface().SetCurrentX(core::Surfaces().TextOriginX + m.TextLeft);
  PreviewBox().SetCurrentX(m.TextLeft);
}

void CommentLine() { ConsumeLine(); }

QStringList P(std::initializer_list<const char16_t*> prefixes) {
  QStringList list;
  for (const char16_t* p : prefixes) list.append(QString::fromUtf16(p));
  return list;
}

std::vector<KeywordRow>& Rows() {
  static std::vector<KeywordRow> rows = {
      {0, P({u"RGB"}), ExecRgbCommand},
      {1, P({u"BORDERCOLOR"}), BorderColorCommand},
      {2, P({u"LINESPACE"}), LineSpaceCommand},
      {3, P({u"MOVIE"}), ExecMovieCommand},
      {4, P({u"BORDERLESS"}), BorderlessCommand},
      {5, P({u"BACKCOLOR"}), BackColorCommand},
      {6, P({u"TAB"}), TabCommand},
      {7, P({u"PICRESIZE"}), PicResizeCommand},
      {8, P({u"MP3VOL", u"MP3DOWN", u"MP3UP"}), VolumeCommand},
      {9, P({u"INTERVAL"}), IntervalCommand},
      {10, P({u"POSITION"}), PositionCommand},
      {11, P({u"DOWNSIZE"}), DownSizeCommand},
      {12, P({u"FADEOUT"}), FadeOutCommand},
      {13, P({u"TELOP"}), TelopCommandLine},
      {14, P({u"CURSOR"}), CursorCommand},
      {15, P({u"ENDTIME"}), EndTimeCommand},
      {16, P({u"MOVX"}), MovXCommand},
      {17, P({u"MOVY"}), MovYCommand},
      {18, P({u"SOUNDSET"}), SoundSetCommand},
      {19, P({u"LOOP"}), LoopCommand},
      {20, P({u"ENDLOOP"}), EndLoopCommand},
      {21, P({u"PICPBDATA"}), nullptr},
      {22, P({u"PICPBTYPE"}), nullptr},
      {23, P({u"GRAD"}), GradLine},
      {24, P({u"STOPWAV"}), StopWavCommand},
      {25, P({u"KSPSET"}), KspSetCommand},
      {26, P({u"OVERPIC"}), OverPicCommand},
      {27, P({u"KOUKASP"}), KoukaSpCommand},
      {28, P({u"DELKOUKASP"}), DelKoukaSpCommand},
      {29, P({u"KOUKA"}), KoukaCommand},
      {30, P({u"DELKOUKA"}), DelKoukaCommand},
      {31, P({u"//"}), CommentLine},
      {32, P({u"SAVEPIC"}), SavePicCommand},
      {33, P({u"CTRLBOX"}), CtrlBoxCommand},
      {34, P({u"PICRND", u"POSITION"}), PicRndCommand},
      {35, P({u"TEXTOUT"}), TextOutLine},
      {36, P({u"SOUNDEND"}), SoundEndCommand},
      {37, P({u"PLAYWAV"}), ExecPlayWavCommand},
      {38, P({u"SLEEP"}), SleepCommand},
      {39, P({u"PICPB"}), nullptr},
      {40, P({u"MOVPB"}), nullptr},
      {41, P({u"SCREENXY"}), ScreenXYCommand},
      {42, P({u"BIT"}), BitCommand},
      {43, P({u"REVERSE"}), ReverseCommand},
      {44, P({u"FLIP"}), FlipCommand},
      {45, P({u"PENCIL"}), PencilCommand},
      {46, P({u"METAL"}), MetalCommand},
      {47, P({u"MOSAIC"}), MosaicCommand},
      {48, P({u"GRAYSCALE"}), GrayscaleCommand},
      {49, P({u"SHELL"}), ShellCommand},
      {50, P({u"FONTNAME"}), FontNameCommand},
      {51, P({u"CLS"}), ClsCommand},
      {52, P({u"OVERLAP"}), OverlapCommand},
      {53, P({u"WINSTATE"}), WinStateCommand},
      {54, P({u"SIZECTRL"}), SizeCtrlCommand},
      {55, P({u"MENU"}), nullptr},
      {56, P({u"LOCK"}), LockCommand},
      {57, P({u"END"}), EndCommand},
      {58, P({u"DELAY"}), DelayCommand},
      {59, P({u"SKIP"}), SkipCommand},
      {60, P({u"YESNOPB"}), nullptr},
      {61, P({u"FONTITALIC"}), FontItalicCommand},
      {62, P({u"FONTBOLD"}), FontBoldCommand},
      {63, P({u"FONTUNDERLINE"}), FontUnderlineCommand},
      {64, P({u"QBCOLOR"}), QbColorCommand},
      {65, P({u"FONTSIZE"}), FontSizeCommand},
      {66, P({u"FONTNO"}), FontNoCommand},
      {67, P({u"CURRENTX"}), CurrentXCommand},
      {68, P({u"CURRENTY"}), CurrentYCommand},
      {69, P({u"KAGE"}), KageCommand},
      {70, P({u"ZUREX"}), ZureXCommand},
      {71, P({u"ZUREY"}), ZureYCommand},
  };
  return rows;
}

void ProcessLine() {
  MacroState& m = State();
  platform::DoEvents();
  if (ShowGone()) throw LeaveRun{};
  m.MacroLineUpper = MacroUpper(m.MacroLine);
  m.ValueStart = static_cast<int>(m.MacroLineUpper.indexOf(QLatin1Char('='))) + 2;
  if (core::Flags().JumpRequested == 1) EnterExitPath();

  for (const KeywordRow& row : Rows()) {
    for (const QString& prefix : row.prefixes) {
      if (m.MacroLineUpper.startsWith(prefix)) {
        if (row.handler) {
          row.handler();
        } else {
          ConsumeLine();  // recognised; what it does is not built yet
        }
        break;
      }
    }
    if (row.row == 67) SetLineLeftEdge();
  }

  if (m.TextMode == 1) DrawMacroTextLine();
  if (m.MacroLineUpper.left(6) == kTextMarker) {
    m.TextMode = 1;
    if (core::Flags().FullScreenShowActive == 1) {
      engine::Slidescreen& screen = engine::slidescreen();
      screen.P3.PaintPicture(screen.P2.Image(), 0, 0, screen.P3.ScaleWidth(),
                             screen.P3.ScaleHeight());
    }
  }
  ConsumeLine();
}

void StartRun() {
  MacroState& m = State();
  core::RunFlags& f = core::Flags();
  core::SurfaceState& surf = core::Surfaces();
  m.TextMode = 0;
  m.TextLeft = 0;
  m.KageMode = 0;
  m.ZureX = 5;
  m.ZureY = 3;
  m.LineDelayMs = 0;
  m.ErrorsIgnored = 0;

  surf.TextColor = 0;
  f.WaitingForChoice = 0;
  f.JumpRequested = 0;
  f.YesPressed = 0;
  f.NoPressed = 0;
  core::Buttons().OverPic = 0;
  core::Buttons().PicButtonShape = 0;
  m.EndTimeReached = 0;

  if (core::Settings().TextOriginScreen != 0) {
    surf.TextOriginX = 0;
    surf.TextOriginY = 0;
  } else {
    surf.TextOriginX = surf.PictureLeft;
    surf.TextOriginY = surf.PictureTop;
  }
  for (int i = 1; i <= 5; ++i) core::Buttons().MenuJumps[i] = 0;

  platform::PictureBox& p2 = ShowSurface();
  SetSurfaceFace(p2, kGothic);
  p2.SetFontSize(20);
  p2.SetForeColor(platform::QBColor(15));
  p2.SetCurrentX(surf.TextOriginX);
  p2.SetCurrentY(surf.TextOriginY);
  platform::PictureBox& p1 = PreviewBox();
  // Macro positions are pixels; the preview box is in twips until its title panel has run.
  p1.SetScaleMode(platform::ScaleMode::kPixels);
  SetSurfaceFace(p1, kGothic);
  p1.SetFontSize(20);
  p1.SetForeColor(platform::QBColor(15));
  p1.SetCurrentX(0);
  p1.SetCurrentY(0);
  p2.SetFontItalic(false);
  p1.SetFontItalic(false);
  p2.SetFontBold(false);
  p1.SetFontBold(false);
  p2.SetFontUnderline(false);
  p1.SetFontUnderline(false);
}

// Reads the file and carries out its lines; the end of the file follows.
void ReadAndRun() {
  MacroState& m = State();
  QByteArray line;
  while (m.FileOpen && m.ReadPosition < m.FileBytes.size()) {
    if (ShowGone()) throw LeaveRun{};
    const qsizetype at = m.ReadPosition;
    const auto first = static_cast<unsigned char>(m.FileBytes[at]);
    // A lead byte and its trail byte are one character; a lead byte at the end stands alone.
    const qsizetype length =
        platform::IsCp932LeadByte(first) && at + 1 < m.FileBytes.size() ? 2 : 1;
    m.ReadPosition = at + length;
    const bool last = m.ReadPosition >= m.FileBytes.size();
    bool complete = false;
    if (last) {
      line.append(m.FileBytes.mid(at, length));
      complete = true;
    } else if (length == 1 && first == '\n') {
      complete = true;
    } else if (length == 1 && first == '\t' && (m.TabWidth > 0 || m.KageMode > 1)) {
      if (m.TabWidth == 0) m.TabWidth = 6;
      // The stops fall on whole widths.
      const auto width = static_cast<qsizetype>(std::max(1.0, platform::RoundHalfEven(m.TabWidth)));
      // The line so far counts in bytes of code page 932.
      const qsizetype bytes = platform::Cp932ByteLength(m.MacroLine) + line.size();
      line.append(QByteArray(width - bytes % width, ' '));
    } else {
      line.append(m.FileBytes.mid(at, length));
    }
    if (!complete) continue;

    m.MacroLine += platform::FromCp932(line);
    line.clear();
    try {
      ProcessLine();
    } catch (const LeaveRun&) {
      throw;
    } catch (const std::exception& e) {
      if (m.TextMode != 1) throw;
      // The rest of the line is dropped; its text must not run into the next line.
      qCWarning(lcMacro) << "macro line skipped:" << e.what();
      ConsumeLine();
    }
  }

  SetLineLeftEdge();
  if (core::Flags().WaitingForChoice == 1) {
    // A wait with no button left to answer it would never end (and "LOCK" leaves no way
    // out): it lasts only while a button that leads somewhere is up.
    MacroWait([] {
      const auto& up = core::TheServices().ChoiceButtonsUp;
      return core::Flags().WaitingForChoice == 1 && (!up || up());
    });
    if (core::Flags().JumpRequested == 1) EnterExitPath();
  }
  CloseFile();
}

// Puts back the part of P2 under a control from the background copy P3.
void RepaintFromBackground(engine::Slidescreen& screen, const QWidget& control, bool inner) {
  const QRect box = inner ? control.contentsRect().translated(control.pos()) : control.geometry();
  const QPoint topLeft = screen.P2.mapFrom(control.parentWidget(), box.topLeft());
  const QRect r(topLeft - screen.P2.ClientOrigin(), box.size());
  const QImage background = screen.P3.Image().copy(r);
  {
    QPainter p(&screen.P2.Canvas());
    p.drawImage(r.topLeft(), background);
  }
  screen.P2.Invalidate(r);
}

}  // namespace

MacroState& State() {
  static MacroState state;
  return state;
}

platform::PictureBox& ShowSurface() { return engine::slidescreen().P2; }
platform::PictureBox& PreviewBox() { return core::form1().Picture1; }

QString MacroUpper(const QString& text) {
  QString upper = text;
  for (QChar& c : upper) {
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= u'ａ' && u <= u'ｚ')) c = QChar(char16_t(u - 0x20));
  }
  return upper;
}

double LineValue(int count) {
  const MacroState& m = State();
  return core::SafeVal(m.MacroLineUpper.mid(m.ValueStart - 1, count));
}

double IntPlusTenth(double v) { return std::floor(v + 0.1); }

void ConsumeLine() {
  State().MacroLine.clear();
  State().MacroLineUpper.clear();
}

std::span<const KeywordRow> KeywordTable() { return Rows(); }

void CarryOutLine(const QString& line) {
  MacroState& m = State();
  m.MacroLine = line;
  m.MacroLineUpper = MacroUpper(line);
  m.ValueStart = static_cast<int>(m.MacroLineUpper.indexOf(QLatin1Char('='))) + 2;
  for (const KeywordRow& row : Rows()) {
    for (const QString& prefix : row.prefixes) {
      if (m.MacroLineUpper.startsWith(prefix) && row.handler) {
        row.handler();
        break;
      }
    }
  }
}

std::function<void()> SetKeywordHandler(int row, std::function<void()> handler) {
  for (KeywordRow& r : Rows()) {
    if (r.row == row) return std::exchange(r.handler, std::move(handler));
  }
  return {};
}

void EnterExitPath() {
  core::RunFlags& f = core::Flags();
  core::ButtonSlots& b = core::Buttons();
  core::Form1& f1 = core::form1();
  engine::Slidescreen& screen = engine::slidescreen();
  const bool full = f.FullScreenShowActive == 1;

  screen.Label1.SetCaption(QString());
  f1.Label1.SetCaption(QString());
  screen.Label1.SetVisible(false);
  screen.Timer1.SetEnabled(false);
  f1.Label1.SetVisible(false);
  f1.Timer4.SetEnabled(false);
  f.TelopOnceRunning = 0;

  screen.Command1.SetVisible(false);
  screen.Command2.SetVisible(false);
  f1.Command8.SetVisible(false);
  f1.Command9.SetVisible(false);
  platform::CommandButton* mainMenus[] = {&f1.menu1, &f1.menu2, &f1.menu3, &f1.menu4, &f1.menu5};
  platform::CommandButton* showMenus[] = {&screen.menu1, &screen.menu2, &screen.menu3,
                                          &screen.menu4, &screen.menu5};
  for (auto* m : mainMenus) m->SetVisible(false);
  for (auto* m : showMenus) m->SetVisible(false);
  platform::DoEvents();

  if (full && (f.YesPressed == 1 || f.NoPressed == 1 || f.YesPressed == 2)) {
    RepaintFromBackground(screen, screen.Command1, false);
    RepaintFromBackground(screen, screen.Command2, false);
  }
  platform::DoEvents();

  for (int i = 0; i <= 62; ++i) {
    f1.Picture2(i).SetVisible(false);
    f1.Picture2(i).ClearPicture();
    platform::DoEvents();
    if (b.MenuButtonsShown[i] == 1 && full && i >= 1 && i <= 5)
      RepaintFromBackground(screen, *showMenus[i - 1], false);
    if (b.PicButtonsShown[i] == 1 && full && screen.Picture1(i).Visible()) {
      screen.Picture1(i).SetVisible(false);
      platform::DoEvents();
      RepaintFromBackground(screen, screen.Picture1(i), true);
    }
    screen.Picture1(i).SetVisible(false);
    screen.Picture1(i).ClearPicture();
    b.PicButtonShape = 0;
    b.PicButtonJumps[i] = 0;
    b.PicButtonsShown[i] = 0;
    b.MenuJumps[i] = 0;
    b.MenuButtonsShown[i] = 0;
    b.PicButtonLinks[i].clear();
    platform::DoEvents();
  }
  b.PicButtonShape = 0;

  f1.Timer1.SetInterval(100);
  f.MacroExitedEarly = 1;
  CloseFile();
  core::ListState& lists = core::Lists();
  if (lists.CurrentSlideIndex < 0) lists.CurrentSlideIndex = 0;
  if (State().EndTimeReached == 0 && lists.CurrentSlideIndex >= lists.SlideEndIndex - 1)
    lists.CurrentSlideIndex = static_cast<short>(lists.SlideEndIndex - 2);
  throw LeaveRun{};
}

void LeaveRunNow() {
  CloseFile();
  throw LeaveRun{};
}

void RunPictureMacro() {
  if (core::Settings().TextMacroOff == 1 || core::Flags().ShowEndRequested == 1) return;
  MacroState& m = State();
  m = MacroState{};
  try {
    StartRun();
    const QString name = MacroFileName();
    if (name.isEmpty() || !QFileInfo(name).isFile()) return;
    platform::VbFile file(name, platform::FileMode::Binary);
    m.FileBytes = file.GetBytes(0, file.Lof());
    file.Close();
    m.FileOpen = true;
    ReadAndRun();
  } catch (const LeaveRun&) {
    CloseFile();
  } catch (const std::exception& e) {
    qCWarning(lcMacro) << "macro run ended by an error:" << e.what();
    CloseFile();
  }
}

void RegisterServices() { core::TheServices().RunPictureMacro = RunPictureMacro; }

}  // namespace macro
