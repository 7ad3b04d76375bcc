#include "search/overview_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

#include "search/device_search.h"
#include "search/error_handler.h"
#include "search/session.h"

namespace vantrel {

// One of the window's two pictures. It shows nothing until it is first drawn,
// so that the window's background is seen through it.
class OverviewPicture : public QWidget {
 public:
  OverviewPicture(const ImageCanvas& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setFixedSize(picture.width(), picture.height());
  }

  void MarkDrawn() {
    drawn_ = true;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!drawn_) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_.image());
  }

 private:
  const ImageCanvas& picture_;
  bool drawn_ = false;
};

namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 219;
constexpr int kPictureOffset = 2;
constexpr QPoint kStartPosition(400, 331);
constexpr QPoint kSearchPosition(514, 386);
constexpr int kMoveStep = 20;

}  // namespace

TForm8::TForm8(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), session_(session) {
  setObjectName(QStringLiteral("Form8"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(RedOf(colors::kMoneyGreen), GreenOf(colors::kMoneyGreen),
                                            BlueOf(colors::kMoneyGreen)));
  setPalette(palette);
  setFixedSize(kClientWidth, kClientHeight);
  setFocusPolicy(Qt::StrongFocus);

  Image1 = new OverviewPicture(top_, this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->move(kPictureOffset, kPictureOffset);
  Image2 = new OverviewPicture(bottom_, this);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->move(kPictureOffset, kPictureOffset);
  Image1->hide();
  Image2->hide();

  move(kStartPosition);
}

void TForm8::ShowDeviceOverview(Side side, const std::string& name) {
  if (name.empty()) {
    if (side == Side::Bottom) ShowWindow();
    return;
  }
  move(kSearchPosition);
  MakeShown(side);
  ScanDevices(session_.FileOf(side), name, [&](const DeviceRecord& device) {
    DrawDevice(side, device);
    if (side == Side::Top) ShowWindow();
    return true;  // every device of the name, so that the last one stays in view
  });
  if (side == Side::Bottom) ShowWindow();
}

void TForm8::DrawDevice(Side side, const DeviceRecord& device) {
  const OverviewOrigin origin = OverviewOriginOf(session_.view, side, device.box);
  originX_ = origin.x;
  originY_ = origin.y;
  (side == Side::Top ? Image1 : Image2)->MarkDrawn();
  DrawDeviceOverview(session_.view, side, session_.FileOf(side), device, origin,
                     side == Side::Top ? top_ : bottom_);
}

void TForm8::MakeShown(Side side) {
  shown_ = side;
  Image1->setVisible(side == Side::Top);
  Image2->setVisible(side == Side::Bottom);
}

void TForm8::ShowWindow() {
  show();
  raise();
  activateWindow();
}

void TForm8::ShowUnchanged() { ShowWindow(); }

std::string TForm8::Shows() const {
  if (!shown_) return "";
  return *shown_ == Side::Top ? "top" : "bottom";
}

void TForm8::FormKeyPress(char key) {
  RunHandler(session_, [&] {
    switch (key) {
      case 'v':
      case 'V':
        hide();
        break;
      case '4':
        move(x() - kMoveStep, y());
        break;
      case '6':
        move(x() + kMoveStep, y());
        break;
      case '8':
        move(x(), y() - kMoveStep);
        break;
      case '2':
        move(x(), y() + kMoveStep);
        break;
      default:
        break;
    }
  });
}

void TForm8::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (text.size() == 1 && text.at(0).unicode() < 256) {
    FormKeyPress(static_cast<char>(text.at(0).unicode()));
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vantrel
