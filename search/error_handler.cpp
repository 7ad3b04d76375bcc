#include "search/error_handler.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "search/session.h"

namespace vantrel {

namespace {

void ShowMessageBox(const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Vantrel"),
                        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                        QMessageBox::Ok);
}

ErrorReporter& Reporter() {
  static ErrorReporter reporter = ShowMessageBox;
  return reporter;
}

}  // namespace

std::string ShownErrorText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void SetErrorReporter(ErrorReporter reporter) {
  Reporter() = reporter ? std::move(reporter) : ErrorReporter(ShowMessageBox);
}

void RunHandler(Session& session, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    Reporter()(ShownErrorText("Out of memory"));
  } catch (const std::exception& e) {
    Reporter()(ShownErrorText(e.what()));
  }
  if (session.changed) session.changed();
}

}  // namespace vantrel
