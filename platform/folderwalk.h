#pragma once
// The one walk over a folder tree that the folder searches of the slide list and of the
// sound list share. It visits a folder's subfolders from the last (in the browser lists'
// name order) to the first, each walked whole before the next, and hands over a folder's
// matching files after everything below it: for a start R with subfolders A (A1, A2) and
// B the files arrive from B, A2, A1, A, R.
//
// The walk keeps its own stack of folders, so a deep tree cannot overflow the call stack.
// A folder is entered once: a link (or bind mount) leading to a folder already entered is
// not followed. The kernel's folders /proc, /sys, /dev and /run are never entered. Hidden
// entries (names beginning with ".") are passed over, as the browser lists do.
//
//   class Search : public platform::FolderWalkClient { ... };
//   platform::FolderWalkRules rules{QStringLiteral("*.JPG;*.PNG"), {QStringLiteral("/WINSXS")}};
//   platform::WalkFolderTree(start, rules, search);
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/vberror.h"

namespace platform {

// What the walk asks of the window that runs it.
class FolderWalkClient {
 public:
  virtual ~FolderWalkClient() = default;
  // A folder is about to be walked (window events may run here). False ends the whole walk
  // at once: nothing more is handed over, not even the files of the folders above.
  virtual bool EnterFolder(const QString& folder) = 0;
  // Tested before each subfolder and before a folder's files: false winds the walk up
  // without entering any further folder or handing over any further file.
  virtual bool Running() const = 0;
  // A folder's matching files (names only, in name order), after all folders below it.
  virtual void FolderFiles(const QString& folder, const QStringList& names) = 0;
  // Called every few thousand entries while one large folder is read, so that the window
  // stays live; a stop asked for here is seen at the next Running().
  virtual void Breathe() {}
};

// The walk of a window's own folder search: the window's events run at every folder, and
// the walk ends when the window's search flag no longer holds `on`, the window closed (it
// walks that window's lists), or an addition filled the list (`fullStop` 1, cleared here).
// The files go to the window's AddSearchFolderFiles.
template <class Window, class Flag>
class WindowFolderSearch : public FolderWalkClient {
 public:
  WindowFolderSearch(Window& window, Flag& running, Flag on, short& fullStop)
      : window_(window), running_(running), on_(on), fullStop_(fullStop) {}

  bool EnterFolder(const QString&) override {
    running_ = on_;
    DoEvents();
    if (!Running()) return false;
    if (fullStop_ == 1) {
      fullStop_ = 0;
      return false;
    }
    return true;
  }
  bool Running() const override { return running_ == on_ && !window_.IsClosed(); }
  void FolderFiles(const QString& folder, const QStringList& names) override {
    window_.AddSearchFolderFiles(folder, names);
  }
  void Breathe() override { DoEvents(); }

 private:
  Window& window_;
  Flag& running_;
  const Flag on_;
  short& fullStop_;
};

struct FolderWalkRules {
  // File patterns separated by ";" ("*.jpg;*.png"), matched without regard to case.
  QString patterns;
  // Upper-case path fragments: below a folder whose upper-cased path contains one of them
  // nothing is walked, while that folder's own files are still handed over.
  QStringList noDescent;
};

enum class FolderWalkEnd {
  kCompleted,    // every folder was walked
  kStopped,      // EnterFolder or Running ended it
  kOutOfMemory,  // the walk could not hold its folders; what was handed over stays
};

// Walks `start` and everything below it. A folder that cannot be read is passed over
// (and logged); its neighbours and the folders above it are still walked.
FolderWalkEnd WalkFolderTree(const QString& start, const FolderWalkRules& rules,
                             FolderWalkClient& client);

// The rows a window's folder search found, waiting to go into its list together a few
// times a second (the first folder's at once): each change of a long list costs the view a
// pass over every row, which per folder would make a search of many folders crawl.
class SearchFinds {
 public:
  enum class Taken {
    kSome,    // the folder's files wait (or the list had no room for any: kFull)
    kFull,    // the list had no room left before this folder
    kFilled,  // this folder's files filled the list: the search ends
  };
  // Takes a folder's files while the list has room for `room` more rows besides those
  // already waiting.
  Taken Add(const QString& folder, const QStringList& names, qsizetype room);
  bool Empty() const { return rows_.isEmpty(); }
  // Whether the waiting rows should go in now.
  bool Due() const;
  // Hands out the waiting rows and how many files the walked folders listed meanwhile.
  QStringList Take(int* filesListed);
  void Reset();

 private:
  QStringList rows_;
  int filesListed_ = 0;
  QElapsedTimer clock_;
};

// ---- a list window's folder search ------------------------------------------------------

// What sets one list window's search apart.
struct ListSearchSetup {
  QStringList noDescent;  // as FolderWalkRules::noDescent
  QString filePattern;    // the file list's own pattern, given back however the search ends
  const char* logName;    // what the log calls a search that failed
};

// The search button's click. While a search runs (`running` holds `on`) it asks the search
// to stop. Otherwise the highlighted folder becomes the start, `chooseTypes` shows the type
// chooser and gives the patterns chosen (empty: cancelled), and the walk runs below it,
// the button reading "中止" meanwhile; the first search after an addition stopped at the
// list's limit (`fullStop` 1) does not run. The window has the browser lists Dir1 and
// File1, the button Command8, the label Label1, AddSearchFolderFiles and FlushSearchFinds.
template <class Window, class Flag>
void RunListSearch(Window& w, SearchFinds& finds, Flag& running, Flag on, short& fullStop,
                   const ListSearchSetup& setup, const std::function<QString()>& chooseTypes) {
  if (running == on) {
    running = Flag{};
    return;
  }
  // Puts the window back however the search ended.
  struct End {
    Window& w;
    Flag& running;
    const QString& filePattern;
    ~End() {
      running = Flag{};
      RunStepsIgnoringErrors({
          [] { SetScreenMousePointer(0); },
          [this] { w.File1.SetPattern(filePattern); },
          [this] { w.Command8.SetCaption(QStringLiteral("検索")); },
          [this] { w.Label1.SetVisible(false); },
      });
    }
  };
  try {
    // The highlighted folder is where the search starts (the open one when none is).
    w.Dir1.SetPath(w.Dir1.List(w.Dir1.ListIndex()));
    const QString patterns = chooseTypes();
    if (patterns.isEmpty()) return;
    if (fullStop == 1) {
      fullStop = 0;
      SetScreenMousePointer(0);
      return;
    }
    const QString start = w.Dir1.Path();
    End end{w, running, setup.filePattern};
    finds.Reset();
    w.Command8.SetCaption(QStringLiteral("中止"));
    w.Label1.SetVisible(true);
    // The file list shows the start folder's files of the chosen types while the walk runs.
    TryStep([&] { w.File1.SetPattern(patterns); });
    WindowFolderSearch<Window, Flag> search(w, running, on, fullStop);
    const FolderWalkEnd how =
        WalkFolderTree(start, FolderWalkRules{patterns, setup.noDescent}, search);
    w.FlushSearchFinds();
    if (how == FolderWalkEnd::kOutOfMemory) {
      MsgBox(QStringLiteral("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。"), vbOKOnly);
    }
  } catch (const std::exception& e) {
    LogSwallowed(setup.logName, e);
    TryStep([&] { w.FlushSearchFinds(); });
    SetScreenMousePointer(0);
  }
}

// A walked folder's files for the window's list, after the window's events: they wait
// with the others until `flush` puts them in. When the list (`room` rows left) is full,
// `listFull` tells the user and `fullStop` becomes 1; the folder that fills it ends the
// search as well.
template <class Flag>
void AddListSearchFinds(SearchFinds& finds, const QString& folder, const QStringList& names,
                        const std::function<qsizetype()>& room, Flag& running, short& fullStop,
                        const std::function<void()>& flush, const std::function<void()>& listFull) {
  DoEvents();
  fullStop = 0;
  switch (finds.Add(folder, names, room())) {
    case SearchFinds::Taken::kSome:
      if (finds.Due()) flush();
      return;
    case SearchFinds::Taken::kFull:
      flush();
      listFull();
      fullStop = 1;
      return;
    case SearchFinds::Taken::kFilled:
      // This folder's rows fill the list: they go in, then the message, and the search ends.
      flush();
      listFull();
      fullStop = 1;
      running = Flag{};
      return;
  }
}

// The order the browser lists show names in: without regard to case, then by code.
bool NameOrderLess(const QString& a, const QString& b);

// Whether a folder is one of those the walk never enters (/proc, /sys, /dev, /run and
// what lies below them).
bool IsSystemFolder(const QString& path);

}  // namespace platform
