#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

void ClearClipboard() {
  if (QClipboard* board = QGuiApplication::clipboard()) board->clear();
}

void SetClipboardPicture(const QImage& picture) {
  if (QClipboard* board = QGuiApplication::clipboard()) board->setImage(picture);
}

QImage ClipboardPicture() {
  QClipboard* board = QGuiApplication::clipboard();
  return board ? board->image() : QImage();
}

void SetClipboardText(const QString& text) {
  if (QClipboard* board = QGuiApplication::clipboard()) board->setText(text);
}

QString ClipboardText() {
  QClipboard* board = QGuiApplication::clipboard();
  return board ? board->text() : QString();
}

}  // namespace platform
