// The slide list window's part in core's tables: the window the files' readers load, and
// the double-click boxes that show their settings.
#include "core/mirrors.h"
#include "core/services.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "listeditor/register.h"

namespace listeditor {
namespace {

void Mirror(QObject* window, platform::CheckBox& box, short& setting) {
  core::JoinMirror(window, &setting, [&box, &setting] { box.SetValue(setting == 1 ? 1 : 0); });
}

}  // namespace

void Form3::JoinSettingMirrors() {
  core::ShowSettings& s = core::Settings();
  Mirror(this, Check1, s.DblClickPicture);
  Mirror(this, Check2, s.DblClickRecord);
  Mirror(this, Check3, s.DblClickWallpaper);
  Mirror(this, Check4, s.DblClickText);
  Mirror(this, Check5, s.DblClickSlideshow);
}

void RegisterWindowCalls() {
  core::WindowCalls& e = core::Windows();
  e.LoadSlideList = [] { form3(); };
  e.ShowSlideList = [] { form3().Show(); };
  e.ShowSlideCount = [] {
    Form3& w = form3();
    w.Label4.SetCaption(QString::number(w.List1.ListCount()));
  };
  e.GuardSlideListClicks = [] {
    Form3& w = form3();
    w.Timer1.SetInterval(500);
    w.Timer1.SetEnabled(true);
  };
  e.SlideListClickGuardRunning = [] {
    const Form3* w = Form3IfLoaded();
    return w && w->Timer1.Enabled();
  };
  e.DisableSlideTextButtons = [] {
    Form3& w = form3();
    w.Command16.SetEnabled(false);
    w.Command17.SetEnabled(false);
  };
}

}  // namespace listeditor
