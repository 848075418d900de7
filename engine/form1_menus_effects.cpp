// The screen-effect menus: display and erase effects with their slit and mosaic counts,
// the two effect speeds and the fixed speed.
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "engine/form1_menus.h"
#include "platform/dialogs.h"
#include "platform/menu.h"
#include "platform/vberror.h"

namespace engine {

using namespace core;

namespace {

struct ValueQuestion {
  const char16_t* prompt;
  const char16_t* range;
  const char16_t* title;
  int low;
  int high;
};

const ValueQuestion kDisplaySlits{u"画面表示効果スリット数を設定してください。", u"(２～１００）",
                                  u"画面表示効果スリット数", 2, 100};
const ValueQuestion kDisplayMosaic{u"画面表示効果モザイク数を設定してください。", u"(５～１００）",
                                   u"画面表示効果モザイク数", 5, 100};
const ValueQuestion kEraseSlits{u"画面消去効果スリット数を設定してください。", u"(２～１００）",
                                u"画面消去効果スリット数", 2, 100};
const ValueQuestion kEraseMosaic{u"画面消去効果モザイク数を設定してください。", u"(５～１００）",
                                 u"画面消去効果モザイク数", 5, 100};
const ValueQuestion kDisplaySpeed{u"画面表示効果スピードを設定してください。",
                                  u"(遅い   -999 ～ 10   速い)", u"画面表示効果スピード", -999, 10};
const ValueQuestion kEraseSpeed{u"画面消去効果スピードを設定してください。",
                                u"(遅い   -999 ～ 10   速い)", u"画面消去効果スピード", -999, 10};

// Asks for the value until the answer is empty (the value stays) or lies in the range
// (its whole part, rounded down, is stored). Anything else is refused and asked again.
void AskValue(const ValueQuestion& q, short& value) {
  const QString title = QString::fromUtf16(q.title);
  for (;;) {
    const QString answer = platform::InputBox(
        QString::fromUtf16(q.prompt) + QStringLiteral("\r\n") + QString::fromUtf16(q.range), title,
        QString::number(value));
    if (answer.isEmpty()) return;
    double v = 0;
    // A number too long to read is refused like any other unsuitable answer.
    const bool read = platform::TryStep([&] { v = SafeVal(answer); });
    if (read && v >= q.low && v <= q.high) {
      value = static_cast<short>(std::floor(v));
      return;
    }
    platform::MsgBox(QStringLiteral("設定が不適切です"), platform::vbExclamation, title);
  }
}

enum class Counts { kNone, kSlits, kMosaic, kBoth };

// The counts an effect code uses: slits for the slit effects, the mosaic count for the
// mosaic, both where the effect is picked later (random, in turn, linked to the display).
Counts CountsOf(int code, bool erase) {
  switch (code) {
    case 6:
    case 7:
      return Counts::kSlits;
    case 8:
      return Counts::kMosaic;
    case 9:
    case 10:
      return Counts::kBoth;
    case 11:
      return erase ? Counts::kBoth : Counts::kNone;
    default:
      return Counts::kNone;
  }
}

void AskCounts(Counts counts, const ValueQuestion& slits, short& slitCount,
               const ValueQuestion& mosaic, short& mosaicCount) {
  if (counts == Counts::kSlits || counts == Counts::kBoth) AskValue(slits, slitCount);
  if (counts == Counts::kMosaic || counts == Counts::kBoth) AskValue(mosaic, mosaicCount);
}

}  // namespace

void mnuHKO_Click(Form1& f, int index) {
  ShowSettings& s = Settings();
  ChooseMenuItem(f.mnuHKO, s.DisplayEffect, index);
  AskCounts(CountsOf(index, false), kDisplaySlits, s.DisplaySlitCount, kDisplayMosaic,
            s.DisplayMosaicCount);
}

void mnuSYOUKO_Click(Form1& f, int index) {
  ShowSettings& s = Settings();
  ChooseMenuItem(f.mnuSYOUKO, s.EraseEffect, index);
  AskCounts(CountsOf(index, true), kEraseSlits, s.EraseSlitCount, kEraseMosaic, s.EraseMosaicCount);
}

void mnuKSPSEL_Click(Form1& f, int index) {
  ShowSettings& s = Settings();
  ChooseMenuItem(f.mnuKSPSEL, s.EffectSpeedFixed, index);
  const bool fixed = index == 1;
  f.mnuHKSP.SetEnabled(!fixed);
  f.mnuSKSP.SetEnabled(!fixed);
  if (fixed) {
    s.DisplayEffectSpeed = -30;
    s.EraseEffectSpeed = -30;
  }
}

void mnuHKSP_Click(Form1&) { AskValue(kDisplaySpeed, Settings().DisplayEffectSpeed); }

void mnuSKSP_Click(Form1&) { AskValue(kEraseSpeed, Settings().EraseEffectSpeed); }

void ConnectEffectMenus(Form1& f) {
  using platform::MenuArray;
  using platform::MenuItem;
  auto array = [&f](MenuArray& menu, void (*handler)(Form1&, int)) {
    QObject::connect(&menu, &MenuArray::Click, &f, [&f, handler](int index) { handler(f, index); });
  };
  array(f.mnuHKO, mnuHKO_Click);
  array(f.mnuSYOUKO, mnuSYOUKO_Click);
  array(f.mnuKSPSEL, mnuKSPSEL_Click);
  QObject::connect(&f.mnuHKSP, &MenuItem::Click, &f, [&f] { mnuHKSP_Click(f); });
  QObject::connect(&f.mnuSKSP, &MenuItem::Click, &f, [&f] { mnuSKSP_Click(f); });
}

}  // namespace engine
