#include "search/error_handler.h"

#include <atomic>
#include <exception>
#include <iostream>

#include "board/board_error.h"
#include "search/session.h"

namespace vantrel {

namespace {

void WriteToStandardError(const std::string& text) { std::cerr << "Vantrel: " << text << std::endl; }

ErrorReporter& Reporter() {
  static ErrorReporter reporter = WriteToStandardError;
  return reporter;
}

std::atomic<std::uint64_t> internalErrors{0};

void ReportFault(const char* what) {
  ++internalErrors;
  Reporter()(std::string("Internal error: ") + what);
}

}  // namespace

std::string ShownErrorText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void SetErrorReporter(ErrorReporter reporter) {
  Reporter() = reporter ? std::move(reporter) : ErrorReporter(WriteToStandardError);
}

std::uint64_t InternalErrorCount() { return internalErrors; }

void RunHandler(Session& session, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const BoardError& e) {
    Reporter()(ShownErrorText(e.what()));
  } catch (const std::bad_alloc&) {
    Reporter()(ShownErrorText("Out of memory"));
  } catch (const std::exception& e) {
    ReportFault(e.what());
  } catch (...) {
    ReportFault("an unknown exception");
  }
  if (session.changed) session.changed();
}

}  // namespace vantrel
