// The main window's show-option menus.
#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "engine/surfaces.h"
#include "platform/dialogs.h"

namespace core {

namespace {

// Message of a show-option choice: OK only, no icon.
void Explain(const QString& text, const QString& title) {
  platform::MsgBox(text, platform::vbOKOnly, title);
}

// The control box at the right edge of the primary screen, at its top or bottom. The box
// places itself on the main window's monitor again whenever it is activated.
void PlaceControlBoxOnScreen(bool atBottom) {
  engine::Slidescreen2& box = engine::slidescreen2();
  const int left = platform::ScreenWidth() - box.Width();
  const int top = atBottom ? platform::ScreenHeight() - box.Height() : 0;
  box.Move(left, top);
}

}  // namespace

void Form1::ConnectMenus() {
  using platform::MenuArray;
  using platform::MenuItem;
  connect(&mnuFULL_FL, &MenuArray::Click, this, &Form1::mnuFULL_FL_Click);
  connect(&mnuYOMI, &MenuArray::Click, this, &Form1::mnuYOMI_Click);
  connect(&mnuTIME, &MenuItem::Click, this, &Form1::mnuTIME_Click);
  connect(&mnuKUFL, &MenuArray::Click, this, &Form1::mnuKUFL_Click);
  connect(&mnuRANDFL, &MenuArray::Click, this, &Form1::mnuRANDFL_Click);
  connect(&mnuAUT, &MenuArray::Click, this, &Form1::mnuAUT_Click);
  connect(&mnuCTL, &MenuArray::Click, this, &Form1::mnuCTL_Click);
  connect(&mnuCTL_P, &MenuArray::Click, this, &Form1::mnuCTL_P_Click);
  connect(&mnuSIZE, &MenuArray::Click, this, &Form1::mnuSIZE_Click);
  connect(&mnuLSAKU, &MenuArray::Click, this, &Form1::mnuLSAKU_Click);
  connect(&mnuSOP1, &MenuArray::Click, this, &Form1::mnuSOP1_Click);
  connect(&mnuSTKAKU, &MenuArray::Click, this, &Form1::mnuSTKAKU_Click);
  connect(&mnuJYUF, &MenuArray::Click, this, &Form1::mnuJYUF_Click);
  connect(&mnuKASANE, &MenuArray::Click, this, &Form1::mnuKASANE_Click);
  connect(&mnuKAIRO, &MenuArray::Click, this, &Form1::mnuKAIRO_Click);
  connect(&mnuKASAS, &MenuArray::Click, this, &Form1::mnuKASAS_Click);
  connect(&mnuHICHI, &MenuArray::Click, this, &Form1::mnuHICHI_Click);
}

void Form1::mnuFULL_FL_Click(int index) {
  ChooseMenuItem(mnuFULL_FL, Settings().AlwaysFullScreenOff, index);
}

void Form1::mnuYOMI_Click(int index) { ChooseMenuItem(mnuYOMI, Settings().PictureLoadMode, index); }

void Form1::mnuTIME_Click() {
  ShowSettings& s = Settings();
  const QString answer =
      platform::InputBox(QStringLiteral("スライド間隔（秒）を設定してください。\r\n(１～６０秒）"),
                         QStringLiteral("スライド間隔"), QString::number(s.SlideIntervalSeconds));
  if (answer.isEmpty()) return;
  const double value = SafeVal(answer);
  if (value >= 1 && value <= 60) {
    Timer1.SetInterval(platform::CLng(value * 1000));
    s.SlideIntervalSeconds = platform::CLng(value);
  } else {
    platform::MsgBox(QStringLiteral("設定が不適切です"), platform::vbExclamation,
                     QStringLiteral("ｽﾗｲﾄﾞ間隔"));
  }
}

void Form1::mnuKUFL_Click(int index) {
  ChooseMenuItem(mnuKUFL, Settings().RepeatOff, index);
  if (index == 0) {
    Explain(QStringLiteral("スライド表示が最終になると再び最初から繰り返します。\r\n"
                           "（ＫＶＺリンクは除く）"),
            QStringLiteral("繰り返し"));
  } else {
    // No repetition leaves nothing to pick at random from.
    ChooseMenuItem(mnuRANDFL, Settings().RandomOrderOff, 1);
  }
}

void Form1::mnuRANDFL_Click(int index) {
  ChooseMenuItem(mnuRANDFL, Settings().RandomOrderOff, index);
  if (index == 0) {
    Explain(QStringLiteral("スライドリストをランダムに実行します。\r\n"
                           "（ＫＶＺリンクでは実行されません。）"),
            QStringLiteral("ランダム実行"));
    ChooseMenuItem(mnuKUFL, Settings().RepeatOff, 0);
  }
}

void Form1::mnuAUT_Click(int index) {
  ChooseMenuItem(mnuAUT, Settings().AutoStartOff, index);
  if (index == 0) {
    Explain(QStringLiteral(
                "スライドショー再立ち上げ時に自動的にスライド画面全体表示スタート待ちになります。"
                "\r\n（この設定はＫＶＺファイルに保存されません）"),
            QStringLiteral("オートスタート"));
  }
}

void Form1::mnuCTL_Click(int index) {
  ChooseMenuItem(mnuCTL, Settings().ControlBoxOff, index);
  if (index == 0) {
    Explain(QStringLiteral("画面全体表示において、ｺﾝﾄﾛｰﾙBOXが表示されます。\r\n"
                           "（この設定はＫＶＺファイルには保存されません）"),
            QStringLiteral("コントロールＢＯＸ"));
  } else {
    Explain(QStringLiteral("画面全体表示において、ｺﾝﾄﾛｰﾙBOXが消去されます。"),
            QStringLiteral("コントロールＢＯＸ"));
  }
}

void Form1::mnuCTL_P_Click(int index) {
  ChooseMenuItem(mnuCTL_P, Settings().ControlBoxAtBottom, index);
  PlaceControlBoxOnScreen(index == 1);
}

void Form1::mnuSIZE_Click(int index) {
  ChooseMenuItem(mnuSIZE, Settings().SizeAdjustMode, index);
  if (index == 0) {
    Explain(QStringLiteral("画面サイズに収まるように縮小調整が行われます。\r\n"
                           "（この設定はＫＶＺファイルには保存されません）"),
            QStringLiteral("全画面サイズ調整"));
  } else if (index == 1) {
    Explain(QStringLiteral("画面サイズに合わせた最適な縮小調整が行われます。\r\n"
                           "（この設定はＫＶＺファイルには保存されません）"),
            QStringLiteral("全画面サイズ調整"));
  }
}

void Form1::mnuLSAKU_Click(int index) {
  ChooseMenuItem(mnuLSAKU, Settings().ErrorEntryAutoRemove, index);
  if (index == 1) {
    Explain(QStringLiteral(
                "スライド実行中に読込みエラーが発生した場合、エラーファイルはリストより自動的に削除"
                "されます。\r\n（この設定はＫＶＺファイルには保存されません）"),
            QStringLiteral("リスト（エラー）削除"));
  }
}

void Form1::mnuSOP1_Click(int index) {
  ChooseMenuItem(mnuSOP1, Settings().ContinueStart, index);
  if (index == 1) {
    Explain(QStringLiteral("スライドショーを前回終了位置より継続スタートします。\r\n"
                           "（この設定はＫＶＺファイルに保存されません）"),
            QStringLiteral("スタートオプション"));
  } else {
    Lists().LastShownSlideIndex = 0;
  }
}

void Form1::mnuSTKAKU_Click(int index) {
  ChooseMenuItem(mnuSTKAKU, Settings().FullStartConfirmOff, index);
}

void Form1::mnuJYUF_Click(int index) {
  ChooseMenuItem(mnuJYUF, Settings().SecondInstanceOff, index);
}

void Form1::mnuKASANE_Click(int index) {
  ChooseMenuItem(mnuKASANE, Settings().OverlayMode, index);
  engine::Slidescreen& screen = engine::slidescreen();
  if (index == 0) {
    screen.P2.SetBackColor(platform::RGB(0, 0, 0));
    mnuKAHAI.SetEnabled(false);
  } else {
    mnuKAHAI.SetEnabled(true);
    screen.P2.Move(0, 0, screen.ScaleWidth(), screen.ScaleHeight());
    engine::ApplyScreenBackColor();
  }
}

void Form1::mnuKAIRO_Click(int index) {
  ChooseMenuItem(mnuKAIRO, Settings().OverlayBackColorIndex, index);
}

void Form1::mnuKASAS_Click(int index) {
  ChooseMenuItem(mnuKASAS, Settings().PictureSizeMode, index);
}

void Form1::mnuHICHI_Click(int index) {
  ChooseMenuItem(mnuHICHI, Settings().PicturePosition, index);
}

}  // namespace core
