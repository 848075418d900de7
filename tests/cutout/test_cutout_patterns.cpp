// The sixteen cut-out patterns: answers to their questions and a plotted outline give the
// macro text byte for byte, as it lands in the picture's macro file (code page 932, CR LF).
#include <gtest/gtest.h>

#include <QStringList>
#include <variant>
#include <vector>

#include "cutout/cutout_patterns.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"

namespace {

using cutout::BuildPatternText;
using cutout::ComputeGenerationValues;
using cutout::GenerationInputs;
using platform::DialogCall;
using platform::DialogKind;

// One answer to a dialog: typed text (input box or chosen file), Cancel, Yes or No.
struct Typed {
  const char* text;
};
struct Cancel {};
struct Yes {};
struct No {};
struct Ok {};
using Answer = std::variant<Typed, Cancel, Yes, No, Ok>;

void Script(platform::ScriptedDialogs& d, const std::vector<Answer>& answers) {
  for (const Answer& a : answers) {
    if (auto* t = std::get_if<Typed>(&a))
      d.AnswerText(QString::fromUtf8(t->text));
    else if (std::holds_alternative<Cancel>(a))
      d.AnswerCancel();
    else if (std::holds_alternative<Ok>(a))
      d.Answer(platform::vbOK);
    else
      d.Answer(std::holds_alternative<Yes>(a) ? platform::vbYes : platform::vbNo);
  }
}

std::vector<std::string> Split(const QString& text) {
  std::vector<std::string> out;
  for (const QString& l : text.split(QStringLiteral("\r\n"))) out.push_back(l.toStdString());
  return out;
}

QString Lines(const std::vector<const char*>& lines) {
  QString s;
  for (const char* l : lines) s += QString::fromUtf8(l) + QStringLiteral("\r\n");
  return s;
}

// A 1920 x 1080 screen and a 200 x 100 outline at (100, 50) of button 5.
GenerationInputs Inputs(int nameChoice = 0) {
  GenerationInputs in;
  in.ButtonNumberText = QStringLiteral("5");
  in.CutoutPicturePath = QStringLiteral("/pics/cat.jpg");
  in.NameChoice = nameChoice;
  in.AppFolder = QStringLiteral("/app/");
  in.ScreenWidthPx = 1920;
  in.ScreenHeightPx = 1080;
  in.PlotLeft = 100;
  in.PlotTop = 50;
  in.PlotRight = 300;
  in.PlotBottom = 150;
  return in;
}

struct PatternCase {
  const char* name;
  int pattern;
  int nameChoice;
  std::vector<Answer> answers;
  std::vector<const char*> expected;
};

#define SHIFT "MovX=-100  //切取画像原点補正値X", "MovY=-50  //切取画像原点補正値Y"
#define DATA2 "PicPBData(5,\"/pics/cat_Pb05.dat\")  //画像切取座標データ"
#define SHOW "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示"
#define RESETS                                                                      \
  "PicPBType=0  //ピクチャータイプを初期に戻す", "CurrentX=0  //X座標を原点に戻す", \
      "CurrentY=0  //Y座標を原点に戻す"
#define COMMENT "//切取り画像の移動(\uff38移動数,\uff39移動数,移動時間)"

const std::vector<PatternCase>& Cases() {
  static const std::vector<PatternCase> cases = {
      {"spread_defaults",
       0,
       0,
       {Cancel{}, Cancel{}},
       {"//Pb5:切取画像位置からランダムに発散", "SavePic  //現時点の画像を保存する",
        "ScreenXY=0 //ピクチャー座標", "PicPBData(5,\"/pics/cat_Pb05.dat\") //画像切取座標データ",
        "Loop= 5  //EndLoopまでを 5回繰り返す", "CurrentX=100  //表示開始座標X",
        "CurrentY=50  //表示開始座標Y", SHIFT, SHOW,
        "MovPB5(RND,RND, 10)  //切取り画像の移動（ランダムに移動）",
        "SavePic  //現時点の画像を保存する", "EndLoop  //Loop終了",
        "PicPB5(0,\"\")  //切取り画像消去", RESETS}},
      // Typed blanks and fractions are written as the tested whole number.
      {"move_bare_names_padded_answers",
       1,
       1,
       {Typed{"  7"}, Typed{"2.5"}},
       {"//Pb5:切取画像位置からランダムに移動", "SavePic  //現時点の画像を保存する",
        "ScreenXY=0 //ピクチャー座標", "PicPBData(5,\"cat_Pb05.dat\") //画像切取座標データ",
        "CurrentX=100  //表示開始座標X", "CurrentY=50  //表示開始座標Y", SHIFT,
        "PicPB5(0,\"cat.jpg\")  //切取り画像表示", "Loop=7  //EndLoopまでを7回繰り返す",
        "MovPB5(RND,RND,2)  //切取り画像の移動（ランダムに移動）", "EndLoop  //Loop終了",
        "SavePic  //現時点の画像を保存する", "PicPB5(0,\"\")  //切取り画像消去", RESETS}},
      {"square",
       2,
       0,
       {Typed{"2"}, Typed{"0"}},
       {"//Pb5:切取画像位置から□に移動", "SavePic  //現時点の画像を保存する",
        "ScreenXY=0  //ピクチャー座標", DATA2, "CurrentX=100  //表示開始座標X",
        "CurrentY=50  //表示開始座標Y", SHIFT, SHOW, "Loop=2  //EndLoopまでを2回繰り返す",
        "MovPB5(100,0,0)  //切取り画像の右移動", "MovPB5(0,100,0)  //切取り画像の下移動",
        "MovPB5(-100,0,0)  //切取り画像の左移動", "MovPB5(0,-100,0)  //切取り画像の上移動",
        "EndLoop  //Loop終了", "PicPB5(0,\"\")  //切取り画像消去", RESETS}},
      {"top_left_to_centre",
       3,
       0,
       {Typed{"20"}},
       {"//Pb5:切取画像を左上から中央へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "CurrentX=0  //表示開始座標X",
        "CurrentY=0  //表示開始座標Y", SHIFT, DATA2, SHOW, "MovPB5(860,490,20)  " COMMENT, RESETS}},
      {"right_to_centre",
       4,
       0,
       {Cancel{}},
       {"//Pb5:切取画像を右から中央へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "CurrentX=1920  //表示開始座標X",
        "CurrentY=490  //表示開始座標Y", SHIFT, DATA2, SHOW, "MovPB5(-1060,0, 10)  " COMMENT,
        RESETS}},
      {"centre_to_left",
       5,
       0,
       {Typed{"1"}},
       {"//Pb5:切取画像を中央から左へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "OverPic=1  //MOVPBは移動制限なし",
        "CurrentX=860  //表示開始座標X", "CurrentY=490  //表示開始座標Y", SHIFT, DATA2, SHOW,
        "MovPB5(-1060,0,1)  " COMMENT, "OverPic=0  //MOVPBはスクリーン以外を移動しない", RESETS}},
      {"right_to_left",
       6,
       0,
       {Cancel{}},
       {"//Pb5:切取画像を右から左へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "OverPic=1  //MOVPBは移動制限なし",
        "CurrentX=1920  //表示開始座標X", "CurrentY=490  //表示開始座標Y", SHIFT, DATA2, SHOW,
        "MovPB5(-2120,0, 10)  " COMMENT, "OverPic=0  //MOVPBはスクリーン以外を移動しない", RESETS}},
      {"right_to_left_ticker",
       7,
       0,
       {Typed{"春のお知らせ"}, Typed{"100"}, Cancel{}, Typed{"5"}},
       {"//Pb5:切取画像を右から左へ移動してテロップを流す", "ScreenXY=1 //スクリーン座標",
        "Cls  //テキスト画面消去", "RGB(255,255,255)  //テキストカラー白",
        "CurrentY=100  //表示開始座標Y",
        "Telop2(100,100,\"春のお知らせ\")  //ここにいテロップを記述する。",
        "OverPic=1  //MOVPBは移動制限なし", DATA2, "Loop= 3  //EndLoopまでを 3回繰り返す",
        "CurrentX=1920  //表示開始座標X", "CurrentY=490  //表示開始座標Y", SHIFT, SHOW,
        "MovPB5(-2120,0,5)  " COMMENT, "EndLoop  //Loop終了",
        "Telop2(\"\")\u3000//テロップ終了（消去）",
        "OverPic=0  //MOVPBはスクリーン以外を移動しない", RESETS}},
      {"top_to_centre",
       8,
       0,
       {Typed{"3"}},
       {"//Pb5:切取画像を上から中央へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "CurrentX=860  //表示開始座標X",
        "CurrentY=-100  //表示開始座標Y", SHIFT, DATA2, SHOW, "MovPB5(0,590,3)  " COMMENT, RESETS}},
      {"centre_down",
       9,
       0,
       {Typed{"3"}},
       {"//Pb5:切取画像を中央から下へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "OverPic=1  //MOVPBは移動制限なし",
        "CurrentX=860  //表示開始座標X", "CurrentY=490  //表示開始座標Y", SHIFT, DATA2, SHOW,
        "MovPB5(0,590,3)  " COMMENT, "OverPic=0  //MOVPBはスクリーン以外を移動しない", RESETS}},
      {"top_to_bottom",
       10,
       0,
       {Typed{"3"}},
       {"//Pb5:切取画像を上から下へ移動", "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する", "OverPic=1  //MOVPBは移動制限なし",
        "CurrentX=860  //表示開始座標X", "CurrentY=-100  //表示開始座標Y", SHIFT, DATA2, SHOW,
        "MovPB5(0,1180,3)  " COMMENT, "OverPic=0   //MOVPBはスクリーン以外を移動しない", RESETS}},
      {"rise_and_rotating_text",
       11,
       0,
       {Cancel{}, Cancel{}, Cancel{}, Typed{"ようこそ"}},
       {"//Pb5:切取画像を下から中央へ移動＋回転文字",
        "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する",
        "CurrentX=860  //表示開始座標X",
        "CurrentY=1080  //表示開始座標Y",
        SHIFT,
        DATA2,
        SHOW,
        "MovPB5(0,-590, 10)  " COMMENT,
        "PicPBType=0  //ピクチャータイプを初期に戻す",
        "CurrentX=1065  //X座標",
        "CurrentY=502  //Y座標",
        "TextOut(12,6,20,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1052  //X座標",
        "CurrentY=476  //Y座標",
        "TextOut(12,6,35,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1032  //X座標",
        "CurrentY=454  //Y座標",
        "TextOut(13,6,50,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1007  //X座標",
        "CurrentY=439  //Y座標",
        "TextOut(14,7,65,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=979  //X座標",
        "CurrentY=430  //Y座標",
        "TextOut(14,7,80,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=950  //X座標",
        "CurrentY=429  //Y座標",
        "TextOut(14,7,95,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=922  //X座標",
        "CurrentY=435  //Y座標",
        "TextOut(15,8,110,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=896  //X座標",
        "CurrentY=448  //Y座標",
        "TextOut(16,8,125,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=874  //X座標",
        "CurrentY=468  //Y座標",
        "TextOut(16,8,140,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=859  //X座標",
        "CurrentY=493  //Y座標",
        "TextOut(16,8,155,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=850  //X座標",
        "CurrentY=520  //Y座標",
        "TextOut(17,8,170,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=849  //X座標",
        "CurrentY=550  //Y座標",
        "TextOut(18,9,185,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=855  //X座標",
        "CurrentY=578  //Y座標",
        "TextOut(18,9,200,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=868  //X座標",
        "CurrentY=604  //Y座標",
        "TextOut(18,9,215,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=888  //X座標",
        "CurrentY=625  //Y座標",
        "TextOut(19,10,230,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=913  //X座標",
        "CurrentY=641  //Y座標",
        "TextOut(20,10,245,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=940  //X座標",
        "CurrentY=650  //Y座標",
        "TextOut(20,10,260,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=969  //X座標",
        "CurrentY=651  //Y座標",
        "TextOut(20,10,275,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=998  //X座標",
        "CurrentY=645  //Y座標",
        "TextOut(21,10,290,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1024  //X座標",
        "CurrentY=632  //Y座標",
        "TextOut(22,11,305,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1045  //X座標",
        "CurrentY=612  //Y座標",
        "TextOut(22,11,320,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1061  //X座標",
        "CurrentY=588  //Y座標",
        "TextOut(22,11,335,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1070  //X座標",
        "CurrentY=560  //Y座標",
        "TextOut(23,12,350,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "CurrentX=1071  //X座標",
        "CurrentY=531  //Y座標",
        "TextOut(24,12,365,\"ようこそ\")  //(文字高さ,文字幅,回転角度,文字列)",
        "Sleep=5  //時間待ち5秒"}},
      {"four_sides",
       12,
       0,
       {Typed{"5"}},
       {"//Pb5:切取画像を四方から中央へ移動",
        "ScreenXY=1  //スクリーン座標",
        "SavePic  //現時点の画像を保存する",
        DATA2,
        "CurrentX=-100  //表示開始座標X",
        "CurrentY=-50  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=-100  //表示開始座標X",
        "CurrentY=930  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1620  //表示開始座標X",
        "CurrentY=930  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1620  //表示開始座標X",
        "CurrentY=-50  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=0  //表示開始座標X",
        "CurrentY=6  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=0  //表示開始座標X",
        "CurrentY=874  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1520  //表示開始座標X",
        "CurrentY=874  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1520  //表示開始座標X",
        "CurrentY=6  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=100  //表示開始座標X",
        "CurrentY=62  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=100  //表示開始座標X",
        "CurrentY=818  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1420  //表示開始座標X",
        "CurrentY=818  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1420  //表示開始座標X",
        "CurrentY=62  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=200  //表示開始座標X",
        "CurrentY=118  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=200  //表示開始座標X",
        "CurrentY=762  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1320  //表示開始座標X",
        "CurrentY=762  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1320  //表示開始座標X",
        "CurrentY=118  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=300  //表示開始座標X",
        "CurrentY=174  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=300  //表示開始座標X",
        "CurrentY=706  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1220  //表示開始座標X",
        "CurrentY=706  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1220  //表示開始座標X",
        "CurrentY=174  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=400  //表示開始座標X",
        "CurrentY=230  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=400  //表示開始座標X",
        "CurrentY=650  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1120  //表示開始座標X",
        "CurrentY=650  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1120  //表示開始座標X",
        "CurrentY=230  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=500  //表示開始座標X",
        "CurrentY=286  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=500  //表示開始座標X",
        "CurrentY=594  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1020  //表示開始座標X",
        "CurrentY=594  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=1020  //表示開始座標X",
        "CurrentY=286  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=600  //表示開始座標X",
        "CurrentY=342  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=600  //表示開始座標X",
        "CurrentY=538  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=920  //表示開始座標X",
        "CurrentY=538  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=920  //表示開始座標X",
        "CurrentY=342  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=700  //表示開始座標X",
        "CurrentY=398  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=700  //表示開始座標X",
        "CurrentY=482  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=820  //表示開始座標X",
        "CurrentY=482  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=820  //表示開始座標X",
        "CurrentY=398  //表示開始座標Y",
        "PicPB5(0,\"/pics/cat.jpg\")  //切取り画像表示",
        "Sleep= .5  //時間待ち（秒）",
        "CurrentX=760  //表示開始座標X",
        "CurrentY=440  //表示開始座標Y",
        SHOW,
        "Sleep=0.1  //時間待ち0.1秒",
        RESETS}},
      {"jump_button_at_place_no_comment",
       13,
       0,
       {Yes{}, Cancel{}, Cancel{}},
       {"//Pb5:切取画像を画面遷移ボタンにします", "ScreenXY=0  //ピクチャー座標",
        "Menu1(1,\"スキップ\")  //メニュー番号(画面移動数，ボタン名称）",
        "CurrentX=100  //表示開始座標X", "CurrentY=50  //表示開始座標Y", SHIFT, DATA2,
        "PicPB5( 1,\"/pics/cat.jpg\")  //切取り画像表示", "MovPB5(-10,-10,1)  //切取り画像の移動",
        "MovPB5(10,10,1)    //切取り画像の移動", "PicPBType=0  //ピクチャータイプを初期に戻す",
        "CurrentX= 120  //X座標", "CurrentY=160  //Y座標", ""}},
      {"jump_button_on_screen_gradient",
       13,
       0,
       {No{}, Cancel{}, Cancel{}, Typed{"-3"}, Typed{"次へ"}, Yes{}},
       {"//Pb5:切取画像を画面遷移ボタンにします", "ScreenXY=1  //スクリーン座標",
        "Menu1(1,\"スキップ\")  //メニュー番号(画面移動数，ボタン名称）",
        "CurrentX= 100  //表示開始座標X", "CurrentY= 100  //表示開始座標Y", SHIFT, DATA2,
        "PicPB5(-3,\"/pics/cat.jpg\")  //切取り画像表示", "MovPB5(-10,-10,1)  //切取り画像の移動",
        "MovPB5(10,10,1)    //切取り画像の移動", "PicPBType=0  //ピクチャータイプを初期に戻す",
        "CurrentX= 120  //X座標", "CurrentY=210  //Y座標",
        "Grad(255,0,0,255,255,255,\"次へ\")  //グラデーションテキスト"}},
      // No file chosen: the program's own sound, named with its folder even for "配布用".
      {"sound_button_default_sound",
       14,
       1,
       {Cancel{}, Ok{}, Yes{}, Typed{"↑Pb5音声再生"}, No{}},
       {"//Pb5:切取画像をクリックすると音声(wav)が再生されます", "ScreenXY=0  //ピクチャー座標",
        "Menu1(1,\"スキップ\")  //メニュー番号(画面移動数，ボタン名称）",
        "CurrentX=100  //表示開始座標X", "CurrentY=50  //表示開始座標Y", SHIFT,
        "PicPBData(5,\"cat_Pb05.dat\")  //画像切取座標データ",
        "PicPB5(0,\"cat.jpg\",\"/app/PB.wav\")  //切取り画像表示+再生",
        "MovPB5(-10,-10,1)  //切取り画像の移動", "MovPB5(10,10,1)    //切取り画像の移動",
        "PicPBType=0  //ピクチャータイプを初期に戻す", "CurrentX= 120 //X座標",
        "CurrentY=160 //Y座標", "↑Pb5音声再生"}},
      {"sound_button_chosen_bare",
       14,
       1,
       {Typed{"/snd/bell.wav"}, Yes{}, Cancel{}},
       {"//Pb5:切取画像をクリックすると音声(wav)が再生されます", "ScreenXY=0  //ピクチャー座標",
        "Menu1(1,\"スキップ\")  //メニュー番号(画面移動数，ボタン名称）",
        "CurrentX=100  //表示開始座標X", "CurrentY=50  //表示開始座標Y", SHIFT,
        "PicPBData(5,\"cat_Pb05.dat\")  //画像切取座標データ",
        "PicPB5(0,\"cat.jpg\",\"bell.wav\")  //切取り画像表示+再生",
        "MovPB5(-10,-10,1)  //切取り画像の移動", "MovPB5(10,10,1)    //切取り画像の移動",
        "PicPBType=0  //ピクチャータイプを初期に戻す", "CurrentX= 120 //X座標",
        "CurrentY=160 //Y座標", ""}},
      {"movie_button",
       15,
       0,
       {Typed{"/mov/clip.mp4"}, Yes{}, Typed{"動画"}, Yes{}},
       {"//Pb5:切取画像をクリックすると動画が再生されます", "ScreenXY=0  //ピクチャー座標",
        "Menu1(1,\"スキップ\")  //メニュー番号(画面移動数，ボタン名称）",
        "CurrentX=100  //表示開始座標X", "CurrentY=50  //表示開始座標Y", SHIFT, DATA2,
        "PicPB5(0,\"/pics/cat.jpg\",\"/mov/clip.mp4\")  //切取り画像表示+再生",
        "MovPB5(-10,-10,1)  //切取り画像の移動", "MovPB5(10,10,1)    //切取り画像の移動",
        "PicPBType=0  //ピクチャータイプを初期に戻す", "CurrentX= 120 //X座標",
        "CurrentY=160 //Y座標", "Grad(0,255,0,255,255,255,\"動画\")  //グラデーションテキスト"}},
  };
  return cases;
}

class PatternTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTable, BuildsTheLinesByteForByte) {
  const PatternCase& c = GetParam();
  platform::ScriptedDialogs dialogs;
  Script(dialogs, c.answers);
  cutout::DialogQuestions questions;
  const auto text =
      BuildPatternText(c.pattern, ComputeGenerationValues(Inputs(c.nameChoice)), questions);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(dialogs.Pending(), 0) << "every scripted answer was asked for";
  const QString expected = Lines(c.expected);
  bool ok = false;
  const QByteArray bytes = platform::ToCp932(*text, &ok);
  ASSERT_TRUE(ok) << "every character fits code page 932";
  EXPECT_TRUE(bytes == platform::ToCp932(expected));
  // Readable diff on failure.
  const auto got = Split(*text), want = Split(expected);
  for (size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
    if (got[i] != want[i]) {
      ADD_FAILURE() << "line " << i + 1 << "\n  got:  " << got[i] << "\n  want: " << want[i];
      break;
    }
  }
  EXPECT_EQ(got.size(), want.size());
}

INSTANTIATE_TEST_SUITE_P(Cutout, PatternTable, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
