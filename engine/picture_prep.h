#pragma once
// Picture preparation of a slide: the file becomes an upright, 24-bit picture fitted to
// the monitor (full-screen show) or the preview box (main window), held in the hidden
// holder Form4.Picture1, shown in the preview box Form1.Picture1 and, in the full-screen
// show, selected as the current picture (PictureMemDC) that the transition effects copy.
//
// The picture is decoded no larger than it will ever be shown: a large JPEG is decoded at
// a reduced DCT scale. What is kept as the "unscaled" copy (Form4.Lead2) still covers the
// whole monitor, which is the most any later refit (full-screen start, closing the show
// window) asks of it. LoadedPictureWidth and LoadedPictureHeight keep the file's own size.
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace platform {
class PictureBox;
}

namespace engine {

// The share of the monitor a picture may fill in the full-screen show, by PictureSizeMode:
// 1, 0.8, 0.6, 0.4, 0.2, 0.2 + 0.5 r (mode 5, one r for both sides); 0 for mode 6 (no
// target) and any other mode.
double PictureSizeFactor(short pictureSizeMode, double r);

// Makes Form4.Lead2 hold the current picture at its loaded size (LoadedPictureWidth x
// LoadedPictureHeight) when the slide player kept a reduced decode of it; throws when the
// file can no longer be read.
void HoldPictureWhole();

// Everything the fit of one picture depends on. Sizes in twips.
struct FitRequest {
  bool fullScreen = false;
  short sizeAdjustMode = 0;   // 0 調整１, 1 調整２, 2 なし
  short pictureSizeMode = 0;  // 0..6
  double pictureScale = 0;    // PICRESIZE factor; 0 = none
  double factor = 1;          // PictureSizeFactor of the mode
  int monitorWidth = 0;
  int monitorHeight = 0;
  int boxWidth = 0;  // the preview box (main window)
  int boxHeight = 0;
  int pictureWidth = 0;  // the picture as loaded, upright
  int pictureHeight = 0;
};

// The fitted size in pixels, or nothing when the picture keeps its size. Full screen: a
// picture larger than its target box is fitted (調整１ inside the box; 調整２ covering it,
// a portrait picture at 1.125 times the box height); the main window fits to the preview
// box (調整１ only when larger, 調整２ always). A side above 32767 pixels raises VbError 6;
// a side below one pixel becomes one.
std::optional<QSize> FittedPictureSize(const FitRequest& request);

// The steps of a slide's picture, in the order the slide player runs them.

// First half: completes a path without a folder with AppFolder (the list entry keeps the
// completed path), sets CurrentSlideFileName, shows the busy pointer in the full-screen
// show, applies the overlay filter to the picture still on the screen, loads the new
// picture into Form4.Lead1 (a failed load is retried once plainly, without the turn),
// turns a ".jpg" upright by its EXIF orientation, converts it to 24 bits and keeps the
// copy in Form4.Lead2. Throws when the picture cannot be read. The decoding runs on a
// worker thread; window events are processed while it runs.
void PrepareSlidePicture();
// Second half: the holder gets the picture, LoadedPictureWidth/Height are set, the picture
// is fitted, the holder gets the fitted picture and the preview box is sized and shows
// it. Throws when the fit fails (a side above 32767 pixels).
void FitSlidePicture();
// Makes the holder's picture the current picture of the effects (full-screen show).
void MakePictureDC();

// The picture of the slide that comes next in the show's order, prepared on the worker
// while the present slide is shown (an empty path only drops what was prepared). The
// slide uses it only when its file (size, time stamp) and the fit's inputs (monitor,
// size modes, preview box, overlay) are still the same; at most one picture is held
// ahead. A picture that cannot be read is reported at its own slide.
void PreparePictureAhead(const QString& path);
void DiscardPictureAhead();
// For tests and benchmarks: true when the picture of `path` is held ahead, once its
// preparation has finished; and how many preparations the worker has begun.
bool PictureAheadFor(const QString& path);
int PicturesDecoded();

// A picture prepared ahead for a full-screen show without a display effect comes with the
// whole show surface composed on the worker: the surface's background and the picture at
// its place. Gives it to `surface` when it was composed for `picture` covering `covered`
// and the surface is cleared in that background colour; it is offered once, to the
// slide's display. False: the caller draws as usual.
bool AdoptPreparedSurface(platform::PictureBox& surface, const QImage& picture,
                          const QRect& covered);
// For tests: how many composed surfaces were taken.
int PreparedSurfacesAdopted();

// The whole preparation of the slide at CurrentSlideIndex, as one: both halves and, in the
// full-screen show, the memory DC.
void PreparePicture();

// The overlay filter of OverlayMode on the picture still on the full-screen window (only
// while one is up and its memory DC is live), shown again through PresentImagingBitmap.
void ApplyOverlayFilter();

// The path a slide's picture is loaded from: a path without any "/" is a name in
// AppFolder.
QString CompletedSlidePath(const QString& path);

// True when the slide player turns the file upright by its EXIF tag: its last three
// characters, upper-cased, are "JPG".
bool TurnsByExif(const QString& path);

}  // namespace engine
