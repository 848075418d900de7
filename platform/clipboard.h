#pragma once
// The system clipboard: emptied, then given a whole picture or a text.
#include <QImage>

namespace platform {

// Empties the clipboard.
void ClearClipboard();
// Puts the picture on the clipboard as an image at its own size.
void SetClipboardPicture(const QImage& picture);
// The picture on the clipboard; a null image when it holds none.
QImage ClipboardPicture();
// Puts the text on the clipboard as Unicode text.
void SetClipboardText(const QString& text);
// The text on the clipboard; "" when it holds none.
QString ClipboardText();

}  // namespace platform
