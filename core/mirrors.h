#pragma once
// Controls that show a setting: the main window's menu ticks and the editors' check boxes
// and option buttons. A window joins with one routine per setting when it is built; what
// changes a setting behind the controls' back (the files' readers, start-up) refreshes
// that setting, and every window showing it follows. A window leaves when it is destroyed.
#include <QObject>
#include <functional>

namespace core {

// `setting` is the value in the program's state (Settings().DblClickPicture, …): its
// address names it.
void JoinMirror(QObject* window, const void* setting, std::function<void()> refresh);
// Runs the routines of the windows that show `setting`, in the order they joined.
void RefreshMirror(const void* setting);

}  // namespace core
