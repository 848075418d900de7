#pragma once
// The show's module-wide values: lists, show settings, run flags, sound state, paths,
// button slots, surfaces and the monitor table. Every member starts at its zero value
// (0, "", empty elements); Form1's load gives them their start-up defaults.
//
// Types follow the original: Integer is `short` (16-bit), Long is `int`, Single is
// `float`, Variant doubles are `double`, strings are QString. Products of Integer
// values that must overflow as the original did go through platform::CInt.
#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/vberror.h"

class QWidget;

namespace core {

// A fixed-size array with indexes 0..Upper, as the original declared its arrays.
// Index 0 exists but the lists use 1..; an index outside 0..Upper raises error 9.
template <class T, int Upper>
class FixedArray {
 public:
  FixedArray() : items_(Upper + 1) {}
  T& operator[](int i) {
    Check(i);
    return items_[static_cast<size_t>(i)];
  }
  const T& operator[](int i) const {
    Check(i);
    return items_[static_cast<size_t>(i)];
  }
  static constexpr int LBound() { return 0; }
  static constexpr int UBound() { return Upper; }
  // Empties every element (the original's Erase of a fixed array).
  void Erase() {
    for (auto& item : items_) item = T{};
  }

 private:
  static void Check(int i) {
    if (i < 0 || i > Upper)
      throw platform::VbError(platform::kErrSubscript, "Subscript out of range");
  }
  std::vector<T> items_;
};

constexpr int kSlideArrayUpper = 30010;  // SlidePaths and the schedule arrays
constexpr int kLinkArrayUpper = 1010;    // LinkListEntries
constexpr int kSoundArrayUpper = 30010;  // SoundListEntries
constexpr int kCdProgramUpper = 110;     // CdProgram
constexpr int kButtonSlotUpper = 63;     // button slot arrays (slots 0..62 used)
constexpr int kMonitorUpper = 10;        // monitor table (at most 11 monitors)

using SlideStringArray = FixedArray<QString, kSlideArrayUpper>;

// Slide, link and sound lists with their positions, and the CD programme.
struct ListState {
  // Slide list: slide i at 1..SlideEndIndex - 1.
  SlideStringArray SlidePaths;
  SlideStringArray SlideAddDateTimes;     // show-from moment "YYYY/MM/DD hh:nn"
  SlideStringArray SlideDeleteDateTimes;  // show-until moment, same form
  short SlideEndIndex = 0;                // slides + 1; 0 = no list yet
  short CurrentSlideIndex = 0;            // slide shown or to show next; 0 = not started
  short LastShownSlideIndex = 0;
  short StartAtChosenSlide = 0;  // 1 = the next start begins at ChosenStartSlide
  short ChosenStartSlide = 0;    // 0-based slide index chosen in an editor
  QString ScheduleDateText;      // today "YYYY/MM/DD", taken with ScheduleNow
  QDateTime ScheduleNow;         // moment the schedule test compares with; null = 0

  // Link list: entries 1..LinkEndIndex - 1.
  FixedArray<QString, kLinkArrayUpper> LinkListEntries;
  short LinkEndIndex = 0;
  short LinkPosition = 0;  // next slideshow file of a link run to load
  short LinkRunActive = 0;
  short LinkSingleFileRun = 0;  // one file started from the link-list editor

  // Sound list: entries 1..SoundListCount.
  FixedArray<QString, kSoundArrayUpper> SoundListEntries;
  short SoundListCount = 0;
  short SoundListLoading = 0;  // 1 while a sound list is being read
  short SoundListPosition = 0;
  short SoundListStartTaken = 0;

  // CD programme: track numbers as text, entries 1..CdProgramCount.
  FixedArray<QString, kCdProgramUpper> CdProgram;
  short CdProgramCount = 0;
  short CdProgramPosition = 0;
};

// Settings that the menus, the settings and slideshow files and the macros set.
// Yes/no values named ...Off store 0 for yes and 1 for no.
struct ShowSettings {
  int SlideIntervalSeconds = 0;  // Long, 1..60
  int SlideIntervalMs = 0;       // Long, as read from a file
  short RepeatOff = 0;
  short RandomOrderOff = 0;
  short AlwaysFullScreenOff = 0;
  short PictureLoadMode = 0;
  short PicturePosition = 0;  // 0 centred, 1 random
  short PictureSizeMode = 0;  // 0..6
  short SizeAdjustMode = 0;   // 0..2
  short OverlayMode = 0;      // 0..4
  short OverlayBackColorIndex = 0;
  short TextMacroOff = 0;
  short TextOriginScreen = 0;
  short ErrorEntryAutoRemove = 0;
  short ContinueStart = 0;
  short FullStartConfirmOff = 0;
  short SecondInstanceOff = 0;
  short AutoStartOff = 0;
  short ControlBoxOff = 0;
  short ControlBoxAtBottom = 0;
  short UserMacroHeaderOff = 0;

  // Effects.
  short DisplayEffect = 0;  // 0..11
  short EraseEffect = 0;    // 0..12
  short DisplayEffectSpeed = 0;
  short EraseEffectSpeed = 0;
  short DisplaySlitCount = 0;
  short EraseSlitCount = 0;
  short DisplayMosaicCount = 0;
  short EraseMosaicCount = 0;
  short EffectSpeedFixed = 0;
  short EffectSpeedCorrection = 0;
  short MosaicDelayAdjust = 0;

  // Sound.
  short SoundMode = 0;  // 0..9
  short Mp3RepeatModeFlag = 0;
  QString DefaultSoundFile;
  QString RepeatWavFile;
  QString RepeatMidiFile;
  QString RepeatMp3File;
  short WavSyncOff = 0;
  short LinkedSoundAfterText = 0;
  short MidiWithLinkedWav = 0;
  short Mp3WithLinkedWav = 0;
  short CdTrackOrder = 0;  // 0 in order, 1 random, 2 programme
  QString CdStartTrack;
  short CdTrackRepeatOff = 0;
  short CdWithLinkedWavOff = 0;
  short StopShowAtCdProgramEnd = 0;
  short VolumeAttenuationSetting = 0;  // 0..1000
  short SoundListInSlideshowFile = 0;
  short SoundListFromSelection = 0;
  short SoundListWithLinkedWav = 0;

  // Link-list editor options.
  short LinkAutoStart = 0;
  short LinkRepeat = 0;
  short LinkKeepAtEnd = 0;

  // Double-click options of the slide list editor.
  short DblClickPicture = 0;
  short DblClickRecord = 0;
  short DblClickWallpaper = 0;
  short DblClickText = 0;
  short DblClickSlideshow = 0;

  // Values that macros set for one show (reset at every show start).
  short LineSpace = 0;
  short BorderColorIndex = 0;
  short Borderless = 0;
  QString OverlayBackColorHex;  // "RRGGBB"; empty = use OverlayBackColorIndex
  double PictureScale = 0;      // 0 = no scale
  short PicturePositionFixed = 0;
  double PicturePositionX = 0;
  double PicturePositionY = 0;
  short MovieLoop = 0;
};

// Run state: how handlers that interrupt one another agree on what is going on.
struct RunFlags {
  short FullScreenShowActive = 0;
  short ShowRunning = 0;
  short PlayStarted = 0;
  short ShowStopped = 0;
  short SlideInProgress = 0;
  short ShowEndRequested = 0;
  short ShowScreenClosed = 0;
  short UnloadEndsShow = 0;
  short OperationLocked = 0;
  short WaitingForChoice = 0;
  short YesPressed = 0;  // the show window's Yes answered a macro's question
  short NoPressed = 0;   // its No did
  short MacroExitedEarly = 0;
  short SlideSkipped = 0;
  short MovieAborted = 0;
  short ShowScreenHasPicture = 0;
  short OverlayChangedByMacro = 0;  // a macro changed the overlay since the last picture
  short CursorHidden = 0;
  short LineDelayWaiting = 0;
  short SlideListEditorOpen = 0;
  short FourUpViewOpen = 0;
  short StartedFromListEditor = 0;
  short TitlePanelDone = 0;
  short CmdLineMode = 0;  // 1 slideshow file, 2 link list, 0 none

  // Effect state.
  float EffectDelayFactor = 0;  // Single
  short DisplayEffectTurn = 0;
  short EraseEffectTurn = 0;
  short NoEraseAtStart = 0;
  short SkipEraseEffect = 0;
  short EffectStop = 0;

  // Flags the macro interpreter, the buttons and the editors share with the show.
  short JumpRequested = 0;         // a button or jump asked to leave the macro
  short TelopOnceRunning = 0;      // a one-pass ticker is scrolling
  short SlideListEditorShown = 0;  // the slide list editor is painted and focused
  short LinkEditorShown = 0;       // the link-list editor is painted and focused
  short LinkEditorOpen = 0;        // the link-list editor was opened from the menu
};

// Sound that is playing or pending during a show.
struct SoundState {
  short VolumeAttenuation = 0;  // in effect; volume = 1000 - value
  short SoundPaused = 0;
  short CdPaused = 0;
  QString CdPausedTrack;
  QString LastCdPosition;
  QString MciReturn = QString(255, QChar(0));  // reply buffer of the CD commands
  QString SlideWavFile;
  QString SlideMusicFile;  // Variant in the original
  short FadeOutRestartPending = 0;
  short SoundFadedOut = 0;
  short MovieSoundRestartPending = 0;
  short SoundStartedAtShowStart = 0;
  short SoundStarted = 0;  // a sound file was started and not yet stopped
  short MediaPlaying = 0;  // something was started on the main window's players
  short KeepPlayer2Running = 0;
  short ListEndForced = 0;  // the slide timer treats the list as finished
  short SoundListRestartPending = 0;

  // The sound subsystem's own values.
  QString LastLinkedSoundFile;         // picture-linked file started last (not started twice)
  short ListTestPlayActive = 0;        // 1: the next sound start plays ListTestPlayFile
  QString ListTestPlayFile;            // the sound list editor's test play
  short RecorderTestPlayActive = 0;    // 1: the next sound start plays RecorderTestPlayFile
  QString RecorderTestPlayFile;        // the recorder window's recording
  short PlaybackStopRequested = 0;     // a stop button asks a test play's wait to end
  short RecordFromDblClickWindow = 0;  // 1: the recorder was opened from the double-click window
  short CdPlaying = 0;                 // a CD play was started and not stopped since
  short SoundListFailuresInRow = 0;    // list entries that failed one after another
};

// Folders, documents and the programs the program started.
struct PathState {
  QString AppFolder;         // with a trailing '/'
  QString OpenedFileFolder;  // folder (with its separator) of the file being opened
  QString SlideshowFilePath;
  QString SlideshowFileName;
  QString SlideshowFileTime;
  QString LinkListFilePath;
  QString LinkListFileName;
  QString LinkedFilesFolder;  // without a trailing separator
  short LinkedFilesInFolder = 0;
  short DistributionSave = 0;
  QString CmdLineFile;
  short CmdLineFileOpening = 0;  // 1 while start-up reads the command-line file
  QString CurrentSlideFileName;  // file name of the current slide (captions)
  QString GeneratedMacroText;    // macro lines handed to the macro file editor
  QString SearchPattern;         // "*.WAV;*.MID" from a search's type chooser; "" = no search

  short NotepadTaskId = 0;   // the text viewer last opened
  QString NotepadTextPath;   // the macro file shown in it; empty = none
  QString RecordingWavPath;  // the WAV handed to the sound recorder; empty = none
};

// The show-screen button slots that macros fill (picture buttons 0..62, menus 1..5).
struct ButtonSlots {
  FixedArray<short, kButtonSlotUpper> MenuJumps;
  FixedArray<short, kButtonSlotUpper> MenuButtonsShown;
  FixedArray<short, kButtonSlotUpper> PicButtonJumps;
  FixedArray<short, kButtonSlotUpper> PicButtonsShown;
  FixedArray<QString, kButtonSlotUpper> PicButtonLinks;
  short PicButtonShape = 0;  // shape of the picture buttons placed next
  short OverPic = 0;         // 1: moving picture buttons may leave the picture

  // Outline of each picture-button slot: the kind it was last placed with, the cut-out
  // point file named for it, and the box of the polygon last read for it (pixels from the
  // button's corner; 9999, 9999, 0, 0 when that read found no usable file). Clearing the
  // slots keeps them.
  FixedArray<short, kButtonSlotUpper> PicButtonShapes;
  FixedArray<QString, kButtonSlotUpper> PicButtonShapeFiles;
  FixedArray<short, kButtonSlotUpper> PicButtonShapeLefts;
  FixedArray<short, kButtonSlotUpper> PicButtonShapeTops;
  FixedArray<short, kButtonSlotUpper> PicButtonShapeRights;
  FixedArray<short, kButtonSlotUpper> PicButtonShapeBottoms;
};

// The current picture and the show surfaces. The device-context values are handles
// of the platform drawing layer (0 = none).
struct SurfaceState {
  std::intptr_t PictureMemDC = 0;
  std::intptr_t PictureMemDCOldObject = 0;
  short PictureMemDCInUse = 0;
  int PictureLeft = 0;  // pixels
  int PictureTop = 0;
  int LoadedPictureWidth = 0;  // twips, as loaded
  int LoadedPictureHeight = 0;
  short ImagingControlVersion = 0;
  short FrameExtraHeight = 0;  // twips

  // Macro text: the colour of decorated text and where the text area starts on P2.
  int TextColor = 0;    // Long colour &HBBGGRR
  int TextOriginX = 0;  // pixels of P2
  int TextOriginY = 0;
};

// The monitors as start-up found them, whole rectangles in twips, at most 11.
struct MonitorTable {
  FixedArray<int, kMonitorUpper> MonitorTops;
  FixedArray<int, kMonitorUpper> MonitorBottoms;
  FixedArray<int, kMonitorUpper> MonitorRights;
  FixedArray<int, kMonitorUpper> MonitorLefts;
  QList<QPointer<QScreen>> MonitorHandles;  // monitor i at position i
  short MonitorCount = 0;
  short MonitorIndex = 0;       // the main window's monitor
  QWidget* MainHwnd = nullptr;  // the main window, key of every monitor lookup
};

ListState& Lists();
ShowSettings& Settings();
RunFlags& Flags();
SoundState& Sound();
PathState& Paths();
ButtonSlots& Buttons();
SurfaceState& Surfaces();
MonitorTable& Monitors();

// Puts every value back to its zero value, as at process start (tests use it).
void ResetAllState();

// The option values that Form1's load resets before it applies its defaults.
void ResetShowOptions();

// Empties every button slot (0 … 62) and the shape of the picture buttons placed next.
void ClearButtonSlots();

// ScheduleRecord: 30 characters, show-from date (1-10) and time (11-15), show-until
// date (16-25) and time (26-30). The moments are "date time" (16 characters); a
// record shorter than 30 characters gives shorter moments.
QString ScheduleAddMoment(const QString& record);
QString ScheduleDeleteMoment(const QString& record);
// Joins two moments back into a record of 30 characters, blanks where a part is short.
QString JoinScheduleRecord(const QString& addMoment, const QString& deleteMoment);

}  // namespace core
