#pragma once
// The show surfaces: the background colour of the show window's picture boxes, the
// current picture that every effect and repaint copies from (PictureMemDC), and the
// presentation of the imaging control's picture on the holder, the preview box and the
// show surfaces.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace platform {
class PictureBox;
}

namespace engine {

class Slidescreen;

// ---- PictureMemDC -----------------------------------------------------------------------
// Our memory device context is a copy of the current picture, in the surfaces' pixel
// format so that effect steps are plain row copies. Selecting a picture releases the one
// before; core::Surfaces() keeps PictureMemDC (an id that survives the release, as the
// handle value did) and PictureMemDCInUse.
void SelectPictureDC(const QImage& picture);
// Gives the picture back; does nothing when none is in use. May be called any number of
// times.
void ReleasePictureDC();
// The picture in use, or a null image when released.
const QImage& PictureMemDCImage();

// The current picture's size as shown (the holder Form4.Picture1): W x H of the effects.
QSize PictureHolderSize();

// Copies the whole picture of PictureMemDC to (left, top) of a picture box (a plain
// copy; the part outside the box is cut off).
void BlitPictureTo(platform::PictureBox& box, int left, int top);

// ---- background colour ----------------------------------------------------------------
// The background colour of the show surfaces: from the six hexadecimal digits RRGGBB of
// hex when it is not empty (nothing when it is not hexadecimal), else from the colour
// table of the overlay background menu (black outside 0..9).
std::optional<QColor> ScreenBackColor(const QString& hex, short index);
// Sets the background colour of P2, P3 and P4 from OverlayBackColorHex or
// OverlayBackColorIndex. Loads the show window hidden when it is not loaded.
void ApplyScreenBackColor();
void ApplyScreenBackColor(Slidescreen& screen);

// ---- presenting the imaging control's picture -------------------------------------------
// Converts Form4.Lead1's picture to 24 bits, puts it into the holder Form4.Picture1 and
// the preview box Form1.Picture1 and, in a full-screen show, selects it as PictureMemDC
// and copies it onto P2, P3 and P4 at (PictureLeft, PictureTop). Runs no effect.
void PresentImagingBitmap();

}  // namespace engine
