#include "platform/droptextbox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace platform {

namespace {

bool CarriesFiles(const QMimeData* data) {
  if (!data->hasUrls()) return false;
  for (const QUrl& u : data->urls())
    if (u.isLocalFile()) return true;
  return false;
}

}  // namespace

DropTextBox::DropTextBox(QWidget* parent, const QString& text) : TextBox(parent, text) {
  setAcceptDrops(false);
}

void DropTextBox::SetOLEDropMode(int mode) {
  dropMode_ = mode;
  setAcceptDrops(mode != 0);
}

void DropTextBox::dragEnterEvent(QDragEnterEvent* e) {
  if (dropMode_ != 0 && CarriesFiles(e->mimeData()))
    e->acceptProposedAction();
  else
    e->ignore();
}

void DropTextBox::dragMoveEvent(QDragMoveEvent* e) {
  if (dropMode_ != 0 && CarriesFiles(e->mimeData()))
    e->acceptProposedAction();
  else
    e->ignore();
}

void DropTextBox::dropEvent(QDropEvent* e) {
  if (dropMode_ == 0 || !CarriesFiles(e->mimeData())) {
    e->ignore();
    return;
  }
  QStringList paths;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) paths << u.toLocalFile();
  e->acceptProposedAction();
  emit OLEDragDrop(paths);
}

}  // namespace platform
