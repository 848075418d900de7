#pragma once
// The main window's controls: the row of show buttons, the preview box, the setting menus
// and the hidden controls that the show and the picture macros use. Every subsystem draws
// on them, so they live here; the window's behaviour lives with its owners: the handlers
// with the subsystem whose behaviour they are (show buttons and show options in engine,
// sound menus in sound, file menu in listeditor), the start-up, shutdown and the wiring
// of the handlers in mainwindow/, whose window core::form1() makes through the services.
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/mediaplayer.h"

namespace core {

constexpr int kPicButtonCount = 63;  // picture-button slots 0..62

// The program's title as the windows and dialogs show it, with its version.
QString ProgramTitle();

class Form1 : public platform::Form {
  Q_OBJECT

 public:
  Form1();
  ~Form1() override;

  // ---- show buttons (Left, Top, Width, Height in twips) -------------------------------
  platform::CommandButton Command4{this, QStringLiteral("画面全体")};  // full-screen start
  platform::CommandButton Command1{this, QStringLiteral("START")};
  platform::CommandButton Command2{this, QStringLiteral("PAUSE")};
  platform::CommandButton Command5{this, QStringLiteral("前画面")};  // previous slide
  platform::CommandButton Command7{this, QStringLiteral("次画面")};  // next slide
  platform::CommandButton Command3{this, QStringLiteral("STOP")};
  platform::CommandButton Command6{this, QStringLiteral("ｽﾗｲﾄﾞﾘｽﾄ")};  // slide list editor
  platform::CommandButton Command10{this, QStringLiteral("BGM")};      // sound list window
  platform::CommandButton Command11{this, QStringLiteral("ｽｹｼﾞｭｰﾙ")};  // schedule editor

  // Preview box: slides shown inside the window, and the title panel.
  platform::PictureBox Picture1{this};
  // Picture buttons that macros place, slots 0..62 (a missing slot raises error 340).
  platform::PictureBox& Picture2(int index);
  platform::PictureBox Picture3{this};

  // Menu buttons, yes/no answers and ticker of the macros (hidden at design), placed in
  // pixels of the preview box.
  platform::CommandButton menu1{&Picture1, QStringLiteral("menu1")};
  platform::CommandButton menu2{&Picture1, QStringLiteral("menu2")};
  platform::CommandButton menu3{&Picture1, QStringLiteral("menu3")};
  platform::CommandButton menu4{&Picture1, QStringLiteral("menu4")};
  platform::CommandButton menu5{&Picture1, QStringLiteral("menu5")};
  platform::CommandButton Command8{&Picture1, QStringLiteral("Yes")};
  platform::CommandButton Command9{&Picture1, QStringLiteral("No")};
  platform::Label Label1{&Picture1};  // ticker text, on the preview box

  platform::Timer Timer1{this, 3000, false};  // slide timer
  platform::Timer Timer2{this, 0, false};
  platform::Timer Timer3{this, 0, false};           // a macro's line delay
  platform::Timer Timer4{this, 500, false};         // moves the ticker text
  platform::MediaPlayer WindowsMediaPlayer1{this};  // background sound
  platform::MediaPlayer WindowsMediaPlayer2{this};  // picture-linked sound

  // ---- menu bar, in display order ---------------------------------------------------------
  platform::MenuItem mnuFILE{this, QStringLiteral("ファイル(&F)")};
  platform::MenuItem mnuNEW{&mnuFILE, QStringLiteral("新規作成(&N)")};
  platform::MenuItem mnuOPEN{&mnuFILE, QStringLiteral("KVZﾌｧｲﾙを開く(&O)")};
  platform::MenuItem mnuSAVE{&mnuFILE, QStringLiteral("KVZﾌｧｲﾙを保存(&S)")};
  platform::MenuItem mnuHAIHU{&mnuFILE, QStringLiteral("KVZﾌｧｲﾙを配布保存(&H)")};
  platform::MenuItem nmuEND{&mnuFILE, QStringLiteral("終了(&X)")};

  platform::MenuItem mnuOPTION{this, QStringLiteral("設定(&S)")};
  platform::MenuItem mnuFULL{&mnuOPTION, QStringLiteral("常に画面全体でスタート(&G)")};
  platform::MenuArray mnuFULL_FL{&mnuFULL, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuGYOMI{&mnuOPTION, QStringLiteral("画像読込モード(&M)")};
  platform::MenuArray mnuYOMI{
      &mnuGYOMI, {QStringLiteral("互換モード"), QStringLiteral("読込優先モード （標準）")}};
  platform::MenuItem mnuTIME{&mnuOPTION, QStringLiteral("時間設定(&J)")};
  platform::MenuItem mnuKURI{&mnuOPTION, QStringLiteral("繰り返し(&K)")};
  platform::MenuArray mnuKUFL{&mnuKURI, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuWAVLIST{&mnuOPTION, QStringLiteral("WAV,MID,MP3リスト")};
  platform::MenuItem mnuOTO{&mnuOPTION, QStringLiteral("効果音設定(&S)")};
  platform::MenuArray mnuKOU{&mnuOTO, SoundModeCaptions()};
  platform::MenuItem mnuDOUKI{&mnuOPTION, QStringLiteral("    WAV効果音同期(&D)")};
  platform::MenuArray mnuDOU{&mnuDOUKI, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuKOICHI{&mnuOPTION, QStringLiteral("    画像連動効果音位置(&I)")};
  platform::MenuArray mnuKOICHI1{
      &mnuKOICHI, {QStringLiteral("ﾃｷｽﾄ表示前に再生"), QStringLiteral("ﾃｷｽﾄ表示後に再生")}};
  platform::MenuItem mnuTEXT0{&mnuOPTION, QStringLiteral("テキスト表示マクロ(&T)")};
  platform::MenuArray mnuTEXT{&mnuTEXT0, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuRENF{&mnuOPTION, QStringLiteral("画像連動フォルダ指定(&F)")};
  platform::MenuItem mnuRAND{&mnuOPTION, QStringLiteral("ランダム実行(&R)")};
  platform::MenuArray mnuRANDFL{&mnuRAND, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuKYOUTU{&mnuOPTION, QStringLiteral("共通設定(&P)")};
  platform::MenuItem mnuAUTO{&mnuKYOUTU, QStringLiteral("オートスタート")};
  platform::MenuArray mnuAUT{&mnuAUTO, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuCTRL{&mnuKYOUTU, QStringLiteral("コントロールBOX")};
  platform::MenuArray mnuCTL{&mnuCTRL, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuCTRL_P{&mnuKYOUTU, QStringLiteral("コントロールBOX位置")};
  platform::MenuArray mnuCTL_P{&mnuCTRL_P, {QStringLiteral("右上"), QStringLiteral("右下")}};
  platform::MenuItem mnuSIZE0{&mnuKYOUTU, QStringLiteral("サイズ調整")};
  platform::MenuArray mnuSIZE{
      &mnuSIZE0, {QStringLiteral("調整１"), QStringLiteral("調整２"), QStringLiteral("なし")}};
  platform::MenuItem mnuLSA{&mnuKYOUTU, QStringLiteral("リスト（エラー）削除")};
  platform::MenuArray mnuLSAKU{&mnuLSA, {QStringLiteral("手動"), QStringLiteral("自動")}};
  platform::MenuItem mnuSOP{&mnuKYOUTU, QStringLiteral("スタートオプション")};
  platform::MenuArray mnuSOP1{&mnuSOP,
                              {QStringLiteral("先頭よりスタート"), QStringLiteral("継続スタート")}};
  platform::MenuItem mnuSTCH{&mnuKYOUTU, QStringLiteral("画面全体スタート確認")};
  platform::MenuArray mnuSTKAKU{&mnuSTCH, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuJYU{&mnuKYOUTU, QStringLiteral("重複起動許可")};
  platform::MenuArray mnuJYUF{&mnuJYU, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuHEADER{&mnuKYOUTU, QStringLiteral("ユーザーマクロヘッダー ")};
  platform::MenuArray menuHEAD{&mnuHEADER,
                               {QStringLiteral("ヘッダー選択"), QStringLiteral("なし")}};

  platform::MenuItem mnuGKO{this, QStringLiteral("画面効果(&G)")};
  platform::MenuItem mnuHYO{&mnuGKO, QStringLiteral("画面表示効果(&H)")};
  platform::MenuArray mnuHKO{&mnuHYO, EffectCaptions(false)};
  platform::MenuItem mnuSYOU{&mnuGKO, QStringLiteral("画面消去効果(&D)")};
  platform::MenuArray mnuSYOUKO{&mnuSYOU, EffectCaptions(true)};
  platform::MenuItem mnuKSP{&mnuGKO, QStringLiteral("効果スピード(&S)")};
  platform::MenuArray mnuKSPSEL{&mnuKSP, {QStringLiteral("可変"), QStringLiteral("固定")}};
  platform::MenuItem mnuHKSP{&mnuGKO, QStringLiteral("     表示効果スピード")};
  platform::MenuItem mnuSKSP{&mnuGKO, QStringLiteral("     消去効果スピード")};
  platform::MenuItem mnuKA{&mnuGKO, QStringLiteral("画像重ね合せ処理(&K)")};
  platform::MenuArray mnuKASANE{
      &mnuKA,
      {QStringLiteral("なし"), QStringLiteral("重ね合せ（カラー）"),
       QStringLiteral("重ね合せ（白黒化）"), QStringLiteral("重ね合せ（２値化）"),
       QStringLiteral("重ね合せ（おまかせ）")}};
  platform::MenuItem mnuKAHAI{&mnuGKO, QStringLiteral("     画像重ね合せ背景色")};
  platform::MenuArray mnuKAIRO{
      &mnuKAHAI,
      {QStringLiteral("濃い灰"), QStringLiteral("薄い灰"), QStringLiteral("黒"),
       QStringLiteral("薄赤"), QStringLiteral("薄茶"), QStringLiteral("薄黄"),
       QStringLiteral("薄緑"), QStringLiteral("薄水色"), QStringLiteral("薄青"),
       QStringLiteral("薄ピンク")}};
  platform::MenuItem mnuKS{&mnuGKO, QStringLiteral("画像サイズ")};
  platform::MenuArray mnuKASAS{
      &mnuKS,
      {QStringLiteral("画面の１００％"), QStringLiteral("画面の  ８０％"),
       QStringLiteral("画面の  ６０％"), QStringLiteral("画面の  ４０％"),
       QStringLiteral("画面の  ２０％"), QStringLiteral("おまかせ"), QStringLiteral("調整なし")}};
  platform::MenuItem mnuHYUJIICHI{&mnuGKO, QStringLiteral("画像表示位置(&I)")};
  platform::MenuArray mnuHICHI{&mnuHYUJIICHI, {QStringLiteral("中央"), QStringLiteral("ランダム")}};

  platform::MenuItem mnuICHI{this, QStringLiteral("４画面(&M)")};
  platform::MenuItem mnuURU{this, QStringLiteral("KVZリンク(&U)")};

  platform::MenuItem mnuCDM{this, QStringLiteral("CD再生(&C)")};
  platform::MenuItem cdRN{&mnuCDM, QStringLiteral("曲順設定(&N)")};
  platform::MenuArray mnuCDRND{
      &cdRN,
      {QStringLiteral("トラック順"), QStringLiteral("ランダム"), QStringLiteral("プログラム")}};
  platform::MenuItem mnuCD{&mnuCDM, QStringLiteral("トラック設定(&T)")};
  platform::MenuItem mnuCDRP{&mnuCDM, QStringLiteral("１曲リピート(&R)")};
  platform::MenuArray mnuCDR{&mnuCDRP, {QStringLiteral("あり"), QStringLiteral("なし")}};
  platform::MenuItem mnuCDW{&mnuCDM, QStringLiteral("ＣＤ＋画像連動(WAV)(&P)")};
  platform::MenuArray mnuCDWAV{&mnuCDW, {QStringLiteral("あり"), QStringLiteral("なし")}};

  platform::MenuItem mnuSETU{this, QStringLiteral("説明(&H)")};
  platform::MenuItem mnuGAI{&mnuSETU, QStringLiteral("機能概要.txt")};
  platform::MenuItem mnuREADME{&mnuSETU, QStringLiteral("Readme.txt")};
  platform::MenuItem mnuSUB{&mnuSETU, QStringLiteral("マクロ.txt")};

  // ---- handlers ----------------------------------------------------------------------------
  // The window's load, activation, paint, resize and unload are mainwindow::MainWindow's.
  // "終了": unloads the window, which ends the program (mainwindow/).
  void nmuEND_Click();

  // Show-option menus (engine/form1_menus.cpp); ConnectMenus connects them.
  void ConnectMenus();
  void mnuFULL_FL_Click(int index);
  void mnuYOMI_Click(int index);
  void mnuTIME_Click();
  void mnuKUFL_Click(int index);
  void mnuRANDFL_Click(int index);
  void mnuAUT_Click(int index);
  void mnuCTL_Click(int index);
  void mnuCTL_P_Click(int index);
  void mnuSIZE_Click(int index);
  void mnuLSAKU_Click(int index);
  void mnuSOP1_Click(int index);
  void mnuSTKAKU_Click(int index);
  void mnuJYUF_Click(int index);
  void mnuKASANE_Click(int index);
  void mnuKAIRO_Click(int index);
  void mnuKASAS_Click(int index);
  void mnuHICHI_Click(int index);

  // ---- show buttons and show timers (engine/form1_show.cpp, engine/slidetimer.cpp) --------
  // The constructor connects them through engine::ConnectShowHandlers.
  void Command1_Click();   // START; the editors start a show through it
  void Command2_Click();   // PAUSE
  void Command3_Click();   // STOP; the slide timer ends a show through it
  void Command4_Click();   // 画面全体: the full-screen start
  void Command5_Click();   // 前画面
  void Command7_Click();   // 次画面
  void Command6_Click();   // ｽﾗｲﾄﾞﾘｽﾄ
  void Command10_Click();  // BGM
  void Command11_Click();  // ｽｹｼﾞｭｰﾙ
  void Timer1_Timer();     // the slide timer's tick
  void Timer3_Timer();     // the end of a macro line's delay

  // mnuDOUKI and mnuKOICHI enabled exactly when a picture-linked WAV plays in the
  // current sound mode; in the picture-linked MIDI mode only mnuKOICHI.
  void ApplyLinkedWavMenuRule();
  // Preview box size from the window's height and width (twips).
  void SizePreviewBox();
  // FrameExtraHeight = the window's height at load less 8200, its frame included: the
  // frame is known only once the window is on screen, so it is added when it appears.
  void MeasureFrameAtLoad();

  // ---- the window's own values -------------------------------------------------------------
  short SkipNextResize = 0;  // 1 after the automatic full-screen start: next resize ignored
  bool ShuttingDown() const { return shuttingDown_; }

 protected:
  // The frame height counted in FrameExtraHeight follows the window's frame.
  void FollowFrame();
  // The shutdown has begun: the windows closing with it do not show this one again.
  void SetShuttingDown() { shuttingDown_ = true; }

 private:
  static QStringList SoundModeCaptions();
  static QStringList EffectCaptions(bool erase);
  void BuildLayout();
  void ConnectMacroButtons();
  // The menu ticks follow their settings (SettingMenus).
  void JoinSettingMirrors();
  int FrameTwips() const;

  std::array<std::unique_ptr<platform::PictureBox>, kPicButtonCount> picture2_;
  bool shuttingDown_ = false;
  int frameAtLoad_ = 0;  // frame height (twips) counted in FrameExtraHeight
};

// The main window, loaded (running Form_Load, the whole start-up) on first reference;
// made by the services' MakeMainWindow.
Form1& form1();
// The main window when it is loaded, else nullptr; never loads it.
Form1* Form1IfLoaded();

// Draws the title panel into the preview box once per run, checking the colour depth.
void DrawTitlePanel();

// Tests of the title panel: a shorter hold, a look at the panel while it is held, and
// the colour the display check reads.
struct TitlePanelHooks {
  double holdSeconds = 2.0;
  std::function<void()> onHold;
  std::optional<long> forcedCheckColour;  // &HBBGGRR
};
TitlePanelHooks& TitlePanelTestHooks();

// The choice mechanism of every choice menu: the item of the current value loses its
// tick, the value becomes `index`, item `index` is ticked. A current value outside the
// array just has no tick to remove.
void ChooseMenuItem(platform::MenuArray& menu, short& value, int index);
// Shows a value read from a file: every item loses its tick, then item `value` (when it
// exists) is ticked.
void TickMenuItem(platform::MenuArray& menu, int value);

struct ShowSettings;

// A show setting and the main window's choice menu that shows it.
struct SettingMenu {
  short ShowSettings::*setting;
  platform::MenuArray Form1::*menu;
  short startValue;  // the value start-up gives it (-1: start-up leaves it)
};
// Every show setting that has a choice menu. The main window ticks its menus from it when
// it is built (following the settings through core/mirrors.h); start-up gives the
// settings their first values from it; the files' readers refresh the settings they read.
const std::vector<SettingMenu>& SettingMenus();

}  // namespace core
