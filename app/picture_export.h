// What leaves the program by the user's hand: the picture shown, the header
// strip with its three lines above the side shown, written to a file the user
// names (PNG at the window's resolution, PDF in vectors), printed, or put on
// the clipboard with the header lines as text. Nothing else in the program
// writes a file, and the dialogs it asks with keep no history.
#pragma once

#include <QImage>
#include <QString>

#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace vantrel {

class TFrm_Main;

enum class PictureFormat { Png, Pdf };

// By the file name's extension, in any case; nothing for another one.
std::optional<PictureFormat> PictureFormatOf(const std::string& file);

// The header strip as the window shows it: its picture with the three
// labels on it, at the window's resolution.
QImage HeaderPicture(const TFrm_Main& main);
// The header strip above the side picture shown, in device pixels: what the
// window shows of them.
QImage ShownPicture(const TFrm_Main& main);
// The header lines, one a line, without the empty ones at the end.
QString HeaderText(const TFrm_Main& main);

// Writes the picture shown to `file`: PNG, or PDF drawn anew in vectors
// (search/vector_picture.h), by the file name's extension. Raises BoardError
// when the file cannot be written, and leaves no file then.
void ExportPicture(TFrm_Main& main, const std::string& file);
// Prints the picture in vectors on `printer`, fitted to its page.
void PrintPicture(TFrm_Main& main, QPrinter& printer);
// Puts the picture shown (an image) and the header lines (text) on the
// clipboard.
void CopyPicture(const TFrm_Main& main);

// The toolkit's own save dialog, as the open dialog is: PNG or PDF, the
// extension of the type chosen added to a name without one. Nothing when
// cancelled.
std::optional<std::string> AskForExportFile(QWidget* parent, const std::string& boardFile);
// The platform's print dialog; whether the user chose to print.
bool AskForPrinter(QPrinter& printer, QWidget* parent);

}  // namespace vantrel
