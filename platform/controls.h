#pragma once
// The standard controls of the program's windows, with the properties and events
// the windows use. Build them as members of the window with the window (or a
// frame or picture box) as parent; positions are in the parent's units (twips
// on a window), set with Move:
//
//   platform::CommandButton Command1{this, "START"};
//   Command1.Move(1440, 0, 875, 495);
//   connect(&Command1, &platform::CommandButton::Click, this, &Form1::Command1_Click);
//
// Setting the value of a check box or option button from code raises the same
// Click as a user's click, but only when the value changes.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/controls_base.h"
#include "platform/listbox.h"
#include "platform/menu.h"
#include "platform/picturebox.h"
#include "platform/timer.h"

namespace platform {

constexpr int vbUnchecked = 0, vbChecked = 1, vbGrayed = 2;

class CommandButton : public ControlBase<QPushButton> {
  Q_OBJECT

 public:
  explicit CommandButton(QWidget* parent, const QString& caption = {});
  QString Caption() const { return text(); }
  void SetCaption(const QString& c) { setText(c); }
  // Raises Click as a press would (the original's Value = True).
  void DoClick() { emit Click(); }

 signals:
  void Click();
};

class Label : public ControlBase<QLabel> {
  Q_OBJECT

 public:
  explicit Label(QWidget* parent, const QString& caption = {});
  QString Caption() const { return text(); }
  void SetCaption(const QString& c);
  // 0 transparent (only the text is painted), 1 opaque (the default).
  int BackStyle() const { return backStyle_; }
  void SetBackStyle(int style);
  void SetBackColor(const QColor& c) override;
  // Sized to the caption whenever the caption or the font changes.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  // 0 left, 1 right, 2 centre.
  void SetAlignment(int alignment);
  void SetWordWrap(bool on) { setWordWrap(on); }

 signals:
  void Click();
  void DblClick();
  void MouseDown(int button, int shift, double x, double y);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void FontChanged() override;

 private:
  int backStyle_ = 1;
  bool autoSize_ = false;
};

class CheckBox : public ControlBase<QCheckBox> {
  Q_OBJECT

 public:
  explicit CheckBox(QWidget* parent, const QString& caption = {});
  QString Caption() const { return text(); }
  void SetCaption(const QString& c) { setText(c); }
  // 0 unchecked, 1 checked, 2 greyed.
  int Value() const;
  // Raises Click when the value changes; other values than 0..2 raise error 380.
  void SetValue(int v);

 signals:
  void Click();
};

class OptionButton : public ControlBase<QRadioButton> {
  Q_OBJECT

 public:
  // Option buttons with the same parent form one group.
  explicit OptionButton(QWidget* parent, const QString& caption = {});
  QString Caption() const { return text(); }
  void SetCaption(const QString& c) { setText(c); }
  bool Value() const { return isChecked(); }
  // Setting true selects this one (the others of the group lose it) and raises
  // Click when it was not selected; setting false clears it without Click.
  void SetValue(bool v);

 signals:
  void Click();

 protected:
  void nextCheckState() override;

 private:
  bool fromCode_ = false;
};

class TextBox : public ControlBase<QLineEdit> {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent, const QString& text = {});
  QString Text() const { return text(); }
  // Raises Change when the text differs.
  void SetText(const QString& t);
  bool Locked() const { return isReadOnly(); }
  void SetLocked(bool on) { setReadOnly(on); }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  int SelStart() const { return cursorPosition(); }
  void SetSelStart(int pos) { setCursorPosition(pos); }
  int SelLength() const { return static_cast<int>(selectedText().size()); }
  void SetSelLength(int n) { setSelection(cursorPosition(), n); }

 signals:
  void Change();
  void KeyDown(int& keyCode, int shift);
  void KeyPress(int& keyAscii);
  void GotFocus();
  void LostFocus();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  int maxLength_ = 0;
};

// A text box with several lines and scroll bars.
class MultiLineTextBox : public ControlBase<QPlainTextEdit> {
  Q_OBJECT

 public:
  explicit MultiLineTextBox(QWidget* parent, const QString& text = {});
  QString Text() const { return toPlainText(); }
  void SetText(const QString& t);
  bool Locked() const { return isReadOnly(); }
  void SetLocked(bool on) { setReadOnly(on); }

 signals:
  void Change();
};

// A frame: a captioned box that groups controls (and option buttons).
class Frame : public ControlBase<QGroupBox> {
  Q_OBJECT

 public:
  explicit Frame(QWidget* parent, const QString& caption = {});
  QString Caption() const { return title(); }
  void SetCaption(const QString& c) { setTitle(c); }
};

// A drop-down list (style 2: choose from the list only) or an editable combo.
class ComboBox : public ControlBase<QComboBox> {
  Q_OBJECT

 public:
  explicit ComboBox(QWidget* parent, bool editable = false);
  // Appends, or inserts at `index` (0..ListCount); others raise error 5.
  void AddItem(const QString& text, int index = -1);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return count(); }
  QString List(int index) const;
  int ListIndex() const { return currentIndex(); }
  // -1 clears the choice; raises Click when the choice changes.
  void SetListIndex(int index);
  QString Text() const { return currentText(); }
  void SetText(const QString& t);

 signals:
  void Click();
  void Change();

 private:
  bool settingFromCode_ = false;
};

// A scroll bar with Min, Max, Value, SmallChange and LargeChange.
class ScrollBar : public ControlBase<QScrollBar> {
  Q_OBJECT

 public:
  ScrollBar(QWidget* parent, Qt::Orientation orientation);
  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  void SetMin(int v) { setMinimum(v); }
  void SetMax(int v) { setMaximum(v); }
  int Value() const { return value(); }
  // Values outside Min..Max raise error 380; a change raises Change.
  void SetValue(int v);
  void SetSmallChange(int v) { setSingleStep(v); }
  void SetLargeChange(int v) { setPageStep(v); }

 signals:
  void Change();
  void Scroll();
};

class HScrollBar : public ScrollBar {
  Q_OBJECT
 public:
  explicit HScrollBar(QWidget* parent) : ScrollBar(parent, Qt::Horizontal) {}
};

class VScrollBar : public ScrollBar {
  Q_OBJECT
 public:
  explicit VScrollBar(QWidget* parent) : ScrollBar(parent, Qt::Vertical) {}
};

// An image box: shows a picture at its own size, or stretched to the box.
class ImageBox : public ControlBase<QWidget> {
  Q_OBJECT

 public:
  explicit ImageBox(QWidget* parent);
  const QImage& Picture() const { return picture_; }
  // Without Stretch the box takes the picture's size.
  void SetPicture(const QImage& image);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);

 signals:
  void Click();
  void DblClick();
  void MouseDown(int button, int shift, double x, double y);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  QImage picture_;
  bool stretch_ = false;
};

}  // namespace platform
