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

#include "platform/events.h"

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

// The order the browser lists show names in: without regard to case, then by code.
bool NameOrderLess(const QString& a, const QString& b);

// Whether a folder is one of those the walk never enters (/proc, /sys, /dev, /run and
// what lies below them).
bool IsSystemFolder(const QString& path);

}  // namespace platform
