#include "search/vector_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <string_view>

#include "board/board_error.h"
#include "render/painter_canvas.h"
#include "search/redraw.h"

namespace vantrel {

namespace {

// The header lines are drawn as the window's labels show them.
constexpr int kHeaderLineHeight = 16;
constexpr int kHeaderFontPixels = 13;
// More characters than the strip can show in its face: a line holding a long
// list of pins is cut well before it reaches the PDF.
constexpr std::size_t kHeaderCharacters = 400;

// Points per design pixel: 96 design pixels to the inch.
constexpr double kPointsPerPixel = 72.0 / 96.0;

// While it lives, the side shown hands its figures to a follower, and the
// sides run in turn on this thread.
class Following {
 public:
  Following(Session& s, Canvas& follower)
      : runner_(s.runner), picture_(s.PictureOf(s.view.shown)), mode_(s.runner.mode()) {
    runner_.SetMode(SidesMode::InTurn);
    picture_.SetFollower(&follower);
  }
  ~Following() {
    picture_.SetFollower(nullptr);
    runner_.SetMode(mode_);
  }
  Following(const Following&) = delete;
  Following& operator=(const Following&) = delete;

 private:
  SideRunner& runner_;
  ImageCanvas& picture_;
  SidesMode mode_;
};

// The painter's state, put back when it goes, error or not.
class SavedState {
 public:
  explicit SavedState(QPainter& painter) : painter_(painter) { painter_.save(); }
  ~SavedState() { painter_.restore(); }
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;

 private:
  QPainter& painter_;
};

}  // namespace

void RedrawFollowed(Session& s, const SearchTexts& texts, Canvas& follower) {
  const Following following(s, follower);
  Redraw(s, texts);
}

void PaintHeader(const Session& s, QPainter& painter) {
  const SavedState saved(painter);
  const QRectF strip(0, 0, design::kSideWidth, design::kHeaderHeight);
  painter.setClipRect(strip, Qt::IntersectClip);
  painter.fillRect(strip, Qt::black);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(kHeaderFontPixels);
  painter.setFont(font);
  painter.setPen(Qt::red);
  for (int line = 0; line < 3; ++line) {
    const std::string_view text = std::string_view(s.pictures.header[line]).substr(0, kHeaderCharacters);
    painter.drawText(QRectF(0, line * kHeaderLineHeight, design::kSideWidth, kHeaderLineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  }
}

void PaintPicture(Session& s, const SearchTexts& texts, QPainter& painter, const QRectF& target) {
  const double k = std::min(target.width() / kPictureWidth, target.height() / kPictureHeight);
  const SavedState saved(painter);
  painter.translate(target.center() - QPointF(kPictureWidth, kPictureHeight) * (k / 2));
  painter.scale(k, k);
  painter.translate(0, design::kHeaderHeight);
  {
    PainterCanvas side(painter, design::kSideWidth, design::kSideHeight);
    RedrawFollowed(s, texts, side);
  }
  painter.translate(0, -design::kHeaderHeight);
  // After the redraw, which writes the header lines anew.
  PaintHeader(s, painter);
}

void WritePdf(Session& s, const SearchTexts& texts, const std::string& file) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Vantrel"));
    writer.setTitle(QString::fromLocal8Bit(s.document.BoardFile));
    const QSizeF page(kPictureWidth * kPointsPerPixel, kPictureHeight * kPointsPerPixel);
    writer.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    PaintPicture(s, texts, painter, QRectF(0, 0, writer.width(), writer.height()));
  }
  QSaveFile out(QString::fromStdString(file));
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
    throw BoardError("Cannot write " + file);
  }
}

}  // namespace vantrel
