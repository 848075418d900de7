#pragma once
// Picture orientation: the EXIF orientation tag of a picture file, and the start and
// stop of the tag reader that bracket the program's run.
#include <QString>

namespace core {

// Starts the EXIF reader unless it is already started (GdiplusToken not 0).
void StartGdiplus();
// Stops the reader when it was started; a second call does nothing.
void StopGdiplus();
// The reader's token; 0 = not started.
int GdiplusToken();

// The picture's EXIF orientation: 1, 3, 6 or 8. Any other value (the mirrored 2, 4,
// 5, 7 and values outside 1..8), a file without the tag, and every failure give 1.
// Callers turn the picture by 180 degrees for 3, 90 for 6 and -90 for 8.
int GetExifOrientation(const QString& path);
// The same, with the reader already started: safe on any thread, as it touches no state.
int ReadUprightTurn(const QString& path);

}  // namespace core
