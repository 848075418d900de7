// List box: indexes, the current entry across inserts and removals, errors,
// multiple selection and a list of 30000 entries.
#include <gtest/gtest.h>

#include "platform/form.h"
#include "platform/listbox.h"

using namespace platform;

namespace {

class ListBoxTest : public ::testing::Test {
 protected:
  void Fill(ListBox& l, int n) {
    for (int i = 0; i < n; ++i) l.AddItem(QStringLiteral("item%1").arg(i));
  }
  int ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const VbError& e) {
      return e.Number();
    }
    return 0;
  }
  Form form;
};

TEST_F(ListBoxTest, AddInsertReadAndReplace) {
  ListBox l(&form);
  Fill(l, 3);
  l.AddItem("front", 0);
  l.AddItem("end", 4);
  EXPECT_EQ(l.ListCount(), 5);
  EXPECT_EQ(l.Items(), (QStringList{"front", "item0", "item1", "item2", "end"}));
  EXPECT_EQ(l.NewIndex(), 4);
  l.SetList(1, "renamed");
  EXPECT_EQ(l.List(1), "renamed");
  EXPECT_EQ(l.List(5), "") << "past the end reads empty";
  EXPECT_EQ(l.List(-1), "");
  EXPECT_EQ(l.ListIndex(), -1);
  EXPECT_EQ(l.Text(), "");
}

TEST_F(ListBoxTest, OutOfRangeErrors) {
  ListBox l(&form);
  Fill(l, 2);
  struct Case {
    const char* what;
    std::function<void()> call;
    int error;
  } cases[] = {
      {"RemoveItem(2)", [&] { l.RemoveItem(2); }, 5},
      {"RemoveItem(-1)", [&] { l.RemoveItem(-1); }, 5},
      {"AddItem at 3", [&] { l.AddItem("x", 3); }, 5},
      {"ListIndex 2", [&] { l.SetListIndex(2); }, 380},
      {"ListIndex -2", [&] { l.SetListIndex(-2); }, 380},
      {"List(-2)", [&] { (void)l.List(-2); }, 381},
      {"SetList(2)", [&] { l.SetList(2, "x"); }, 381},
      {"Selected(2)", [&] { (void)l.Selected(2); }, 381},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  EXPECT_EQ(l.ListCount(), 2);
}

TEST_F(ListBoxTest, ListIndexFromCodeClicksOnChangeOnly) {
  ListBox l(&form);
  Fill(l, 3);
  int clicks = 0;
  QObject::connect(&l, &ListBox::Click, [&] { ++clicks; });
  l.SetListIndex(1);
  l.SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(l.Text(), "item1");
  EXPECT_TRUE(l.Selected(1));
  l.SetListIndex(-1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(l.SelCount(), 0);
}

TEST_F(ListBoxTest, CurrentEntryFollowsInsertsAndIsForgottenWhenRemoved) {
  ListBox l(&form);
  Fill(l, 4);
  l.SetListIndex(2);
  l.AddItem("new", 1);  // in front of the current entry
  EXPECT_EQ(l.ListIndex(), 3);
  EXPECT_EQ(l.Text(), "item2");
  l.AddItem("after", 4);  // behind it
  EXPECT_EQ(l.ListIndex(), 3);
  l.RemoveItem(0);
  EXPECT_EQ(l.ListIndex(), 2);
  EXPECT_EQ(l.Text(), "item2");
  l.RemoveItem(2);
  EXPECT_EQ(l.ListIndex(), -1) << "no neighbour becomes current";
  EXPECT_EQ(l.SelCount(), 0);
  l.Clear();
  EXPECT_EQ(l.ListCount(), 0);
  EXPECT_EQ(l.ListIndex(), -1);
}

TEST_F(ListBoxTest, MultiSelectRemovingSelectedEntriesEnds) {
  ListBox l(&form, 2);
  Fill(l, 6);
  for (int i : {1, 3, 4}) l.SetSelected(i, true);
  EXPECT_EQ(l.SelCount(), 3);
  // The editor's "remove selected": the first selected entry, again and again.
  int removed = 0;
  for (bool found = true; found && removed < 10;) {
    found = false;
    for (int i = 0; i < l.ListCount(); ++i) {
      if (l.Selected(i)) {
        l.RemoveItem(i);
        ++removed;
        found = true;
        break;
      }
    }
  }
  EXPECT_EQ(removed, 3);
  EXPECT_EQ(l.Items(), (QStringList{"item0", "item2", "item5"}));
}

TEST_F(ListBoxTest, ThirtyThousandEntriesKeepTheirPlaces) {
  ListBox l(&form, 2);
  Fill(l, 30000);
  for (int i = 0; i < 200; ++i) l.AddItem("ins", 15000);
  l.SetListIndex(29999);
  for (int i = 0; i < 200; ++i) l.RemoveItem(100);
  EXPECT_EQ(l.ListCount(), 30000);
  const struct {
    int index;
    const char* text;
  } places[] = {{99, "item99"}, {100, "item300"},     {14799, "item14999"}, {14800, "ins"},
                {14999, "ins"}, {15000, "item15000"}, {29999, "item29999"}};
  for (const auto& p : places) EXPECT_EQ(l.List(p.index), p.text) << p.index;
  EXPECT_EQ(l.ListIndex(), 29799);
  EXPECT_EQ(l.Text(), "item29799");
}

}  // namespace
