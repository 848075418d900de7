#pragma once
// What the button keywords share: the two controls of a slot, their positions in pixels
// of their container, the repair of the show surface from its background copy, and the
// step runner that logs what it skips.
#include <QLoggingCategory>
#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace platform {
class PictureBox;
}

// Errors a button step swallows are logged here.
Q_DECLARE_LOGGING_CATEGORY(lcButtons)

namespace showbuttons {

constexpr int kLastPicButtonSlot = 62;

// Slot n's copy on the show screen (`Slidescreen.Picture1(n)`), a child of P2.
platform::PictureBox& ShowCopy(int n);
// Slot n's copy in the main window (`Form1.Picture2(n)`), a child of the preview box.
platform::PictureBox& WindowCopy(int n);
// The copy of the surface in use: the show copy on the full-screen show.
platform::PictureBox& CopyInUse(int n);

// Left and top of a control in whole pixels of its container's inner area.
int PixelLeft(const platform::PictureBox& control);
int PixelTop(const platform::PictureBox& control);
void MoveToPixels(platform::PictureBox& control, int left, int top);
// The same for any control (menu and Yes/No buttons).
void MoveWidgetToPixels(QWidget& control, int left, int top);
// The rectangle a control covers, in pixels of its container's inner area.
QRect PixelRect(const QWidget& control);
// Inner width and height in pixels.
int ClientWidth(const platform::PictureBox& control);
int ClientHeight(const platform::PictureBox& control);

// Copies a rectangle of the background copy P3 onto the same place of P2 (plain pixels).
void RepairFromBackground(const QRect& pixels);

// The pointer a macro hid comes back.
void ShowMouseCursor();

// Runs one step of a keyword whose errors are ignored; a failure is logged and the next
// step runs. False when the step failed.
bool Step(const char* what, const std::function<void()>& step);

// The folder of the current slide's picture with its separator ("" when it has none).
QString CurrentPictureFolder();
// A path that names no file, looked up again without regard to case in its folder: the
// macros were written for a file system that ignores case. Unchanged when nothing matches.
QString ResolveCase(const QString& path);
// A name without a separator is taken from the current picture's folder (ResolveCase).
QString CompleteFileName(const QString& name);

}  // namespace showbuttons
