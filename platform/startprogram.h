#pragma once
// Starting another program from a command line that a user wrote (macro lines, picture
// buttons). No shell ever sees the text: it is split into the program and its arguments
// by the quoting rules of a command line and started directly.
#include <QString>
#include <QStringList>

namespace platform {

// The program and its arguments of a command line: blanks separate, double quotes group
// (a tripled quote is a literal one), nothing else is special.
QStringList SplitCommandLine(const QString& commandLine);

// Starts the command line's program detached, with the window of its own. A program
// name without "/" that names a file in `folder` is started from there; otherwise the
// program is looked up in the search path. The program runs in `folder` when that folder
// exists. Returns false when there is no program or it cannot be started.
bool StartProgram(const QString& commandLine, const QString& folder);

}  // namespace platform
