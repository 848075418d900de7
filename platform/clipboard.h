#pragma once
// The system clipboard for pictures: emptied, then given a whole picture.
#include <QImage>

namespace platform {

// Empties the clipboard.
void ClearClipboard();
// Puts the picture on the clipboard as an image at its own size.
void SetClipboardPicture(const QImage& picture);
// The picture on the clipboard; a null image when it holds none.
QImage ClipboardPicture();

}  // namespace platform
