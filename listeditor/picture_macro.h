#pragma once
// A picture's own macro text file: "<picture>.txt" beside the picture or in the linked-files
// folder. Opened in the program's text window; a new one starts from "header.txt" in the
// application folder or the built-in header, followed by any generated macro text.
namespace listeditor {

// Opens (creating when needed) the macro text file of the picture chosen in the slide list
// window. Pending generated macro text (core state GeneratedMacroText) is appended to a
// new file and then cleared.
void EditPictureMacroFile();

}  // namespace listeditor
