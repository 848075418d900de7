// A list box on a list that lives outside its window: what changes the list from outside
// moves the current entry as the box's own calls would, and the window's unloading
// empties the list.
#include <gtest/gtest.h>

#include "platform/form.h"
#include "platform/listbox.h"

using namespace platform;

namespace {

TEST(ListBoxModelTest, OutsideChangesMoveTheCurrentEntryAsTheBoxsOwnDo) {
  ListBoxModel list;
  list.Reset({"a", "b", "c"});
  Form form;
  ListBox box(&form, list);
  EXPECT_EQ(box.Items(), (QStringList{"a", "b", "c"})) << "the box shows what the list holds";

  box.SetListIndex(1);
  list.Insert(0, "front");
  EXPECT_EQ(box.ListIndex(), 2) << "an entry put in front moves the current one down";
  EXPECT_EQ(box.NewIndex(), 0);
  EXPECT_EQ(box.Text(), "b");

  list.Remove(0);
  EXPECT_EQ(box.ListIndex(), 1);
  list.Remove(1);
  EXPECT_EQ(box.ListIndex(), -1) << "the current entry removed leaves no current entry";

  box.SetListIndex(0);
  list.Reset({"x", "y"});
  EXPECT_EQ(box.ListIndex(), -1);
  EXPECT_EQ(box.ListCount(), 2);

  box.AddItem("z");
  EXPECT_EQ(list.Items(), (QStringList{"x", "y", "z"})) << "the box's own calls change the list";
}

TEST(ListBoxModelTest, TheWindowsUnloadingEmptiesTheList) {
  ListBoxModel list;
  auto* form = new Form;
  form->Load();
  auto* box = new ListBox(form, list);  // the window's child
  box->AddItem("kept until the window goes");
  ASSERT_TRUE(form->Unload());
  EXPECT_EQ(list.Count(), 0);
  delete form;
}

TEST(ListBoxModelTest, ABoxOfItsOwnKeepsItsListToItself) {
  Form form;
  ListBox one(&form);
  ListBox two(&form);
  one.AddItem("only here");
  EXPECT_EQ(two.ListCount(), 0);
}

}  // namespace
