// The program's entry: creates the application object and calls Main.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "core/startup.h"
#include "cutout/form23.h"
#include "listeditor/linked_services.h"
#include "listeditor/picture_tools.h"
#include "listeditor/sound_services.h"
#include "macro/macro.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/imaging.h"
#include "platform/mediaplayer.h"
#include "schedule/form22.h"
#include "showbuttons/showbuttons.h"

int main(int argc, char** argv) {
  platform::InitMediaBackend();
  QApplication app(argc, argv);
  // The program ends through the main window's unload, never because a window hid.
  app.setQuitOnLastWindowClosed(false);
  platform::InstallFontSubstitutions();
  platform::WarmUpImageDecoders();  // beside the start-up, so the first slide need not wait
  macro::RegisterServices();
  showbuttons::RegisterServices();
  schedule::RegisterServices();
  listeditor::RegisterPictureToolServices();
  listeditor::RegisterSoundServices();
  listeditor::RegisterLinkedFileServices();
  cutout::RegisterServices();
  platform::InstallQtTranslations();
  platform::InstallShippedFiles();
  core::InstallTerminationSignalHandlers();

  QStringList arguments = app.arguments();
  arguments.removeFirst();
  core::Main(arguments);
  const int rc = app.exec();
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(rc);
}
