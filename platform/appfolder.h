#pragma once
#include <QString>

namespace platform {

// The per-user data folder ($XDG_DATA_HOME/slideshow/), with a trailing '/'.
// Created on first use; the program's shipped files are copied in when missing.
QString AppFolderPath();

// Copies the shipped files (help texts, header, sounds, pictures) from the folder
// beside the binary into AppFolderPath() when they are missing there.
void InstallShippedFiles();

}  // namespace platform
