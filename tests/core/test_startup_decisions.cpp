// Start-up's decisions: whether the link table is built and whether the show starts by
// itself, and the link table it builds.
#include <gtest/gtest.h>

#include "core/startup.h"
#include "core/state.h"
#include "platform/events.h"
#include "schedule/form9.h"

namespace {

struct AutoStartCase {
  short cmdLineMode;
  int slides;
  short autoStartOff;
  int links;
  short linkAutoStart;
  bool starts;
};

TEST(StartupDecisions, AutomaticFullScreenStart) {
  const AutoStartCase cases[] = {
      {0, 0, 1, 0, 0, false},  // nothing to show: the main window
      {0, 0, 0, 0, 0, false},  // auto start on, but no slides
      {0, 3, 1, 0, 0, false},  // slides, auto start off
      {0, 3, 0, 0, 0, true},   // slides and auto start
      {1, 0, 1, 0, 0, true},   // a slideshow file named, whatever its reader left
      {2, 0, 1, 0, 0, true},   // a link list named
      {0, 0, 1, 2, 1, true},   // saved link list that starts by itself
      {0, 0, 1, 2, 0, false},  // saved link list without auto start
      {0, 0, 1, 0, 1, false},  // link auto start with an empty link list
  };
  for (const AutoStartCase& c : cases) {
    EXPECT_EQ(
        core::AutoStartWanted(c.cmdLineMode, c.slides, c.autoStartOff, c.links, c.linkAutoStart),
        c.starts)
        << "mode " << c.cmdLineMode << " slides " << c.slides << " off " << c.autoStartOff
        << " links " << c.links << " link auto " << c.linkAutoStart;
  }
}

struct LinkTableCase {
  int links;
  short linkAutoStart;
  short cmdLineMode;
  bool built;
};

TEST(StartupDecisions, LinkTableIsBuilt) {
  const LinkTableCase cases[] = {
      {2, 1, 0, true},   // the saved list starts by itself
      {2, 1, 1, false},  // a slideshow file on the command line takes precedence
      {2, 0, 0, false},  // no auto start
      {0, 1, 0, false},  // nothing saved
      {0, 0, 2, true},   // a link list on the command line, even an empty one
      {3, 0, 2, true},
  };
  for (const LinkTableCase& c : cases) {
    EXPECT_EQ(core::LinkTableWanted(c.links, c.linkAutoStart, c.cmdLineMode), c.built)
        << "links " << c.links << " auto " << c.linkAutoStart << " mode " << c.cmdLineMode;
  }
}

class LinkTableTest : public ::testing::Test {
 protected:
  void SetUp() override { core::ResetAllState(); }
  void TearDown() override {
    if (auto* w = schedule::Form9IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    core::ResetAllState();
  }
};

TEST_F(LinkTableTest, CopiesTheEditorsListAndReplacesTheOldTable) {
  core::ListState& lists = core::Lists();
  lists.LinkListEntries[3] = QStringLiteral("/old/c.kvz");  // left from an earlier table
  schedule::form9().List1.AddItem(QStringLiteral("/shows/a.kvz"));
  schedule::form9().List1.AddItem(QStringLiteral("/shows/b.kvz"));

  core::BuildLinkTable();

  EXPECT_EQ(lists.LinkListEntries[1], QStringLiteral("/shows/a.kvz"));
  EXPECT_EQ(lists.LinkListEntries[2], QStringLiteral("/shows/b.kvz"));
  EXPECT_EQ(lists.LinkListEntries[3], QString());
  EXPECT_EQ(lists.LinkEndIndex, 3);
  EXPECT_EQ(lists.LinkRunActive, 1);
}

TEST_F(LinkTableTest, EmptyListLeavesTheRunOff) {
  core::BuildLinkTable();
  EXPECT_EQ(core::Lists().LinkEndIndex, 1);
  EXPECT_EQ(core::Lists().LinkRunActive, 0);
}

}  // namespace
