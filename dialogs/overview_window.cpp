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
  OverviewPicture(const ImageCanvas& picture, const bool& drawn, QWidget* parent)
      : QWidget(parent), picture_(picture), drawn_(drawn) {
    SetFactor(1.0);
  }

  void SetFactor(double factor) {
    setFixedSize(static_cast<int>(std::floor(picture_.width() * factor)),
                 static_cast<int>(std::floor(picture_.height() * factor)));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!drawn_) return;
    QPainter painter(this);
    const QImage& image = picture_.image();
    const qreal ratio = devicePixelRatioF();
    painter.drawImage(QRectF(0, 0, image.width() / ratio, image.height() / ratio), image);
  }

 private:
  const ImageCanvas& picture_;
  const bool& drawn_;
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
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), session_(session) {
  setObjectName(QStringLiteral("Form8"));
  const Color green = colors::kMoneyGreen;
  SetBackground(this, QColor(RedOf(green), GreenOf(green), BlueOf(green)));
  setFixedSize(kClientWidth, kClientHeight);
  setFocusPolicy(Qt::StrongFocus);

  OverviewPictures& pictures = session_.overview;
  Image1 = new OverviewPicture(pictures.top, pictures.topDrawn, this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->move(kPictureOffset, kPictureOffset);
  Image2 = new OverviewPicture(pictures.bottom, pictures.bottomDrawn, this);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->move(kPictureOffset, kPictureOffset);
  Image1->hide();
  Image2->hide();

  move(kStartPosition);
  KeepDesign(this);
}

void TForm8::SetFactor(double factor) {
  factor_ = factor;
  ScaleToFactor(this, factor);
  for (OverviewPicture* picture : {Image1, Image2}) picture->SetFactor(factor);
  for (ImageCanvas* picture : {&session_.overview.top, &session_.overview.bottom}) {
    picture->SetScale(factor * devicePixelRatioF());
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
  const std::optional<Side> shown = session_.overview.shown;
  Image1->setVisible(shown == Side::Top);
  Image2->setVisible(shown == Side::Bottom);
  Image1->update();
  Image2->update();
}

void TForm8::ShowWindow() {
  ShowChosenPicture();
  show();
  raise();
  activateWindow();
}

void TForm8::ShowUnchanged() { ShowWindow(); }

std::string TForm8::Shows() const {
  const std::optional<Side> shown = session_.overview.shown;
  if (!shown) return "";
  return *shown == Side::Top ? "top" : "bottom";
}

void TForm8::FormKeyPress(char key) {
  RunHandler(session_, [&] {
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
