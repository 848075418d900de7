#include "platform/folderwalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <set>
#include <utility>
#include <vector>

#include "platform/vberror.h"

namespace platform {

namespace {

Q_LOGGING_CATEGORY(lcWalk, "slideshow.folderwalk", QtWarningMsg)

// Entries read from one folder between two chances for the window to run its events.
constexpr int kEntriesPerBreath = 2048;

const char* const kSystemFolders[] = {"/proc", "/sys", "/dev", "/run"};

using FileId = std::pair<dev_t, ino_t>;

// The file patterns, made ready once: "*.ext" as a plain ending compared byte by byte
// (the common case, and the one a search of tens of thousands of files lives on), anything
// else as a wildcard expression.
class NameMatcher {
 public:
  explicit NameMatcher(const QString& patterns) {
    for (const QString& part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString p = part.trimmed();
      if (p.isEmpty()) continue;
      if (p == QLatin1String("*") || p == QLatin1String("*.*")) {
        all_ = true;
        continue;
      }
      const QString tail = p.mid(1);
      const bool plainEnding = p.startsWith(QLatin1Char('*')) && !tail.contains(QLatin1Char('*')) &&
                               !tail.contains(QLatin1Char('?')) &&
                               !tail.contains(QLatin1Char('[')) && IsAscii(tail);
      if (plainEnding) {
        endings_.push_back(tail.toLatin1().toLower());
      } else {
        wildcards_.emplace_back(QRegularExpression::wildcardToRegularExpression(p),
                                QRegularExpression::CaseInsensitiveOption);
      }
    }
  }

  bool Matches(const char* name, size_t length) const {
    if (all_) return true;
    for (const QByteArray& ending : endings_) {
      const size_t n = static_cast<size_t>(ending.size());
      if (length < n) continue;
      const char* tail = name + (length - n);
      bool same = true;
      for (size_t i = 0; i < n && same; ++i) same = AsciiLower(tail[i]) == ending[i];
      if (same) return true;
    }
    if (wildcards_.empty()) return false;
    const QString decoded = QFile::decodeName(QByteArray(name, static_cast<qsizetype>(length)));
    for (const QRegularExpression& re : wildcards_)
      if (re.match(decoded).hasMatch()) return true;
    return false;
  }

 private:
  static bool IsAscii(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x80; });
  }
  static char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

  bool all_ = false;
  std::vector<QByteArray> endings_;
  std::vector<QRegularExpression> wildcards_;
};

QString Join(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// One folder on the walk's stack: its subfolders still to walk (taken from the back) and
// its matching files, handed over when the subfolders are done.
struct Level {
  QString path;
  QStringList subfolders;
  qsizetype next = 0;
  QStringList files;
};

class Walk {
 public:
  Walk(const FolderWalkRules& rules, FolderWalkClient& client)
      : rules_(rules), client_(client), matcher_(rules.patterns) {
    // The system folders by identity too, so that a link into them is refused as well.
    for (const char* folder : kSystemFolders) {
      struct stat st {};
      if (::stat(folder, &st) == 0) refused_.insert({st.st_dev, st.st_ino});
    }
  }

  FolderWalkEnd Run(const QString& start) {
    if (!Enter(start)) return FolderWalkEnd::kStopped;
    while (!stack_.empty()) {
      Level& top = stack_.back();
      if (top.next > 0 && client_.Running()) {
        const QString sub = top.subfolders.at(--top.next);
        if (!Enter(sub)) return FolderWalkEnd::kStopped;
        continue;
      }
      if (client_.Running()) {
        // Copies: the client may run events, but nothing of the walk's own changes meanwhile.
        const QString folder = top.path;
        const QStringList files = std::move(top.files);
        client_.FolderFiles(folder, files);
      }
      stack_.pop_back();
    }
    return client_.Running() ? FolderWalkEnd::kCompleted : FolderWalkEnd::kStopped;
  }

 private:
  // Opens a folder and puts it on the stack; a folder that cannot be read, one entered
  // before or a system folder is passed over (true). False: the client ended the walk.
  bool Enter(const QString& path) {
    if (IsSystemFolder(path)) return true;
    const QByteArray native = QFile::encodeName(path);
    DIR* dir = ::opendir(native.constData());
    if (!dir) {
      qCInfo(lcWalk) << "folder passed over:" << path << "errno" << errno;
      return true;
    }
    struct Closer {
      DIR* d;
      ~Closer() { ::closedir(d); }
    } closer{dir};
    struct stat st {};
    if (::fstat(::dirfd(dir), &st) != 0) return true;
    const FileId id{st.st_dev, st.st_ino};
    if (refused_.count(id) != 0 || !entered_.insert(id).second) return true;

    if (!client_.EnterFolder(path)) return false;

    Level level;
    level.path = path;
    const QString upper = path.toUpper();
    const bool descend = std::none_of(rules_.noDescent.begin(), rules_.noDescent.end(),
                                      [&](const QString& mark) { return upper.contains(mark); });
    Read(dir, descend, level);
    std::sort(level.subfolders.begin(), level.subfolders.end(), NameOrderLess);
    std::sort(level.files.begin(), level.files.end(), NameOrderLess);
    for (QString& name : level.subfolders) name = Join(path, name);
    level.next = level.subfolders.size();
    stack_.push_back(std::move(level));
    return true;
  }

  void Read(DIR* dir, bool descend, Level& level) {
    const int fd = ::dirfd(dir);
    int sinceBreath = 0;
    errno = 0;
    while (const dirent* e = ::readdir(dir)) {
      if (++sinceBreath >= kEntriesPerBreath) {
        sinceBreath = 0;
        client_.Breathe();
      }
      const char* name = e->d_name;
      if (name[0] == '.') continue;  // ".", ".." and hidden entries
      unsigned char type = e->d_type;
      if (type == DT_LNK || type == DT_UNKNOWN) {
        const bool link = type == DT_LNK;
        struct stat st {};
        if (::fstatat(fd, name, &st, 0) != 0) continue;  // a broken link
        type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        // A link may lead anywhere into the kernel's folders, not only to their tops.
        if (link && type == DT_DIR && LeadsIntoSystemFolder(level.path, name)) continue;
      }
      if (type == DT_DIR) {
        if (descend) level.subfolders << QFile::decodeName(name);
      } else if (type == DT_REG) {
        if (matcher_.Matches(name, std::char_traits<char>::length(name)))
          level.files << QFile::decodeName(name);
      }
    }
  }

  static bool LeadsIntoSystemFolder(const QString& folder, const char* name) {
    const QByteArray link = QFile::encodeName(Join(folder, QFile::decodeName(name)));
    char resolved[PATH_MAX];
    if (::realpath(link.constData(), resolved) == nullptr) return true;
    return IsSystemFolder(QFile::decodeName(resolved));
  }

  const FolderWalkRules& rules_;
  FolderWalkClient& client_;
  NameMatcher matcher_;
  std::vector<Level> stack_;
  std::set<FileId> entered_;
  std::set<FileId> refused_;
};

}  // namespace

bool NameOrderLess(const QString& a, const QString& b) {
  const int c = a.compare(b, Qt::CaseInsensitive);
  return c != 0 ? c < 0 : a < b;
}

bool IsSystemFolder(const QString& path) {
  for (const char* folder : kSystemFolders) {
    const QLatin1String f(folder);
    if (path == f || (path.startsWith(f) && path.size() > f.size() && path.at(f.size()) == u'/'))
      return true;
  }
  return false;
}

FolderWalkEnd WalkFolderTree(const QString& start, const FolderWalkRules& rules,
                             FolderWalkClient& client) {
  try {
    Walk walk(rules, client);
    return walk.Run(start);
  } catch (const std::bad_alloc& e) {
    LogSwallowed("folder walk", e);
    return FolderWalkEnd::kOutOfMemory;
  }
}

SearchFinds::Taken SearchFinds::Add(const QString& folder, const QStringList& names,
                                    qsizetype room) {
  room -= rows_.size();
  if (room <= 0) return Taken::kFull;
  const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
  for (qsizetype i = 0; i < names.size() && i < room; ++i) rows_ << base + names.at(i);
  filesListed_ += static_cast<int>(names.size());
  return !names.isEmpty() && names.size() >= room ? Taken::kFilled : Taken::kSome;
}

bool SearchFinds::Due() const {
  // How long found rows may wait before they go into the list.
  constexpr qint64 kFlushIntervalMs = 100;
  return !clock_.isValid() || clock_.elapsed() >= kFlushIntervalMs;
}

QStringList SearchFinds::Take(int* filesListed) {
  QStringList rows = std::move(rows_);
  rows_.clear();
  *filesListed = filesListed_;
  filesListed_ = 0;
  clock_.start();
  return rows;
}

void SearchFinds::Reset() {
  rows_.clear();
  filesListed_ = 0;
  clock_.invalidate();
}

}  // namespace platform
