// The sound list editor's folder search: the order in which a folder tree's files arrive,
// the type chooser, stopping the search, insert mode and the limit.
#include <QDir>
#include <QFile>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

#include "core/soundlist_file.h"
#include "sound/form19.h"
#include "tests/sound/sound_test_support.h"

namespace {

using soundtest::SoundTest;

class SearchTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    QFile::remove(core::SoundListFilePath());
    if (sound::Form10* old = sound::Form10IfLoaded()) old->Unload();
    platform::DestroyPendingNow();
    w_ = &sound::form10();
    // S with subfolders A (A1, A2) and B; a WAV in each folder, an MP3 in S.
    root_ = dir_.filePath(QStringLiteral("S"));
    for (const char* sub : {"S", "S/A", "S/A/A1", "S/A/A2", "S/B"}) {
      QDir().mkpath(dir_.filePath(QString::fromLatin1(sub)));
      Touch(QString::fromLatin1(sub) + QStringLiteral("/") +
            QString::fromLatin1(sub).section(QLatin1Char('/'), -1) + QStringLiteral(".wav"));
    }
    Touch(QStringLiteral("S/song.mp3"));
    w_->Dir1.SetPath(root_);
    dialogs_.ClearCalls();
  }
  void TearDown() override {
    if (sound::Form10* w = sound::Form10IfLoaded()) w->Unload();
    if (sound::Form19* c = sound::Form19IfLoaded()) c->Unload();
    platform::DestroyPendingNow();
    SoundTest::TearDown();
  }
  void Touch(const QString& relative) {
    QFile f(dir_.filePath(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  // Runs "検索" with the type boxes ticked as given (nullopt: the chooser is cancelled).
  void Search(std::optional<std::array<int, 3>> types) {
    QTimer::singleShot(0, [types] {
      sound::Form19& chooser = sound::form19();
      if (!types) {
        chooser.Command4.DoClick();
        return;
      }
      for (int i = 0; i < 3; ++i) chooser.Check1(i).SetValue((*types)[i]);
      chooser.Command3.DoClick();
    });
    w_->Command8.DoClick();
  }
  QStringList Names() const {
    QStringList names;
    for (const QString& e : w_->List1.Items()) names << e.mid(dir_.path().size() + 1);
    return names;
  }

  sound::Form10* w_ = nullptr;
  QString root_;
};

constexpr std::array<int, 3> kAllTypes{1, 1, 1};

TEST_F(SearchTest, DeepestAndLastListedFoldersComeFirstAndTheStartFolderLast) {
  Search(kAllTypes);
  EXPECT_EQ(Names(), QStringList({"S/B/B.wav", "S/A/A2/A2.wav", "S/A/A1/A1.wav", "S/A/A.wav",
                                  "S/S.wav", "S/song.mp3"}));
  EXPECT_EQ(core::Paths().SearchPattern, QStringLiteral("*.WAV;*.MID;*.MP3"));
  EXPECT_EQ(w_->Dir1.Path(), root_);
  EXPECT_EQ(w_->Command8.Caption(), QStringLiteral("検索"));
  EXPECT_FALSE(w_->Label1.Visible());
  EXPECT_EQ(w_->SoundSearchRunning, 0);
  EXPECT_EQ(w_->File1.Pattern(), QStringLiteral("*.wav;*.mid;*.mp3"));
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(SearchTest, TheChosenTypesOnlyAndNoSearchWithoutAType) {
  Search(std::array<int, 3>{0, 0, 1});
  EXPECT_EQ(core::Paths().SearchPattern, QStringLiteral("*.MP3"));
  EXPECT_EQ(Names(), QStringList({"S/song.mp3"}));
  w_->List1.Clear();
  Search(std::array<int, 3>{0, 0, 0});
  Search(std::nullopt);
  EXPECT_TRUE(w_->List1.Items().isEmpty());
  EXPECT_EQ(sound::Form19IfLoaded(), nullptr);
}

TEST_F(SearchTest, StartsAtTheHighlightedSubfolder) {
  w_->Dir1.SetListIndex(1);  // B
  Search(kAllTypes);
  EXPECT_EQ(Names(), QStringList({"S/B/B.wav"}));
  EXPECT_EQ(w_->Dir1.Path(), root_ + QStringLiteral("/B"));
}

TEST_F(SearchTest, InsertModePutsEveryFoundFileInFrontOfTheSelectedEntry) {
  w_->List1.SetItems({QStringLiteral("/x/first.wav"), QStringLiteral("/x/last.wav")});
  w_->List1.SetSelected(1, true);
  w_->Check2.SetValue(1);
  Search(kAllTypes);
  const QStringList items = w_->List1.Items();
  ASSERT_EQ(items.size(), 8);
  EXPECT_EQ(items.front(), QStringLiteral("/x/first.wav"));
  EXPECT_EQ(items.back(), QStringLiteral("/x/last.wav"));
  EXPECT_EQ(items[1], dir_.filePath(QStringLiteral("S/B/B.wav")));
  EXPECT_EQ(items[6], dir_.filePath(QStringLiteral("S/song.mp3")));
}

TEST_F(SearchTest, AGuardedButtonOnlyEndsTheSearchAndKeepsWhatWasFound) {
  w_->List1.SetItems({QStringLiteral("/x/keep.wav")});
  w_->List1.SetSelected(0, true);
  // The first folder's file arrives: "選択取消" is clicked, which must only end the search.
  bool clicked = false;
  QObject::connect(w_->List1.model(), &QAbstractItemModel::rowsInserted, w_, [&] {
    if (clicked) return;
    clicked = true;
    EXPECT_EQ(w_->Command8.Caption(), QStringLiteral("中止"));
    EXPECT_TRUE(w_->Label1.Visible());
    w_->Command5.DoClick();
  });
  Search(kAllTypes);
  EXPECT_EQ(w_->List1.Items(), QStringList({QStringLiteral("/x/keep.wav"),
                                            dir_.filePath(QStringLiteral("S/B/B.wav"))}));
  EXPECT_EQ(w_->Command8.Caption(), QStringLiteral("検索"));
  EXPECT_EQ(w_->SoundSearchRunning, 0);
}

TEST_F(SearchTest, TheLimitEndsTheSearchWithOneMessageAndSkipsTheNextSearch) {
  QStringList many;
  for (int i = 0; i < sound::kSoundListLimit - 2; ++i) many << QStringLiteral("/m/%1.wav").arg(i);
  w_->List1.SetItems(many);
  Search(kAllTypes);
  EXPECT_EQ(w_->List1.ListCount(), sound::kSoundListLimit);
  EXPECT_EQ(Titles(), QStringList({"ｽﾗｲﾄﾞｼｮｰ"}));
  EXPECT_EQ(w_->SoundListFullStop, 1);
  // The next search only clears the stop; the one after that is refused at once.
  Search(kAllTypes);
  EXPECT_EQ(w_->SoundListFullStop, 0);
  EXPECT_EQ(Titles().size(), 1);
  Search(kAllTypes);
  EXPECT_EQ(w_->List1.ListCount(), sound::kSoundListLimit);
  EXPECT_EQ(Titles().size(), 2);
}

TEST_F(SearchTest, WindowsComponentStoreFoldersAreNotWalkedButTheirFilesAreAdded) {
  const QString sxs = root_ + QStringLiteral("/B/Windows/WinSxS");
  QDir().mkpath(sxs + QStringLiteral("/deep"));
  Touch(QStringLiteral("S/B/Windows/WinSxS/sxs.wav"));
  Touch(QStringLiteral("S/B/Windows/WinSxS/deep/deep.wav"));
  w_->Dir1.SetPath(root_ + QStringLiteral("/B"));
  Search(std::array<int, 3>{1, 0, 0});
  EXPECT_EQ(Names(), QStringList({"S/B/Windows/WinSxS/sxs.wav", "S/B/B.wav"}));
}

TEST_F(SearchTest, ALinkToAFolderAboveIsNotFollowed) {
  ASSERT_TRUE(QFile::link(root_, root_ + QStringLiteral("/B/loop")));
  Search(std::array<int, 3>{1, 0, 0});
  EXPECT_EQ(Names(),
            QStringList({"S/B/B.wav", "S/A/A2/A2.wav", "S/A/A1/A1.wav", "S/A/A.wav", "S/S.wav"}));
}

}  // namespace
