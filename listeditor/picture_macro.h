#pragma once
// A picture's own macro text file: the picture-linked ".txt" beside the picture or in the
// linked-files folder, opened in the program's text window. A new one starts from
// "header.txt" in the application folder or the built-in header.
#include <QStringList>

namespace listeditor {

// Makes sure the macro text file of the slide list window's current row exists and opens
// it in the text window; "ﾃｷｽﾄ削除" is enabled. It asks nothing. A missing file is made
// from the header and the picture's name line; pending generated macro text (core state
// GeneratedMacroText, non-empty) replaces the file by the header and that text, and then
// no text window opens. The caller empties GeneratedMacroText afterwards.
void EditPictureMacroFile();

// Asks, then deletes the current row's macro text file and disables "ﾃｷｽﾄ削除".
void DeletePictureMacroFile();

// The 26 lines of the built-in header.
QStringList DefaultMacroHeader();

}  // namespace listeditor
