// The slide list window's side of the linked sound files: the selected row and the
// deletion of its linked WAV and MP3.
#include "listeditor/sound_services.h"

#include <QFile>
#include <QFileInfo>

#include "core/services.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "sound/form13.h"

namespace listeditor {

QString SelectedSlidePath() {
  Form3* list = Form3IfLoaded();
  if (!list) return {};
  return list->List1.List(list->List1.ListIndex());
}

QString SelectedLinkedName(const QString& ext) {
  return sound::LinkedSoundName(SelectedSlidePath(), ext);
}

namespace {

void DeleteLinked(const QString& ext, const QString& question, const QString& title,
                  const QString& failure) {
  try {
    const QString name = sound::LinkedSoundName(SelectedSlidePath(), ext);
    if (name.isEmpty() || !QFileInfo(name).isFile())
      throw platform::VbError(platform::kErrFileNotFound, QStringLiteral("File not found"));
    if (platform::MsgBox(name + QStringLiteral("\r\n") + question,
                         platform::vbYesNo | platform::vbQuestion, title) != platform::vbYes)
      return;
    if (!QFile::remove(name))
      throw platform::VbError(platform::kErrPathFileAccess,
                              QStringLiteral("Path/File access error"));
  } catch (const std::exception& e) {
    platform::LogSwallowed("delete linked sound", e);
    platform::MsgBox(failure, platform::vbExclamation, QStringLiteral("音声ファイル削除エラー"));
  }
}

}  // namespace

void DeleteLinkedWav() {
  DeleteLinked(QStringLiteral(".wav"), QStringLiteral("の画像連動効果音(WAV)を削除しますか ?"),
               QStringLiteral("連動音声削除(WAV)"),
               QStringLiteral("ＷＡＶファイルが削除できません。"));
}

void DeleteLinkedMp3() {
  DeleteLinked(
      QStringLiteral(".mp3"), QStringLiteral("の画像連動音声ファイル(MP3)を削除しますか ?"),
      QStringLiteral("連動音声削除(MP3)"), QStringLiteral("MP3ファイルが削除できません。"));
}

void RegisterSoundServices() {
  core::Services& s = core::TheServices();
  s.SelectedSlidePath = SelectedSlidePath;
  s.DeleteLinkedWav = DeleteLinkedWav;
  s.DeleteLinkedMp3 = DeleteLinkedMp3;
  s.RefreshLinkedSoundDelete = [] {
    if (Form3* list = Form3IfLoaded()) list->koukaari();
  };
  s.EnableLinkedSoundDelete = [](bool on) {
    if (Form3* list = Form3IfLoaded()) list->Command19.SetEnabled(on);
  };
}

}  // namespace listeditor
