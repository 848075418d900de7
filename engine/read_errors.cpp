// An unreadable picture: the question, the removal of its entry from the slide list, or
// the end of the show.
#include "core/form1.h"
#include "core/form4.h"
#include "core/lists.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/slideplayer.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/vberror.h"

namespace engine {

namespace {

using platform::TryStep;

// Takes slide i out of the editor's lists and the shared arrays; the slides after it
// move up one place.
void RemoveSlideEntry(int i) {
  core::ListState& lists = core::Lists();
  core::Windows().LoadSlideList();
  platform::ListBoxModel& rows = core::Form3List1();
  platform::ListBoxModel& records = core::Form3List2();
  const int n = rows.Count();
  if (i < 1 || i > n) return;

  TryStep([] { core::TheServices().UnloadFourUpView(); });
  lists.SlidePaths[n].clear();
  lists.SlideAddDateTimes[n].clear();
  lists.SlideDeleteDateTimes[n].clear();
  rows.Remove(i - 1);
  if (i - 1 < records.Count()) records.Remove(i - 1);

  const int count = rows.Count();
  for (int k = i; k <= count; ++k) {
    lists.SlidePaths[k] = rows.Items().at(k - 1);
    const QString record = k - 1 < records.Count() ? records.Items().at(k - 1) : QString();
    lists.SlideAddDateTimes[k] = core::ScheduleAddMoment(record);
    lists.SlideDeleteDateTimes[k] = core::ScheduleDeleteMoment(record);
  }
  lists.SlideEndIndex = static_cast<short>(count + 1);
  lists.CurrentSlideIndex = static_cast<short>(i - 1);
  lists.LastShownSlideIndex = static_cast<short>(i - 1);
  core::Windows().ShowSlideCount();

  if (lists.SlidePaths[1].isEmpty()) {
    platform::MsgBox(QStringLiteral("スライドリストに　画像ファイルが見つかりません。"),
                     platform::vbOKOnly | platform::vbExclamation,
                     QStringLiteral("スライドショー"));
    core::Form1& f1 = core::form1();
    for (platform::CommandButton* button : {&f1.Command1, &f1.Command2, &f1.Command3, &f1.Command4})
      button->SetEnabled(false);
    core::Flags().ShowEndRequested = 1;
  }
  TryStep([] { core::form1().Timer1.SetInterval(10); });
}

}  // namespace

void HandlePictureReadError() {
  core::RunFlags& flags = core::Flags();
  core::Form1& f1 = core::form1();
  TryStep([] { core::form4().Picture1.ClearPicture(); });
  TryStep([&f1] { f1.Picture1.ClearPicture(); });

  if (f1.WindowState() != 1 && flags.ShowEndRequested != 1) {
    bool remove = core::Settings().ErrorEntryAutoRemove != 0;
    if (!remove) {
      const core::ListState& lists = core::Lists();
      const QString path = lists.SlidePaths[lists.CurrentSlideIndex];
      remove = platform::MsgBox(path + QStringLiteral("\r\n画像ファイルが読み込めません。\r\n") +
                                    QStringLiteral("スライドリストから削除して継続しますか？"),
                                platform::vbYesNo | platform::vbQuestion,
                                QStringLiteral("画像ファイル読込エラー")) == platform::vbYes;
      if (!remove) flags.ShowEndRequested = 1;
    }
    if (remove) TryStep([] { RemoveSlideEntry(core::Lists().CurrentSlideIndex); });
  }
  platform::SetScreenMousePointer(0);
  flags.SlideInProgress = 0;
}

}  // namespace engine
