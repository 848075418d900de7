#pragma once
// A text box that takes files dropped on it (the original's manual OLE drop mode): the
// drop raises OLEDragDrop with the dropped paths instead of inserting text.
#include <QStringList>

#include "platform/controls.h"

namespace platform {

class DropTextBox : public TextBox {
  Q_OBJECT

 public:
  explicit DropTextBox(QWidget* parent, const QString& text = {});
  // 1: dropped files raise OLEDragDrop; 0: the box takes no drops.
  void SetOLEDropMode(int mode);
  int OLEDropMode() const { return dropMode_; }

 signals:
  // The local files of the drop, in drop order. A drop without files raises nothing.
  void OLEDragDrop(const QStringList& paths);

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  int dropMode_ = 0;
};

}  // namespace platform
