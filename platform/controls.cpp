#include "platform/controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

namespace {

template <class Signal>
void EmitMouse(QWidget* w, QMouseEvent* e, Signal&& emitter) {
  const double u = ContainerUnitsPerPixel(w->parentWidget());
  emitter(VbMouseButton(e->button()), VbShiftState(e->modifiers()), e->position().x() * u,
          e->position().y() * u);
}

}  // namespace

// ---- CommandButton ---------------------------------------------------------------

CommandButton::CommandButton(QWidget* parent, const QString& caption) : ControlBase(parent) {
  setText(caption);
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

// ---- Label -----------------------------------------------------------------------

Label::Label(QWidget* parent, const QString& caption) : ControlBase(parent) {
  setText(caption);
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetBackStyle(1);
}

void Label::SetCaption(const QString& c) {
  setText(c);
  if (autoSize_) adjustSize();
}

void Label::SetBackStyle(int style) {
  if (style != 0 && style != 1) throw VbError(kErrInvalidPropertyValue, "BackStyle");
  backStyle_ = style;
  setAutoFillBackground(style == 1);
  setAttribute(Qt::WA_TranslucentBackground, style == 0);
  update();
}

void Label::SetBackColor(const QColor& c) {
  ControlBase::SetBackColor(c);
  setAutoFillBackground(backStyle_ == 1);
}

void Label::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on) adjustSize();
}

void Label::FontChanged() {
  if (autoSize_) adjustSize();
}

void Label::SetAlignment(int alignment) {
  Qt::Alignment a = Qt::AlignTop;
  a |= alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  setAlignment(a);
}

void Label::mousePressEvent(QMouseEvent* e) {
  EmitMouse(this, e, [this](int b, int s, double x, double y) { emit MouseDown(b, s, x, y); });
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Click();
}

void Label::mouseDoubleClickEvent(QMouseEvent*) { emit DblClick(); }

// ---- CheckBox --------------------------------------------------------------------

CheckBox::CheckBox(QWidget* parent, const QString& caption) : ControlBase(parent) {
  setText(caption);
  connect(this, &QCheckBox::clicked, this, &CheckBox::Click);
}

int CheckBox::Value() const {
  switch (checkState()) {
    case Qt::Checked:
      return vbChecked;
    case Qt::PartiallyChecked:
      return vbGrayed;
    default:
      return vbUnchecked;
  }
}

void CheckBox::SetValue(int v) {
  if (v < 0 || v > 2) throw VbError(kErrInvalidPropertyValue, "Value");
  if (v == Value()) return;
  if (v == vbGrayed) setTristate(true);
  setCheckState(v == vbChecked  ? Qt::Checked
                : v == vbGrayed ? Qt::PartiallyChecked
                                : Qt::Unchecked);
  emit Click();
}

// ---- OptionButton ----------------------------------------------------------------

OptionButton::OptionButton(QWidget* parent, const QString& caption) : ControlBase(parent) {
  setText(caption);
  // Qt would group every radio button below the parent, nested frames included;
  // the original groups the buttons of one container only.
  setAutoExclusive(false);
  connect(this, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    for (auto* other : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly)) {
      if (other == this || !other->isChecked()) continue;
      other->fromCode_ = true;
      other->setChecked(false);
      other->fromCode_ = false;
    }
    if (!fromCode_) emit Click();
  });
}

void OptionButton::nextCheckState() {
  // A click selects; it never clears a selected option.
  if (!isChecked()) setChecked(true);
}

void OptionButton::SetValue(bool v) {
  if (v == isChecked()) return;
  fromCode_ = true;
  setChecked(v);
  fromCode_ = false;
  if (v) emit Click();
}

// ---- TextBox ---------------------------------------------------------------------

TextBox::TextBox(QWidget* parent, const QString& text) : ControlBase(parent) {
  setMaxLength(65535);
  setText(text);
  connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::SetText(const QString& t) {
  if (t != text()) setText(t);
}

void TextBox::SetMaxLength(int n) {
  if (n < 0) throw VbError(kErrInvalidPropertyValue, "MaxLength");
  maxLength_ = n;
  setMaxLength(n == 0 ? 65535 : n);
}

void TextBox::keyPressEvent(QKeyEvent* e) {
  int code = VbKeyCode(e->key());
  if (code != 0) {
    emit KeyDown(code, VbShiftState(e->modifiers()));
    if (code == 0) return;
  }
  if (e->text().size() == 1) {
    int ascii = e->text().at(0).unicode();
    emit KeyPress(ascii);
    if (ascii == 0) return;
    if (ascii != e->text().at(0).unicode()) {
      QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString(QChar(ascii)));
      QLineEdit::keyPressEvent(&changed);
      return;
    }
  }
  QLineEdit::keyPressEvent(e);
}

void TextBox::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  emit LostFocus();
}

MultiLineTextBox::MultiLineTextBox(QWidget* parent, const QString& text) : ControlBase(parent) {
  setPlainText(text);
  connect(this, &QPlainTextEdit::textChanged, this, &MultiLineTextBox::Change);
}

void MultiLineTextBox::SetText(const QString& t) {
  if (t != toPlainText()) setPlainText(t);
}

// ---- Frame -----------------------------------------------------------------------

Frame::Frame(QWidget* parent, const QString& caption) : ControlBase(parent) { setTitle(caption); }

// ---- ComboBox --------------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent, bool editable) : ControlBase(parent) {
  setEditable(editable);
  setInsertPolicy(QComboBox::NoInsert);
  connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
  connect(this, &QComboBox::editTextChanged, this, [this](const QString&) {
    if (!settingFromCode_) emit Change();
  });
}

void ComboBox::AddItem(const QString& text, int index) {
  if (index < -1 || index > count()) throw VbError(kErrInvalidCall, "AddItem");
  settingFromCode_ = true;
  const int keep = currentIndex();
  insertItem(index < 0 ? count() : index, text);
  // Adding never chooses an item by itself.
  if (keep < 0) setCurrentIndex(-1);
  settingFromCode_ = false;
}

void ComboBox::RemoveItem(int index) {
  if (index < 0 || index >= count()) throw VbError(kErrInvalidCall, "RemoveItem");
  settingFromCode_ = true;
  const int keep = currentIndex();
  removeItem(index);
  if (keep == index) setCurrentIndex(-1);
  settingFromCode_ = false;
}

void ComboBox::Clear() {
  settingFromCode_ = true;
  clear();
  settingFromCode_ = false;
}

QString ComboBox::List(int index) const {
  if (index < -1) throw VbError(kErrInvalidPropertyIndex, "List");
  if (index == -1) return currentText();
  return index < count() ? itemText(index) : QString();
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= count()) throw VbError(kErrInvalidPropertyValue, "ListIndex");
  if (index == currentIndex()) return;
  settingFromCode_ = true;
  setCurrentIndex(index);
  settingFromCode_ = false;
  emit Click();
}

void ComboBox::SetText(const QString& t) {
  if (isEditable()) {
    setEditText(t);
    return;
  }
  const int i = findText(t);
  if (i < 0) throw VbError(383, "Text is read-only");
  SetListIndex(i);
}

// ---- ScrollBar -------------------------------------------------------------------

ScrollBar::ScrollBar(QWidget* parent, Qt::Orientation orientation) : ControlBase(parent) {
  setOrientation(orientation);
  setRange(0, 32767);
  connect(this, &QScrollBar::valueChanged, this, &ScrollBar::Change);
  connect(this, &QScrollBar::sliderMoved, this, &ScrollBar::Scroll);
}

void ScrollBar::SetValue(int v) {
  const int lo = std::min(minimum(), maximum()), hi = std::max(minimum(), maximum());
  if (v < lo || v > hi) throw VbError(kErrInvalidPropertyValue, "Value");
  setValue(v);
}

// ---- ImageBox --------------------------------------------------------------------

ImageBox::ImageBox(QWidget* parent) : ControlBase(parent) {}

void ImageBox::SetPicture(const QImage& image) {
  picture_ = image;
  if (!stretch_ && !image.isNull()) resize(image.size());
  update();
}

void ImageBox::SetStretch(bool on) {
  stretch_ = on;
  if (!on && !picture_.isNull()) resize(picture_.size());
  update();
}

void ImageBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  if (stretch_) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), picture_);
  } else {
    p.drawImage(0, 0, picture_);
  }
}

void ImageBox::mousePressEvent(QMouseEvent* e) {
  EmitMouse(this, e, [this](int b, int s, double x, double y) { emit MouseDown(b, s, x, y); });
}

void ImageBox::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Click();
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent*) { emit DblClick(); }

}  // namespace platform
