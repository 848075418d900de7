#pragma once
// Small routines shared by every part of the program: numeric reading that never
// fails on its text, path and file tests, closing what the program opened at exit,
// and an in-place string sort.
#include <QString>
#include <functional>
#include <utility>

namespace core {

// The numeric value of a text, never failing on the text: the standard numeric
// reading, and only when that overflows, the number rebuilt from the text's digits.
double SafeVal(const QString& text);

// The standard numeric reading: blanks, tabs and line feeds are ignored anywhere; a
// sign, digits, a "." and digits, an exponent (E or D); or "&H" hex / "&O" octal.
// Reading stops at the first character that cannot continue the number; no number
// gives 0. A value too large for a double raises VbError 6.
double StandardVal(const QString& text);

// SafeVal's second step: every ASCII digit of the text with the decimal point at
// the first ".", negative when a "-" occurs anywhere. Raises VbError 6 when the
// digits do not fit a double.
double RebuildNumberFromDigits(const QString& text);

// 0..9 for exactly the characters "0".."9"; 99 for any other text.
short DigitValue(const QString& ch);

// The text after the last "/" of a path (the whole path when it has none).
QString GetFileNameOfPath(const QString& path);
// A movie slide, by the last three letters of its name (MP4, WMV, MOV, AVI).
bool IsMovieName(const QString& path);

// 0 when no file of that name exists (a folder is no file), 1 when its first 45
// characters (code page 932, a double-byte character counting once) can be read,
// 2 when opening or reading fails, a file too short among others.
short TestFileReadable(const QString& path);

// True when the file begins with the bytes FF D8. A missing file gives false (and is
// not created); an existing file that cannot be opened raises VbError 75.
bool IsJpegFile(const QString& path);

// Forgets the WAV handed to the sound recorder (the recorder itself stays open).
void ForgetSoundRecorder();

// Closes the text viewer that shows a picture's macro file, when one is open.
// NotepadTextPath is emptied in any case; NotepadTaskId becomes 0 when the close worked.
void CloseTextViewer();

// The routine that closes the built-in text viewer (installed by the viewer's window).
void SetTextViewerCloser(std::function<void()> closer);

// <0, 0, >0 as a compares with b: mode 0 by character codes, any other mode as text
// without regard to case.
int CompareStrings(const QString& a, const QString& b, int mode);

// Sorts L[first..last] (inclusive) in place, ascending in the given comparison mode.
// Middle element as pivot; keys less than the pivot go to its left. The keys equal to
// the pivot are gathered beside it and left out of further partitioning, and only the
// smaller side is sorted recursively, so runs of equal keys stay linear and the depth
// stays logarithmic. Not stable. Works on QStringList, std::vector<QString> and the
// fixed arrays of the show state.
template <class Array>
void QuickSortStrings(Array& L, int first, int last, int mode) {
  while (first < last) {
    int m = static_cast<int>((static_cast<long long>(first) + last) / 2);
    QString pivot = L[m];
    L[m] = L[first];
    int k = first;
    for (int j = first + 1; j <= last; ++j) {
      if (CompareStrings(L[j], pivot, mode) < 0) {
        ++k;
        std::swap(L[k], L[j]);
      }
    }
    L[first] = L[k];
    L[k] = pivot;
    int e = k;  // last index of the run equal to the pivot
    for (int j = k + 1; j <= last; ++j) {
      if (CompareStrings(L[j], pivot, mode) == 0) {
        ++e;
        std::swap(L[e], L[j]);
      }
    }
    if (k - first < last - e) {
      QuickSortStrings(L, first, k - 1, mode);
      first = e + 1;
    } else {
      QuickSortStrings(L, e + 1, last, mode);
      last = k - 1;
    }
  }
}

}  // namespace core
