#include "dialogs/overview_window.h"

#include <QKeyEvent>
#include <QPainter>

#include <cmath>

#include "dialogs/dialog_style.h"
#include "search/error_handler.h"

namespace vantrel {

// One of the window's two pictures. It shows nothing until it is first drawn,
// so that the window's background is seen through it.
class OverviewPicture : public QWidget {
 public:
  OverviewPicture(const OverviewPictures& overview, Side side, QWidget* parent)
      : QWidget(parent), overview_(overview), side_(side) {
    SetFactor(1.0);
  }

  void SetFactor(double factor) {
    const ImageCanvas& picture = overview_.pictures[side_];
    setFixedSize(static_cast<int>(std::floor(picture.width() * factor)),
                 static_cast<int>(std::floor(picture.height() * factor)));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!overview_.Drawn(side_)) return;
    QPainter painter(this);
    const QImage& image = overview_.pictures[side_].image();
    const qreal ratio = devicePixelRatioF();
    painter.drawImage(QRectF(0, 0, image.width() / ratio, image.height() / ratio), image);
  }

 private:
  const OverviewPictures& overview_;
  Side side_;
};

namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 219;
constexpr int kPictureOffset = 2;
constexpr QPoint kStartPosition(400, 331);
constexpr QPoint kSearchPosition(514, 386);
constexpr int kMoveStep = 20;

}  // namespace

TForm8::TForm8(Session& session, const ErrorHandler& handler, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), session_(session), handler_(handler) {
  setObjectName(QStringLiteral("Form8"));
  const Color green = colors::kMoneyGreen;
  SetBackground(this, QColor(RedOf(green), GreenOf(green), BlueOf(green)));
  setFixedSize(kClientWidth, kClientHeight);
  setFocusPolicy(Qt::StrongFocus);

  for (const Side side : kSides) {
    OverviewPicture*& picture = pictures_[side];
    picture = new OverviewPicture(session_.pictures.overview, side, this);
    picture->setObjectName(side == Side::Top ? QStringLiteral("Image1") : QStringLiteral("Image2"));
    picture->move(kPictureOffset, kPictureOffset);
    picture->hide();
  }

  move(kStartPosition);
  KeepDesign(this);
}

void TForm8::SetFactor(double factor) {
  factor_ = factor;
  ScaleToFactor(this, factor);
  for (const Side side : kSides) {
    pictures_[side]->SetFactor(factor);
    session_.pictures.overview.pictures[side].SetScale(factor * devicePixelRatioF());
  }
}

QPoint TForm8::Scaled(QPoint designPoint) const {
  return QPoint(static_cast<int>(std::lround(designPoint.x() * factor_)),
                static_cast<int>(std::lround(designPoint.y() * factor_)));
}

OverviewWindowCalls TForm8::SearchCalls() {
  return {.placeForSearch =
              [this] {
                move(Scaled(kSearchPosition));
                ShowChosenPicture();
              },
          .show = [this] { ShowWindow(); }};
}

void TForm8::ShowChosenPicture() {
  const std::optional<Side> shown = session_.pictures.overview.state.shown;
  for (const Side side : kSides) {
    pictures_[side]->setVisible(shown == side);
    pictures_[side]->update();
  }
}

void TForm8::ShowWindow() {
  ShowChosenPicture();
  show();
  raise();
  activateWindow();
}

void TForm8::ShowUnchanged() { ShowWindow(); }

std::string TForm8::Shows() const {
  const std::optional<Side> shown = session_.pictures.overview.state.shown;
  if (!shown) return "";
  return *shown == Side::Top ? "top" : "bottom";
}

void TForm8::FormKeyPress(char key) {
  handler_.Run([&] {
    switch (key) {
      case 'v':
      case 'V': hide(); break;
      case '4': move(x() - kMoveStep, y()); break;
      case '6': move(x() + kMoveStep, y()); break;
      case '8': move(x(), y() - kMoveStep); break;
      case '2': move(x(), y() + kMoveStep); break;
      default: break;
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
