#include "cutout/cutout_patterns.h"

#include <QRegularExpression>
#include <cmath>

#include "core/common.h"
#include "core/point_file.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"

namespace cutout {
namespace {

using platform::CInt;

const QString kQuote = QStringLiteral("\"");

// 16-bit integer arithmetic: a result outside -32768..32767 is an overflow.
short Add16(long long a, long long b) {
  const long long r = a + b;
  if (r < -32768 || r > 32767) throw platform::VbError(platform::kErrOverflow, "Overflow");
  return static_cast<short>(r);
}

// The 16-bit value of a number text (a placement or an answer).
short TextToInt(const QString& text) { return CInt(core::SafeVal(text)); }

// A double rounded to 15 significant digits, as "g" text without exponent where that fits.
QString SignificantText(double value) {
  if (value == 0) return QStringLiteral("0");  // also -0
  QString t = QString::number(value, 'g', 15);
  return t;
}

// The speed question of the moving patterns.
const QString& SpeedPrompt() {
  static const QString p = QStringLiteral("切取画像の移動速さを入力してください。") + kCrLf +
                           QStringLiteral("    0:速い\uFF5E100:遅い\u3000");
  return p;
}
const QString kSpeedTitle = QStringLiteral("画像移動速さ入力");

// The description after "//Pb" and the button number.
const std::array<QString, kPatternCount>& Descriptions() {
  static const std::array<QString, kPatternCount> d = {
      QStringLiteral(":切取画像位置からランダムに発散"),
      QStringLiteral(":切取画像位置からランダムに移動"),
      QStringLiteral(":切取画像位置から□に移動"),
      QStringLiteral(":切取画像を左上から中央へ移動"),
      QStringLiteral(":切取画像を右から中央へ移動"),
      QStringLiteral(":切取画像を中央から左へ移動"),
      QStringLiteral(":切取画像を右から左へ移動"),
      QStringLiteral(":切取画像を右から左へ移動してテロップを流す"),
      QStringLiteral(":切取画像を上から中央へ移動"),
      QStringLiteral(":切取画像を中央から下へ移動"),
      QStringLiteral(":切取画像を上から下へ移動"),
      QStringLiteral(":切取画像を下から中央へ移動＋回転文字"),
      QStringLiteral(":切取画像を四方から中央へ移動"),
      QStringLiteral(":切取画像を画面遷移ボタンにします"),
      QStringLiteral(":切取画像をクリックすると音声(wav)が再生されます"),
      QStringLiteral(":切取画像をクリックすると動画が再生されます"),
  };
  return d;
}

// Offered by the questions for free text; chosen without "//", which the reader would cut.
const QString kDefaultTickerMessage = QStringLiteral("ご覧いただきありがとうございます。");
const QString kDefaultRotatingLetters = QStringLiteral("ようこそ");

// The lines of one pattern, each ended with CR LF.
class Text {
 public:
  explicit Text(const GenerationValues& v) : v_(v) {}
  Text& operator<<(const QString& line) {
    text_ += line + kCrLf;
    return *this;
  }
  QString Result() const { return text_; }

  // Lines shared by several patterns.
  QString Heading(int pattern) const {
    return QStringLiteral("//Pb") + v_.ButtonNumberText + Descriptions()[pattern];
  }
  QString ShapeData(const QString& blanks) const {
    return QStringLiteral("PicPBData(") + v_.ButtonNumberText + QStringLiteral(",") + kQuote +
           v_.PointFileRef + kQuote + QStringLiteral(")") + blanks +
           QStringLiteral("//画像切取座標データ");
  }
  QString Show() const {
    return QStringLiteral("PicPB") + v_.ButtonNumberText + QStringLiteral("(0,") + kQuote +
           v_.PictureRef + kQuote + QStringLiteral(")  //切取り画像表示");
  }
  QString StartX(const QString& x) const {
    return QStringLiteral("CurrentX=") + x + QStringLiteral("  //表示開始座標X");
  }
  QString StartY(const QString& y) const {
    return QStringLiteral("CurrentY=") + y + QStringLiteral("  //表示開始座標Y");
  }
  QString ShiftX() const {
    return QStringLiteral("MovX=") + v_.PlacementX[1] + QStringLiteral("  //切取画像原点補正値X");
  }
  QString ShiftY() const {
    return QStringLiteral("MovY=") + v_.PlacementY[1] + QStringLiteral("  //切取画像原点補正値Y");
  }
  QString Move(const QString& x, const QString& y, const QString& speed) const {
    return QStringLiteral("MovPB") + v_.ButtonNumberText + QStringLiteral("(") + x +
           QStringLiteral(",") + y + QStringLiteral(",") + speed +
           QStringLiteral(")  //切取り画像の移動(\uFF38移動数,\uFF39移動数,移動時間)");
  }
  QString MoveBy(const QString& args, const QString& speed, const QString& comment) const {
    return QStringLiteral("MovPB") + v_.ButtonNumberText + QStringLiteral("(") + args + speed +
           QStringLiteral(")  ") + comment;
  }

 private:
  const GenerationValues& v_;
  QString text_;
};

const QString kSave = QStringLiteral("SavePic  //現時点の画像を保存する");
const QString kScreenOrigin = QStringLiteral("ScreenXY=1  //スクリーン座標");
const QString kPictureOrigin = QStringLiteral("ScreenXY=0  //ピクチャー座標");
const QString kOverPicOn = QStringLiteral("OverPic=1  //MOVPBは移動制限なし");
const QString kOverPicOff = QStringLiteral("OverPic=0  //MOVPBはスクリーン以外を移動しない");
const QString kEndLoop = QStringLiteral("EndLoop  //Loop終了");
const QString kTypeReset = QStringLiteral("PicPBType=0  //ピクチャータイプを初期に戻す");
const QString kXReset = QStringLiteral("CurrentX=0  //X座標を原点に戻す");
const QString kYReset = QStringLiteral("CurrentY=0  //Y座標を原点に戻す");

QString LoopLine(const QString& count) {
  return QStringLiteral("Loop=") + count + QStringLiteral("  //EndLoopまでを") + count +
         QStringLiteral("回繰り返す");
}

// Patterns 0, 1 and 2: from the place on the picture.
QString FromPicturePlace(int pattern, const GenerationValues& v, CutoutQuestions& q) {
  static const QString prompts[3] = {QStringLiteral("発散回数を入力してください。"),
                                     QStringLiteral("移動回数を入力してください。"),
                                     QStringLiteral("周回数を入力してください。")};
  static const QString titles[3] = {QStringLiteral("発散回数入力"), QStringLiteral("移動回数入力"),
                                    QStringLiteral("周回数入力")};
  const QString count =
      q.AskNumber(prompts[pattern], titles[pattern], pattern == 2 ? 3 : 5, 1, 100);
  const QString speed = q.AskNumber(SpeedPrompt(), kSpeedTitle, 10, 0, 100);
  const QString startX = PlainNumberText(-core::SafeVal(v.PlacementX[1]));
  const QString startY = PlainNumberText(-core::SafeVal(v.PlacementY[1]));
  const QString blanks = pattern == 2 ? QStringLiteral("  ") : QStringLiteral(" ");
  const QString n = v.ButtonNumberText;

  Text t(v);
  t << t.Heading(pattern) << kSave;
  t << (pattern == 2 ? kPictureOrigin : QStringLiteral("ScreenXY=0 //ピクチャー座標"));
  t << t.ShapeData(blanks);
  const QString randomMove = t.MoveBy(QStringLiteral("RND,RND,"), speed,
                                      QStringLiteral("//切取り画像の移動（ランダムに移動）"));
  if (pattern == 0) {
    t << LoopLine(count) << t.StartX(startX) << t.StartY(startY) << t.ShiftX() << t.ShiftY()
      << t.Show() << randomMove << kSave << kEndLoop;
  } else if (pattern == 1) {
    t << t.StartX(startX) << t.StartY(startY) << t.ShiftX() << t.ShiftY() << t.Show()
      << LoopLine(count) << randomMove << kEndLoop << kSave;
  } else {
    t << t.StartX(startX) << t.StartY(startY) << t.ShiftX() << t.ShiftY() << t.Show()
      << LoopLine(count)
      << t.MoveBy(QStringLiteral("100,0,"), speed, QStringLiteral("//切取り画像の右移動"))
      << t.MoveBy(QStringLiteral("0,100,"), speed, QStringLiteral("//切取り画像の下移動"))
      << t.MoveBy(QStringLiteral("-100,0,"), speed, QStringLiteral("//切取り画像の左移動"))
      << t.MoveBy(QStringLiteral("0,-100,"), speed, QStringLiteral("//切取り画像の上移動"))
      << kEndLoop;
  }
  t << QStringLiteral("PicPB") + n + QStringLiteral("(0,\"\")  //切取り画像消去");
  t << kTypeReset << kXReset << kYReset;
  return t.Result();
}

// Patterns 3 and 4: from an edge to the centre.
QString ToCentre(int pattern, const GenerationValues& v, CutoutQuestions& q) {
  const QString speed = q.AskNumber(SpeedPrompt(), kSpeedTitle, 10, 0, 100);
  QString startX = QStringLiteral("0"), startY = QStringLiteral("0"), moveX, moveY;
  if (pattern == 3) {
    moveX = IntText(Add16(TextToInt(v.PlacementX[5]), -TextToInt(v.PlacementX[1])));
    moveY = IntText(Add16(TextToInt(v.PlacementY[5]), -TextToInt(v.PlacementY[1])));
  } else {
    startX = PlainNumberText(v.ScreenWidthPx);
    startY = IntText(CInt((v.ScreenHeightPx - v.ShapeHeight) / 2));
    moveX = IntText(CInt(-(v.ScreenWidthPx + v.ShapeWidth) / 2));
    moveY = QStringLiteral("0");
  }
  Text t(v);
  t << t.Heading(pattern) << kScreenOrigin << kSave << t.StartX(startX) << t.StartY(startY)
    << t.ShiftX() << t.ShiftY() << t.ShapeData(QStringLiteral("  ")) << t.Show()
    << t.Move(moveX, moveY, speed) << kTypeReset << kXReset << kYReset;
  return t.Result();
}

// Patterns 5, 6, 8, 9 and 10: straight across.
QString Straight(int pattern, const GenerationValues& v, CutoutQuestions& q) {
  const QString speed = q.AskNumber(SpeedPrompt(), kSpeedTitle, 10, 0, 100);
  const double sw = v.ScreenWidthPx, sh = v.ScreenHeightPx;
  const double w = v.ShapeWidth, h = v.ShapeHeight;
  const auto centredX = [&] { return IntText(CInt((sw - w) / 2)); };
  const auto centredY = [&] { return IntText(CInt((sh - h) / 2)); };
  QString startX, startY, moveX = QStringLiteral("0"), moveY = QStringLiteral("0");
  switch (pattern) {
    case 5:
      startX = centredX();
      startY = centredY();
      moveX = IntText(CInt(-(sw + w) / 2));
      break;
    case 6:
      startX = PlainNumberText(sw);
      startY = centredY();
      moveX = PlainNumberText(-sw - w);
      break;
    case 8:
      startX = centredX();
      startY = IntText(-v.ShapeHeight);
      moveY = IntText(CInt((sh + h) / 2));
      break;
    case 9:
      startX = centredX();
      startY = centredY();
      moveY = IntText(CInt((sh + h) / 2));
      break;
    default:  // 10
      startX = centredX();
      startY = IntText(-v.ShapeHeight);
      moveY = IntText(CInt(sh + h));
      break;
  }
  const bool bound = pattern != 8;
  Text t(v);
  t << t.Heading(pattern) << kScreenOrigin << kSave;
  if (bound) t << kOverPicOn;
  t << t.StartX(startX) << t.StartY(startY) << t.ShiftX() << t.ShiftY()
    << t.ShapeData(QStringLiteral("  ")) << t.Show() << t.Move(moveX, moveY, speed);
  if (bound)
    t << (pattern == 10 ? QStringLiteral("OverPic=0   //MOVPBはスクリーン以外を移動しない")
                        : kOverPicOff);
  t << kTypeReset << kXReset << kYReset;
  return t.Result();
}

// Pattern 7: right to left with a ticker.
QString WithTicker(const GenerationValues& v, CutoutQuestions& q) {
  const QString message = q.AskText(QStringLiteral("メッセージを入力してください。（最大512文字）"),
                                    QStringLiteral("メッセージ入力"), kDefaultTickerMessage);
  const QString height =
      q.AskNumber(QStringLiteral("メッセージの表示位置（Y座標）を入力してください。") + kCrLf +
                      QStringLiteral("Y座標"),
                  QStringLiteral("メッセージ表示位置（Y座標）"), 0, 0, CInt(v.ScreenHeightPx) - 24);
  const QString count = q.AskNumber(QStringLiteral("切取画像の移動回数を入力してください。"),
                                    QStringLiteral("画像移動回数入力"), 3, 1, 100);
  const QString speed = q.AskNumber(SpeedPrompt(), kSpeedTitle, 10, 0, 100);
  const QString startX = PlainNumberText(v.ScreenWidthPx);
  const QString startY = IntText(CInt((v.ScreenHeightPx - v.ShapeHeight) / 2));
  const QString moveX = PlainNumberText(-v.ScreenWidthPx - v.ShapeWidth);

  Text t(v);
  t << t.Heading(7) << QStringLiteral("ScreenXY=1 //スクリーン座標")
    << QStringLiteral("Cls  //テキスト画面消去")
    << QStringLiteral("RGB(255,255,255)  //テキストカラー白") << t.StartY(height)
    << QStringLiteral("Telop2(100,100,") + kQuote + message + kQuote +
           QStringLiteral(")  //ここにいテロップを記述する。")
    << kOverPicOn << t.ShapeData(QStringLiteral("  ")) << LoopLine(count) << t.StartX(startX)
    << t.StartY(startY) << t.ShiftX() << t.ShiftY() << t.Show()
    << t.Move(moveX, QStringLiteral("0"), speed) << kEndLoop
    << QStringLiteral("Telop2(\"\")\u3000//テロップ終了（消去）") << kOverPicOff << kTypeReset
    << kXReset << kYReset;
  return t.Result();
}

// Pattern 11: up from below, then letters turned around the centre.
QString WithRotatingText(const GenerationValues& v, CutoutQuestions& q) {
  const QString speed = q.AskNumber(SpeedPrompt(), kSpeedTitle, 10, 0, 100);
  const short startSize =
      TextToInt(q.AskNumber(QStringLiteral("開始の文字サイズを入力してください。"),
                            QStringLiteral("開始文字サイズ入力"), 12, 6, 100));
  const short endSize =
      TextToInt(q.AskNumber(QStringLiteral("終了の文字サイズを入力してください。"),
                            QStringLiteral("終了文字サイズ入力"), 24, 6, 100));
  const QString letters = q.AskText(QStringLiteral("文字列を入力してください。"),
                                    QStringLiteral("文字列入力"), kDefaultRotatingLetters);
  const double sw = v.ScreenWidthPx, sh = v.ScreenHeightPx;
  const double w = v.ShapeWidth, h = v.ShapeHeight;
  const QString startX = IntText(CInt((sw - w) / 2));
  const QString startY = PlainNumberText(sh);
  const QString rise = IntText(CInt(-(sh + h) / 2));
  const double radius = std::sqrt((w / 2) * (w / 2) + (h / 2) * (h / 2));
  const double sizeStep = (endSize - startSize) / 24.0;
  double size = startSize;

  Text t(v);
  t << t.Heading(11) << kScreenOrigin << kSave << t.StartX(startX) << t.StartY(startY) << t.ShiftX()
    << t.ShiftY() << t.ShapeData(QStringLiteral("  ")) << t.Show()
    << t.Move(QStringLiteral("0"), rise, speed) << kTypeReset;
  for (int a = 20; a <= 370; a += 15) {
    const double rad = a / 180.0 * 3.14;
    const short x = CInt(sw / 2 + radius * std::cos(rad));
    const short y = CInt(sh / 2 + radius * std::sin(-rad));
    t << QStringLiteral("CurrentX=") + IntText(x) + QStringLiteral("  //X座標")
      << QStringLiteral("CurrentY=") + IntText(y) + QStringLiteral("  //Y座標")
      << QStringLiteral("TextOut(") + IntText(CInt(size)) + QStringLiteral(",") +
             IntText(CInt(size * 0.5)) + QStringLiteral(",") + IntText(a) + QStringLiteral(",") +
             kQuote + letters + kQuote + QStringLiteral(")  //(文字高さ,文字幅,回転角度,文字列)");
    size += sizeStep;
  }
  t << QStringLiteral("Sleep=5  //時間待ち5秒");
  return t.Result();
}

// Pattern 12: from the four corners to the centre.
QString FromFourSides(const GenerationValues& v, CutoutQuestions& q) {
  const QString answer = q.AskNumber(QStringLiteral("切取画像の移動速さを入力してください。") +
                                         kCrLf + QStringLiteral("    1:速い\uFF5E100:遅い  0.1秒×"),
                                     kSpeedTitle, 10, 1, 100);
  const QString wait = BlankLedNumberText(TextToInt(answer) * 0.1);
  const long long stepX = 100;
  const long long stepY = CInt(100 / v.ScreenWidthPx * v.ScreenHeightPx);
  const long long centreX = TextToInt(v.PlacementX[5]);
  const long long centreY = TextToInt(v.PlacementY[5]);

  Text t(v);
  t << t.Heading(12) << kScreenOrigin << kSave << t.ShapeData(QStringLiteral("  "));
  for (int k = 0; k <= 20; ++k) {
    long long x = 0, y = 0;
    for (int j = 1; j <= 4; ++j) {
      x = TextToInt(v.PlacementX[j]) + (j <= 2 ? k * stepX : -k * stepX);
      y = TextToInt(v.PlacementY[j]) + (j == 1 || j == 4 ? k * stepY : -k * stepY);
      t << t.StartX(IntText(x)) << t.StartY(IntText(y)) << t.Show()
        << QStringLiteral("Sleep=") + wait + QStringLiteral("  //時間待ち（秒）");
    }
    // x and y are the top-right corner's now.
    if (x < centreX + stepX || y > centreY - stepY) break;
  }
  t << t.StartX(v.PlacementX[5]) << t.StartY(v.PlacementY[5]) << t.Show()
    << QStringLiteral("Sleep=0.1  //時間待ち0.1秒") << kTypeReset << kXReset << kYReset;
  return t.Result();
}

// Patterns 13, 14 and 15: the cut-out as a button.
std::optional<QString> AsButton(int pattern, const GenerationValues& v, CutoutQuestions& q) {
  const QString n = v.ButtonNumberText;
  const QString folder = v.LinkedPicturePath.left(v.LinkedPicturePath.lastIndexOf('/'));
  QString linkedFile;
  QString defaultComment = QStringLiteral("↑Pb") + n;
  if (pattern == 14) {
    const auto chosen = q.ChooseFile(QStringLiteral("WAVファイルを選択してください"),
                                     QStringLiteral("WAV_Files (*.wav)|*.wav"), folder);
    if (!chosen) {
      q.Inform(QStringLiteral("ファイルが選択されていません。デフォルト音声を設定します。"),
               QStringLiteral("WAVファイル選択"));
      linkedFile = v.AppFolder + QStringLiteral("PB.wav");
    } else {
      linkedFile = v.BareNames ? core::GetFileNameOfPath(*chosen) : *chosen;
    }
    defaultComment += QStringLiteral("音声再生");
  } else if (pattern == 15) {
    const auto chosen = q.ChooseFile(
        QStringLiteral("動画ファイルを選択してください"),
        QStringLiteral("MP4_Files(*.mp4)|*.mp4|WMV_Files(*.wmv)|*.wmv|MOV_Files(*.mov)|*.mov|"
                       "AVI_Files(*.avi)|*.avi"),
        folder);
    if (!chosen) {
      q.Inform(QStringLiteral("動画ファイルが選択されていません。"),
               QStringLiteral("動画ファイル選択"));
      return std::nullopt;
    }
    linkedFile = v.BareNames ? core::GetFileNameOfPath(*chosen) : *chosen;
    defaultComment += QStringLiteral("動画再生");
  } else {
    defaultComment += QStringLiteral("画面遷移");
  }

  QString buttonX, buttonY, origin;
  if (q.AskYesNo(QStringLiteral("プロット画像位置をボタンにしますか？") + kCrLf +
                     QStringLiteral("（いいえ：ボタンのスクリーン座標を設定します。）"),
                 QStringLiteral("ボタン座標設定"))) {
    buttonX = IntText(v.PlotLeft);
    buttonY = IntText(v.PlotTop);
    origin = kPictureOrigin;
  } else {
    buttonX = q.AskNumber(QStringLiteral("スクリーン表示位置X座標を入力してください。"),
                          QStringLiteral("X座標入力"), 100, 0, CInt(v.ScreenWidthPx));
    buttonY = q.AskNumber(QStringLiteral("スクリーン表示位置Y座標を入力してください。"),
                          QStringLiteral("Y座標入力"), 100, 0, CInt(v.ScreenHeightPx));
    origin = kScreenOrigin;
  }
  QString jump;
  if (pattern == 13)
    jump = q.AskNumber(QStringLiteral("画面遷移数を入力してください。"),
                       QStringLiteral("画面遷移数入力"), 1, -9999, 9999);

  const QString comment = q.AskText(QStringLiteral("切取画像のコメントを入力してください。"),
                                    QStringLiteral("コメント入力"), defaultComment);
  QString commentLine;
  if (!comment.isEmpty()) {
    if (q.AskYesNo(QStringLiteral("コメントにグラデーションをつけますか？") + kCrLf +
                       QStringLiteral("（色合いはテキスト編集で調整してください。）"),
                   QStringLiteral("グラデーション"))) {
      static const QString starts[3] = {QStringLiteral("Grad(255,0,0,255,255,255,"),
                                        QStringLiteral("Grad(255,255,0,255,255,255,"),
                                        QStringLiteral("Grad(0,255,0,255,255,255,")};
      commentLine = starts[pattern - 13] + kQuote + comment + kQuote +
                    QStringLiteral(")  //グラデーションテキスト");
    } else {
      commentLine = comment;
    }
  }
  const short commentX = Add16(TextToInt(buttonX), CInt(v.ShapeWidth / 10.0));
  const short belowShape = Add16(TextToInt(buttonY), v.ShapeHeight);
  const short commentY = Add16(belowShape, 10);

  QString arguments;
  if (pattern == 13)
    arguments = QStringLiteral("(") + jump + QStringLiteral(",") + kQuote + v.PictureRef + kQuote +
                QStringLiteral(")  //切取り画像表示");
  else
    arguments = QStringLiteral("(0,") + kQuote + v.PictureRef + kQuote + QStringLiteral(",") +
                kQuote + linkedFile + kQuote + QStringLiteral(")  //切取り画像表示+再生");
  const QString blanks = pattern == 13 ? QStringLiteral("  ") : QStringLiteral(" ");

  Text t(v);
  t << t.Heading(pattern) << origin
    << QStringLiteral("Menu1(1,\"スキップ\")  //メニュー番号(画面移動数，ボタン名称）")
    << t.StartX(buttonX) << t.StartY(buttonY) << t.ShiftX() << t.ShiftY()
    << t.ShapeData(QStringLiteral("  ")) << QStringLiteral("PicPB") + n + arguments
    << QStringLiteral("MovPB") + n + QStringLiteral("(-10,-10,1)  //切取り画像の移動")
    << QStringLiteral("MovPB") + n + QStringLiteral("(10,10,1)    //切取り画像の移動") << kTypeReset
    << QStringLiteral("CurrentX=") + BlankLedIntText(commentX) + blanks + QStringLiteral("//X座標")
    << QStringLiteral("CurrentY=") + IntText(commentY) + blanks + QStringLiteral("//Y座標")
    << commentLine;
  return t.Result();
}

}  // namespace

// ---- number texts -----------------------------------------------------------------

QString IntText(long long value) { return QString::number(value); }

QString BlankLedIntText(long long value) {
  return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

QString PlainNumberText(double value) { return SignificantText(value); }

QString BlankLedNumberText(double value) {
  QString t = SignificantText(value);
  if (t.startsWith(QStringLiteral("0."))) t.remove(0, 1);
  if (t.startsWith(QStringLiteral("-0."))) t.remove(1, 1);
  return t.startsWith('-') ? t : QStringLiteral(" ") + t;
}

QString NarrowText(const QString& text) {
  QString out = text;
  for (QChar& c : out) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
      c = QChar(static_cast<char16_t>(u - 0xFF01 + 0x21));
    else if (u == 0x3000)
      c = QChar(u' ');
  }
  return out;
}

bool IsNumericText(const QString& text) {
  static const QRegularExpression decimal(
      QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?\\s*$"));
  static const QRegularExpression based(
      QStringLiteral("^\\s*&([hH][0-9a-fA-F]{1,8}|[oO][0-7]{1,11})\\s*$"));
  return decimal.match(text).hasMatch() || based.match(text).hasMatch();
}

double NumericTextValue(const QString& text) { return core::SafeVal(text); }

// ---- questions ---------------------------------------------------------------------

QString AskNumberInRange(const QString& prompt, const QString& title, int defaultValue,
                         int minValue, int maxValue) {
  const QString shown = prompt + QStringLiteral("(") + BlankLedIntText(minValue) +
                        QStringLiteral("\uFF5E") + BlankLedIntText(maxValue) + QStringLiteral(")");
  for (;;) {
    const QString answer = platform::InputBox(shown, title, IntText(defaultValue));
    if (answer.isEmpty()) return BlankLedIntText(defaultValue);
    const QString narrow = NarrowText(answer);
    if (!IsNumericText(narrow)) {
      platform::MsgBox(QStringLiteral("数値以外が入力されました。再度入力ください"),
                       platform::vbExclamation, QStringLiteral("入力エラー"));
      continue;
    }
    try {
      const short value = CInt(NumericTextValue(narrow));
      if (value >= minValue && value <= maxValue) return IntText(value);
    } catch (const std::exception&) {
      // beyond 16 bits: out of range as well
    }
    platform::MsgBox(QStringLiteral("範囲外の値が入力されました。再度入力ください"),
                     platform::vbExclamation, QStringLiteral("入力エラー"));
  }
}

QString DialogQuestions::AskNumber(const QString& prompt, const QString& title, int defaultValue,
                                   int minValue, int maxValue) {
  return AskNumberInRange(prompt, title, defaultValue, minValue, maxValue);
}

QString DialogQuestions::AskText(const QString& prompt, const QString& title,
                                 const QString& defaultText) {
  return platform::InputBox(prompt, title, defaultText);
}

bool DialogQuestions::AskYesNo(const QString& text, const QString& title) {
  return platform::MsgBox(text, platform::vbYesNo | platform::vbQuestion, title) == platform::vbYes;
}

void DialogQuestions::Inform(const QString& text, const QString& title) {
  platform::MsgBox(text, platform::vbInformation, title);
}

std::optional<QString> DialogQuestions::ChooseFile(const QString& title, const QString& filter,
                                                   const QString& initialDir) {
  return platform::OpenFileDialog(title, filter, {}, initialDir);
}

// ---- values of one generation ----------------------------------------------------------

GenerationValues ComputeGenerationValues(const GenerationInputs& in) {
  GenerationValues v;
  v.ButtonNumberText = in.ButtonNumberText;
  v.LinkedPicturePath = core::LinkedPicturePath(in.CutoutPicturePath);
  v.PointFilePath = core::CutoutPointFilePath(in.CutoutPicturePath, TextToInt(in.ButtonNumberText));
  v.BareNames = in.NameChoice == 1;
  v.PointFileRef = v.BareNames ? core::GetFileNameOfPath(v.PointFilePath) : v.PointFilePath;
  v.PictureRef = v.BareNames ? core::GetFileNameOfPath(in.CutoutPicturePath) : in.CutoutPicturePath;
  v.AppFolder = in.AppFolder;
  v.ScreenWidthPx = in.ScreenWidthPx;
  v.ScreenHeightPx = in.ScreenHeightPx;
  v.PlotLeft = CInt(in.PlotLeft);
  v.PlotTop = CInt(in.PlotTop);
  v.ShapeWidth = CInt(static_cast<double>(in.PlotRight) - in.PlotLeft);
  v.ShapeHeight = CInt(static_cast<double>(in.PlotBottom) - in.PlotTop);

  const double left = -static_cast<double>(v.PlotLeft), top = -static_cast<double>(v.PlotTop);
  const double right = left + in.ScreenWidthPx - v.ShapeWidth;
  const double bottom = top + in.ScreenHeightPx - v.ShapeHeight;
  v.PlacementX[0] = QStringLiteral("0");
  v.PlacementY[0] = QStringLiteral("0");
  v.PlacementX[1] = PlainNumberText(left);
  v.PlacementY[1] = PlainNumberText(top);
  v.PlacementX[2] = PlainNumberText(left);
  v.PlacementY[2] = PlainNumberText(bottom);
  v.PlacementX[3] = PlainNumberText(right);
  v.PlacementY[3] = PlainNumberText(bottom);
  v.PlacementX[4] = PlainNumberText(right);
  v.PlacementY[4] = PlainNumberText(top);
  v.PlacementX[5] = IntText(CInt((in.ScreenWidthPx - v.ShapeWidth) / 2 - v.PlotLeft));
  v.PlacementY[5] = IntText(CInt((in.ScreenHeightPx - v.ShapeHeight) / 2 - v.PlotTop));
  return v;
}

// ---- the patterns ------------------------------------------------------------------

std::optional<QString> BuildPatternText(int pattern, const GenerationValues& v,
                                        CutoutQuestions& q) {
  switch (pattern) {
    case 0:
    case 1:
    case 2:
      return FromPicturePlace(pattern, v, q);
    case 3:
    case 4:
      return ToCentre(pattern, v, q);
    case 5:
    case 6:
    case 8:
    case 9:
    case 10:
      return Straight(pattern, v, q);
    case 7:
      return WithTicker(v, q);
    case 11:
      return WithRotatingText(v, q);
    case 12:
      return FromFourSides(v, q);
    case 13:
    case 14:
    case 15:
      return AsButton(pattern, v, q);
    default:
      return QString();
  }
}

}  // namespace cutout
