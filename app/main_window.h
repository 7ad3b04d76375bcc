// TFrm_Main, the main window: menu, splash, the two side pictures under the
// header strip, the key handler and the mouse handlers. It shows the
// program's Session and hands every action to an operation of the search
// library (search/redraw.h and the searches), passing in what the search
// dialogs' fields hold. It exports, prints and copies the picture shown
// (app/picture_export.h), and follows the board's files while a board is
// open, redrawing when they change (app/file_follower.h).
//
// Drawing happens in design pixels (784 x 490 side pictures). The window may
// take any size: its controls are laid out at the factor
// k = min(width / 800, height / 600) of its client area, and the pictures are
// drawn at k times the screen's device pixel ratio, crisp.
#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/image_view.h"
#include "search/board_browser.h"
#include "search/error_handler.h"
#include "search/session.h"

class QPrinter;

namespace vantrel {

class BrowserDock;
class FileFollower;
class SearchDialog;
class TForm8;

// What each search is called in the main window's menu: its menu item's
// designer name and caption, and the name by which menuAction finds it.
struct SearchMenuItem {
  const char* objectName;
  const char* caption;
  const char* key;
};
const SearchMenuItem& MenuItemOf(SearchKind kind);

// The windows the main window shows and reads, created after it.
struct SecondaryWindows {
  PerSearch<SearchDialog*> searchDialogs{};  // TFrm_Nail, TFrm_Comp, TFrm_Parts, Tfrm_Net
  TForm8* overviewWindow = nullptr;
  QWidget* helpWindow = nullptr;
  QWidget* keysWindow = nullptr;
  QWidget* aboutWindow = nullptr;
};

class TFrm_Main : public QMainWindow {
  Q_OBJECT

 public:
  // Chooses a board file as the open dialog does; nothing when cancelled.
  using FileChooser = std::function<std::optional<std::string>()>;
  // Sets up a printer as the print dialog does; false when cancelled.
  using PrinterChooser = std::function<bool(QPrinter&)>;

  // Starts at `factor` times the design size of 800 x 600.
  TFrm_Main(Session& session, const ErrorHandler& handler, double factor);

  void setWindows(const SecondaryWindows& windows) { windows_ = windows; }
  Session& session() { return session_; }
  const Session& session() const { return session_; }
  double factor() const { return factor_; }
  // Called whenever the factor changes, for the other windows to follow it.
  void setFactorChanged(std::function<void(double)> changed) { factorChanged_ = std::move(changed); }
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
  // What the export asks for its file with, and the print for its printer.
  void setExportFileChooser(FileChooser chooser) { chooseExportFile_ = std::move(chooser); }
  void setPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }

  // Shows the window filling the screen's free area, maximised.
  void ShowOnScreen();

  // Handlers, each run through the default error handler.
  void FormKeyPress(char key);
  void open1Click();
  void OpenBoard(const std::string& path);  // open1Click with the file already chosen
  void close1Click();
  void exit1Click();
  // File > Export picture..., File > Print... and Edit > Copy (app/picture_export.h).
  void export1Click();
  void print1Click();
  void copy1Click();
  void ToggleFullScreen();  // F11
  void NailClick();
  void CompClick();
  void partsClick();
  void NetsClick();
  // What the four menu items do: the dialog shown, emptied first but for the net dialog's.
  void ShowSearchDialog(SearchKind kind);
  // The View menu: the pictures turned a quarter clockwise ("R") or back, or
  // mirrored left to right ("M").
  void RotateClockwiseClick();
  void RotateBackClick();
  void MirrorClick();
  // View › Names on the board ("L"): part and pin names drawn on the board.
  void NamesClick();
  void ShowNames(bool shown);
  // View › Fit board ("F"): the whole outline in the picture.
  void FitClick();
  // View › Board browser ("B"): the dock with the find box and the info
  // panel (dialogs/board_browser.h); Ctrl+F shows it with the cursor in the box.
  void BrowserClick();
  void ShowBrowser(bool shown);
  void FindClick();
  // A browser row activated: the search that shows it run as if typed into
  // its dialog, whose fields then hold it, and the view moved to the result.
  void ActivateItem(ItemKind kind, const std::string& name);
  BrowserDock* browser() const { return browser_; }
  void Content1Click();
  void KeysClick();
  void About1Click();
  void ImageMouseDown(Side side, ImageView::Button button, int x, int y);
  void ImageMouseMove(Side side, int x, int y);
  void ImageDblClick(Side side);
  // The gestures: the wheel zooms about the pointer, a drag moves both
  // sides, and a resting pointer names the pin under it.
  void ImageWheel(Side side, int notches, int x, int y);
  void ImageDrag(int dx, int dy);
  QString ImageHover(Side side, int x, int y);

  // Repaints the pictures and re-applies the active highlight.
  void Redraw();
  // A redraw for the gestures, at most one per frame however many events
  // come; the latest view is drawn. FlushRedraw draws a pending one now.
  void RedrawAtFrame();
  void FlushRedraw();
  // What the search dialogs' fields hold now.
  SearchTexts FieldTexts() const;
  // The one place where a change of the board's files on disk is answered,
  // once they have settled (app/file_follower.h): the current mode redrawn as
  // a key redraws it, and the status line saying so until the next handler.
  // An error of this redraw, which no user asked for, is no message box but a
  // warning of the document, until the next change of the files.
  void BoardFilesChanged();

  // Shows the session's state: header texts, which pictures are visible.
  void SyncWithSession();

  bool boardShown() const { return session_.document.BoardOpen; }
  // The tooltip shown over a picture: bytes of the board file, or nothing.
  const std::optional<std::string>& tooltip() const { return tooltip_; }
  QString statusText() const { return statusLine_->text(); }
  ImageView* topView() const { return views_.top; }        // Image1
  ImageView* bottomView() const { return views_.bottom; }  // Image2
  // The side picture shown, or nothing while no board is.
  ImageView* shownView() const;
  QWidget* headerArea() const { return centralWidget(); }
  QAction* menuAction(const std::string& name) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Handle(const std::function<void()>& handler);
  void BuildPictures(QWidget* client);
  void BuildSplash(QWidget* client);
  void FitSplashLine();
  void FitFirstHeaderLine();
  void BuildMenu();
  void DoOpen(const std::string& path);
  void PanAndRedraw(std::int64_t dx, std::int64_t dy);
  // The letters of the view's own commands, either case, which the design's
  // keys leave unused; whether `key` was one.
  bool ViewKey(char key);
  void TurnTo(Orientation orientation);
  void ZoomAndRedraw(Zoom zoom);
  void ShowEmptied(SearchDialog* dialog);
  void SetBoardShown(bool shown);
  void SetSearchItemsEnabled(bool enabled);
  QLabel* MakeHeaderLabel(const char* name, int x, int y, int width);
  void UpdateFactor();
  void RedrawSoon();
  bool PicturesHaveFocus() const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  Session& session_;
  const ErrorHandler& handler_;
  double factor_ = 0;
  double pixelRatio_ = 0;
  QTimer settled_;            // the redraw after the window took a new size
  QTimer frameTimer_;         // the gestures' coalesced redraw
  QElapsedTimer sinceFrame_;  // since that redraw last ran
  std::optional<std::string> tooltip_;
  QLabel* statusLine_ = nullptr;
  std::function<void(double)> factorChanged_;
  QWidget* content_ = nullptr;  // the design-size area the controls stand on
  FileChooser chooseFile_;
  FileChooser chooseExportFile_;
  PrinterChooser choosePrinter_;
  FileFollower* follower_ = nullptr;
  BrowserDock* browser_ = nullptr;
  std::string browsedBoard_;                // the board whose names the browser lists
  std::optional<FileError> followWarning_;  // of the last redraw after the files changed
  QString followNote_;                      // shown after the status line until the next handler
  SecondaryWindows windows_;
  QPoint pointer_;  // PointerX, PointerY: the last pointer position over either side picture

  PerSide<ImageView*> views_{};      // Image1 and Image2
  ImageView* headerView_ = nullptr;  // Image3
  QLabel* headerLabels_[3] = {};     // Label1, Label2, Label4
  QLabel* splashTitle_ = nullptr;    // Label3
  QLabel* splashLine_ = nullptr;     // Label6
  QLabel* splashHint_ = nullptr;     // how to open a board
  // The menu items that menuAction names: "open/short", "comppin", "device",
  // "nets" (the four searches), "export", "print", "copy", the View menu's
  // "rotate", "rotate-ccw", "mirror", "names", "fit", "browser" and "find",
  // "content", "keys" and "about".
  std::map<std::string, QAction*, std::less<>> menuItems_;
};

}  // namespace vantrel
