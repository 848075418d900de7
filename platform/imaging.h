#pragma once
// The imaging control: one held picture that is loaded, converted, turned, resized,
// filtered and saved. A plain object; the windows that own one keep it as a member.
#include <QColor>
#include <QImage>
#include <QString>

namespace platform {

// Errors raised by the imaging control (VbError numbers).
constexpr int kErrImageFormat = 20001;  // unreadable, damaged or unsupported picture file
constexpr int kErrImageNone = 20002;    // the operation needs a picture and none is held
// A missing file raises kErrFileNotFound (53); bad arguments raise kErrInvalidCall (5).

// File format codes of SaveImageFile.
constexpr int kImageFileBmp = 6;    // Windows bitmap
constexpr int kImageFileJpeg = 10;  // JPEG (JFIF)
constexpr int kImageFilePng = 75;   // PNG

// What QueryImageFile finds out without decoding the picture.
struct ImageFileInfo {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // 1, 8, 16, 24 or 32
  QString format;        // lower-case short name: "jpeg", "png", "pcx", ...
};

// Loads Qt's image format plugins and the JPEG decoders on a thread of their own, so that
// the first slide of a show does not wait for them. Returns at once.
void WarmUpImageDecoders();

class ImagingControl {
 public:
  ImagingControl() = default;
  ImagingControl(const ImagingControl&) = default;
  ImagingControl& operator=(const ImagingControl&) = default;

  // "ImagingControl 2024": start-up reads its last four characters as a year.
  static QString ImageVersionText();

  // Loads a picture file, replacing what the control held. JPEG, PNG, BMP, TIFF, TGA, GIF
  // (and the other formats Qt reads) through Qt; PSD, PCX, Sun raster, PICT, WPG, Photo CD,
  // CALS and MacPaint through ImageMagick. No EXIF turn is applied. bitsPerPixel 0 keeps
  // the picture's own depth, another value converts as SetColorResolution does; page picks
  // a frame of a multi-frame file. Throws VbError (53 missing, kErrImageFormat unreadable);
  // on failure the control keeps what it held before.
  void LoadImageFile(const QString& path, int bitsPerPixel = 0, int page = 0);

  // Loads a picture fitted within maxWidth x maxHeight (aspect kept, smooth), never
  // enlarged: a picture not larger than the box loads at full size. A JPEG larger than
  // the box is decoded at a reduced DCT scale that still covers the fitted size, which is
  // far cheaper than a full decode. The box applies to the picture as stored in the file,
  // before any EXIF turn (swap the box for orientations 6 and 8). SourceWidth() and
  // SourceHeight() give the file's own size afterwards. Throws like LoadImageFile.
  void LoadImageFileScaled(const QString& path, int maxWidth, int maxHeight);

  // Size, depth and format of a picture file without decoding it; throws like
  // LoadImageFile when the file cannot be read.
  ImageFileInfo QueryImageFile(const QString& path, int page = 0) const;

  bool HasImage() const { return !image_.isNull(); }
  void ReleaseImage();
  // Takes a copy of another control's picture (nothing when it holds none).
  void CopyImageFrom(const ImagingControl& other);

  // The held picture (null when none). After SetColorResolution(24, ...) it is
  // QImage::Format_RGB32.
  QImage ImagePicture() const { return image_; }
  // Replaces the held picture (a null image releases it).
  void SetImagePicture(const QImage& image);
  int ImageWidth() const { return image_.width(); }
  int ImageHeight() const { return image_.height(); }
  // Size of the file that was last loaded, before any scaling (0 when none).
  int SourceWidth() const { return sourceWidth_; }
  int SourceHeight() const { return sourceHeight_; }

  // 1 two-level, 8 palette or grey, 16, 24 true colour, 32 with transparency; 0 when empty.
  int ImageBitsPerPixel() const;

  // Converts the held picture to bits per pixel: 24 (opaque true colour; transparent
  // parts laid over white), 32, 16, 8 (an optimised palette of up to 256 colours, or
  // paletteColors when 2..256), 4 (16 colours) or 1 (black and white). dither != 0
  // diffuses the error for 1, 4 and 8 bits. The second argument (palette kind) is accepted
  // for the callers' sake and has no further effect. Throws kErrInvalidCall for other
  // depths, kErrImageNone when empty.
  void SetColorResolution(int bits, int paletteKind = 0, int dither = 0, int paletteColors = 0);

  // Turns the picture by hundredths of a degree, positive clockwise. resizeCanvas grows
  // the canvas to hold the whole turned picture; uncovered parts get fillColor. Multiples
  // of 9000 are exact pixel moves; other angles are smoothly resampled.
  void RotateImage(int hundredthsOfDegree, bool resizeCanvas = true,
                   const QColor& fillColor = Qt::white);

  // Resizes to exactly width x height pixels. mode 0 resamples smoothly; any other mode
  // picks the nearest pixel (fast, hard edges). Throws kErrInvalidCall for sizes below 1.
  void ResizeImage(int width, int height, int mode = 0);

  // Writes the picture to path through a temporary file renamed over the old one, so a
  // failed save never leaves a truncated file. format: kImageFileBmp, kImageFileJpeg or
  // kImageFilePng. bits: 0 for the format's usual depth (BMP and JPEG 24, PNG the
  // picture's own), or 1/4/8/24/32 (JPEG: 8 grey, otherwise 24). quality is a JPEG
  // compression factor: 0 default, 2 best .. 100 smallest (10 is high quality); ignored by
  // BMP and PNG. Returns 0 on success, otherwise an error number; the held picture is not
  // changed.
  int SaveImageFile(const QString& path, int format, int bits = 0, int quality = 0,
                    bool multiPage = false) const;

  // Filters of the picture macros; each works on the held picture in place.
  void GrayscaleImage();             // grey levels (8 bits per pixel)
  void ReverseImage();               // mirror left to right
  void FlipImage();                  // turn upside down (mirror top to bottom)
  void InvertImage();                // photographic negative
  void MosaicImage(int tileSize);    // tiles of tileSize x tileSize in their mean colour
  void PencilFilterStep(int level);  // outlines bright on dark, stronger with level (8 normal)
  void PencilFinishStep();           // turns the outlines into dark strokes on white paper
  // Relief lit from direction (degrees, 0 from the top, clockwise), depth 0..1000
  // (700 deep); followed by GrayscaleImage it gives a metal look.
  void MetalFilterStep(int direction, int depth);

 private:
  void RequireImage() const;

  QImage image_;
  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
};

}  // namespace platform
