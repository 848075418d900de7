#include "core/form4.h"

namespace core {

Form4::Form4() {
  SetCaption(QStringLiteral("Form4"));
  SetClientSize(4800, 3600);
}

namespace {
platform::FormSlot<Form4>& Form4Slot() {
  static platform::FormSlot<Form4> slot;
  return slot;
}
}  // namespace

Form4& form4() { return Form4Slot().Get(); }
Form4* Form4IfLoaded() { return Form4Slot().IfLoaded(); }

}  // namespace core
