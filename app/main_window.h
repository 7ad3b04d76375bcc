// The main window: menu, splash, the two side pictures under the header strip,
// the key handler and Redraw. It owns the program's Session.
//
// Drawing happens in design pixels (784 x 490 side pictures); the window and
// its controls are shown scaled by one factor that fits the screen.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>

#include "app/image_view.h"
#include "search/session.h"

namespace vantrel {

class TFrm_Main : public QMainWindow {
  Q_OBJECT

 public:
  // Chooses a board file as the open dialog does; nothing when cancelled.
  using FileChooser = std::function<std::optional<std::string>()>;

  TFrm_Main(Session& session, double factor);

  Session& session() { return session_; }
  double factor() const { return factor_; }
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  // Handlers, each run through the default error handler.
  void FormKeyPress(char key);
  void open1Click();
  void OpenBoard(const std::string& path);  // open1Click with the file already chosen
  void close1Click();
  void exit1Click();
  void NailClick();
  void CompClick();
  void partsClick();
  void NetsClick();
  void Content1Click();
  void About1Click();
  void ImageMouseDown(Side side, ImageView::Button button, int x, int y);
  void ImageMouseMove(Side side, int x, int y);
  void ImageDblClick(Side side);

  // Repaints the pictures and re-applies the active highlight.
  void Redraw();

  // Shows the session's state: header texts, which pictures are visible.
  void SyncWithSession();

  bool boardShown() const { return boardShown_; }
  ImageView* Image1() const { return image1_; }
  ImageView* Image2() const { return image2_; }
  QWidget* headerArea() const { return centralWidget(); }
  QAction* menuAction(const std::string& name) const;
  void setAuxWindows(QWidget* content, QWidget* about) {
    content_ = content;
    about_ = about;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Handle(const std::function<void()>& handler);
  void DoOpen(const std::string& path);
  void SetBoardShown(bool shown);
  void SetSearchItemsEnabled(bool enabled);
  QLabel* MakeHeaderLabel(const char* name, int x, int y, int width);
  int Px(int designPixels) const;

  Session& session_;
  double factor_;
  FileChooser chooseFile_;
  bool boardShown_ = false;

  ImageView* image1_ = nullptr;
  ImageView* image2_ = nullptr;
  ImageView* image3_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label6_ = nullptr;
  QAction* open1_ = nullptr;
  QAction* close1_ = nullptr;
  QAction* exit1_ = nullptr;
  QAction* nail_ = nullptr;
  QAction* comp_ = nullptr;
  QAction* parts_ = nullptr;
  QAction* nets_ = nullptr;
  QAction* content1_ = nullptr;
  QAction* about1_ = nullptr;
  QWidget* content_ = nullptr;
  QWidget* about_ = nullptr;
};

}  // namespace vantrel
