#pragma once
// Operations of other windows that the main window's file menu calls, kept here until
// their owners provide them: each is named after the operation it stands for.

namespace core::pending {

// The four-up view (Form5): its "終了", and its unload.
void FourUpViewClose();
void UnloadFourUpView();

// The linked-files folder window (Form12), shown modally.
void ShowLinkedFilesFolderWindow();

}  // namespace core::pending
