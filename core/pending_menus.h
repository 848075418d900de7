#pragma once
// Operations of other windows that the main window's file menu calls, kept here until
// their owners provide them: each is named after the operation it stands for.

namespace core::standin {

// The linked-files folder window (Form12), shown modally.
void ShowLinkedFilesFolderWindow();

}  // namespace core::standin
