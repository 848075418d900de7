#include "core/lists.h"

namespace core {
namespace {

// On the heap and never freed: a window still loaded at exit may outlive a static.
platform::ListBoxModel& Kept(platform::ListBoxModel*& model) {
  if (!model) model = new platform::ListBoxModel;
  return *model;
}

}  // namespace

platform::ListBoxModel& Form3List1() {
  static platform::ListBoxModel* model = nullptr;
  return Kept(model);
}

platform::ListBoxModel& Form3List2() {
  static platform::ListBoxModel* model = nullptr;
  return Kept(model);
}

platform::ListBoxModel& Form9List1() {
  static platform::ListBoxModel* model = nullptr;
  return Kept(model);
}

platform::ListBoxModel& Form10List1() {
  static platform::ListBoxModel* model = nullptr;
  return Kept(model);
}

void ClearMasterLists() {
  for (platform::ListBoxModel* model :
       {&Form3List1(), &Form3List2(), &Form9List1(), &Form10List1()})
    if (model->Count() > 0) model->Clear();
}

}  // namespace core
