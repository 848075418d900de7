#pragma once
// The program's life: the start-up procedure, the single-copy rule, the ends of the
// process, and the signals that close the main window as a log-off would.
#include <QString>
#include <QStringList>
#include <functional>

namespace core {

// ---- command line ---------------------------------------------------------------------------

struct CommandLineFile {
  QString path;    // CmdLineFile
  short mode = 0;  // CmdLineMode: 1 slideshow file (".kvz"), 2 link list (".usl"), 0 none
};

// Reads the command line: leading blanks removed, a leading double quote dropped and the
// text cut before the next double quote, made absolute against the current folder
// (trailing blanks stay); the last three letters, upper-cased, give the mode.
CommandLineFile ReadCommandLine(const QString& commandLine);

// The folder of a path up to and including its last "/" ("" when it has none).
QString FolderOfPath(const QString& path);

// The start-up procedure: sets CmdLineFile and CmdLineMode from the command line (the
// arguments after the program's name, joined by blanks) and loads the main window.
void Main(const QStringList& arguments);

// ---- start-up decisions -----------------------------------------------------------------------

// The link table is built when the saved link list starts by itself (and no file was
// named on the command line) or a link list was named on the command line.
bool LinkTableWanted(int linkEntryCount, short linkAutoStart, short cmdLineMode);
// Fills LinkListEntries and LinkEndIndex from the link-list editor's list.
void BuildLinkTable();
// The show starts by itself, full screen, when a file was named on the command line, or
// a slide list is there and AutoStartOff is 0, or the saved link list starts by itself.
bool AutoStartWanted(short cmdLineMode, int slideCount, short autoStartOff, int linkEntryCount,
                     short linkAutoStart);

// ---- single copy ------------------------------------------------------------------------------

// True when another copy of the program holds the lock in AppFolder. The first call that
// finds the lock free takes it for this process; a lock left by a dead process is stale
// and does not count.
bool AnotherCopyRunning();
// Gives the lock up (the process is ending).
void ReleaseSingleCopyLock();

// ---- ends of the process ----------------------------------------------------------------------

enum class ProgramEnd {
  kImmediate,      // second copy refused, command-line file rejected, colour check
  kAfterShutdown,  // the main window's unload has run
};

// Ends the process at once without the shutdown sequence: nothing is saved. Callers
// return right after it (in tests the process goes on, and ProgramEnded() is true).
void EndProgramNow();
// Ends the process after the main window's unload.
void EndProcess();
// True once one of the two has been called.
bool ProgramEnded();
// Tests: observe the ends instead of ending the process (nullptr restores the exit).
// Resetting clears ProgramEnded().
void SetProgramEndHandler(std::function<void(ProgramEnd)> handler);

// ---- signals -----------------------------------------------------------------------------------

// SIGTERM, SIGHUP and SIGINT close the main window as a log-off would: its unload runs
// and writes the settings files. Call once after the application object exists.
void InstallTerminationSignalHandlers();

}  // namespace core
