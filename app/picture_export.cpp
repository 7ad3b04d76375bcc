#include "app/picture_export.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <array>

#include "app/main_window.h"
#include "board/board_error.h"
#include "dialogs/search_dialog.h"
#include "search/vector_picture.h"

namespace vantrel {

namespace {

constexpr const char* kPngFilter = "PNG picture (*.png)";
constexpr const char* kPdfFilter = "PDF document (*.pdf)";

// The picture is mostly black: the encoder's fast setting costs a few per
// cent in size and saves most of its time.
constexpr int kPngQuality = 80;

[[noreturn]] void CannotWrite(const std::string& file) { throw BoardError("Cannot write " + file); }

void WritePng(const QImage& picture, const std::string& file) {
  QSaveFile out(QString::fromStdString(file));
  if (!out.open(QIODevice::WriteOnly)) CannotWrite(file);
  QImageWriter writer(&out, "png");
  writer.setQuality(kPngQuality);
  if (!writer.write(picture) || !out.commit()) CannotWrite(file);
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::string& file) {
  const QString suffix = QFileInfo(QString::fromStdString(file)).suffix().toLower();
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QImage HeaderPicture(const TFrm_Main& main) {
  QImage header = main.session().pictures.strip.image().copy();
  if (!main.boardShown()) return header;
  QPainter painter(&header);
  const QWidget* strip = main.findChild<QWidget*>(QStringLiteral("Image3"));
  const qreal ratio = header.width() / qreal(std::max(1, strip->width()));
  for (const char* name : {"Label1", "Label2", "Label4"}) {
    auto* label = main.findChild<QWidget*>(QString::fromLatin1(name));
    if (!label || !label->isVisible()) continue;
    const QImage shot = label->grab().toImage();
    const QPointF at = QPointF(label->pos() - strip->pos()) * ratio;
    painter.drawImage(QRectF(at, QSizeF(label->size()) * ratio), shot);
  }
  return header;
}

QImage ShownPicture(const TFrm_Main& main) {
  const QImage header = HeaderPicture(main);
  const Session& s = main.session();
  const QImage& side = s.PictureOf(s.view.shown).image();
  QImage picture(std::max(header.width(), side.width()), header.height() + side.height(),
                 QImage::Format_RGB32);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  painter.drawImage(0, 0, header);
  painter.drawImage(0, header.height(), side);
  return picture;
}

QString HeaderText(const TFrm_Main& main) {
  const std::array<std::string, 3>& header = main.session().pictures.header;
  int lines = 3;
  while (lines > 0 && header[lines - 1].empty()) --lines;
  QStringList text;
  for (int line = 0; line < lines; ++line) text << FromBytes(header[line]);
  return text.join(QLatin1Char('\n'));
}

void ExportPicture(TFrm_Main& main, const std::string& file) {
  if (!main.boardShown()) return;
  switch (PictureFormatOf(file).value_or(PictureFormat::Png)) {
    case PictureFormat::Png: return WritePng(ShownPicture(main), file);
    case PictureFormat::Pdf: return WritePdf(main.session(), main.FieldTexts(), file);
  }
}

void PrintPicture(TFrm_Main& main, QPrinter& printer) {
  if (!main.boardShown()) return;
  QPainter painter;
  if (!painter.begin(&printer)) CannotWrite(printer.outputFileName().toStdString());
  try {
    PaintPicture(main.session(), main.FieldTexts(), painter,
                 QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size()));
  } catch (...) {
    printer.abort();
    throw;
  }
}

void CopyPicture(const TFrm_Main& main) {
  if (!main.boardShown()) return;
  auto* data = new QMimeData;
  data->setImageData(ShownPicture(main));
  data->setText(HeaderText(main));
  QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> AskForExportFile(QWidget* parent, const std::string& boardFile) {
  const QFileInfo board(QString::fromLocal8Bit(boardFile));
  QString filter = QString::fromLatin1(kPngFilter);
  QString file = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Export picture"), board.dir().filePath(board.completeBaseName() + ".png"),
      QString::fromLatin1(kPngFilter) + ";;" + QString::fromLatin1(kPdfFilter), &filter,
      QFileDialog::DontUseNativeDialog);
  if (file.isEmpty()) return std::nullopt;
  if (!PictureFormatOf(file.toStdString())) file += filter == QLatin1String(kPdfFilter) ? ".pdf" : ".png";
  return file.toStdString();
}

bool AskForPrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace vantrel
