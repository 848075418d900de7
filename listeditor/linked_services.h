#pragma once
// The slide list editor's linked-file windows entered in core's table of services: the
// linked-files folder window of the main window's menu and the unloading at exit.

namespace listeditor {

void RegisterLinkedFileServices();

}  // namespace listeditor
