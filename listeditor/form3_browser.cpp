// The slide list window's file browser and adding one slide: the drive, folder and file
// lists, the 30000-row limit and the row click.
#include <algorithm>

#include "listeditor/form3.h"
#include "platform/dialogs.h"

namespace listeditor {

namespace {

// The record of a slide without a schedule.
const QString kBlankRecord(30, QLatin1Char(' '));

QString JoinFolderAndName(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The row that is selected when exactly one is; -1 otherwise.
int OnlySelectedRow(const platform::ListBox& list) {
  if (list.SelCount() != 1) return -1;
  for (int i = 0; i < list.ListCount(); ++i)
    if (list.Selected(i)) return i;
  return -1;
}

}  // namespace

bool Form3::ListIsFull() const { return List1.ListCount() > SlideListLimit - 1; }

void Form3::ShowLimitMessage() {
  platform::MsgBox(QStringLiteral("これ以上登録できません"), platform::vbOKOnly,
                   QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"));
}

void Form3::AddSlidePath(const QString& path) {
  const int k = Check6.Value() == 1 ? OnlySelectedRow(List1) : -1;
  if (k >= 0) {
    // In front of the selected row, which stays the selected one.
    List1.AddItem(path, k);
    List2.AddItem(kBlankRecord, k);
    List1.SetListIndex(k + 1);
  } else {
    List1.AddItem(path);
    List2.AddItem(kBlankRecord);
  }
  Label4.SetCaption(QString::number(List1.ListCount()));
}

// ---- the browser ------------------------------------------------------------------------

void Form3::File1_Click() {
  if (ListIsFull()) {
    ShowLimitMessage();
    return;
  }
  const QString name = File1.FileName();
  if (name.isEmpty()) return;
  AddSlidePath(JoinFolderAndName(File1.Path(), name));
  if (ListIsFull()) {
    ShowLimitMessage();
  } else if (List1.ListCount() > 1) {
    // The new row comes into view.
    List1.SetTopIndex(std::min(List1.TopIndex() + 1, List1.ListCount() - 1));
  }
}

void Form3::Dir1_Change() {
  platform::TryStep([this] {
    File1.SetPath(Dir1.Path());
    File1.SetPattern(kSlidePatterns);
  });
}

void Form3::Drive1_Change() {
  // The folder list stays where it is when that already is on the chosen drive.
  const bool moved = platform::TryStep([this] {
    if (platform::DriveOfPath(Dir1.Path()) != Drive1.Drive()) Dir1.SetPath(Drive1.Drive());
  });
  if (!moved) platform::TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
}

// ---- the slide list ---------------------------------------------------------------------

void Form3::List1_Click() {
  // The preview and the per-row buttons follow the clicked row in their own handlers;
  // until then a click only marks the list as clicked.
  ListClicked = 1;
  SetRowButtons();
}

}  // namespace listeditor
