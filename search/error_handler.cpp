#include "search/error_handler.h"

#include <atomic>
#include <exception>
#include <filesystem>
#include <iostream>

#include "board/board_error.h"
#include "search/session.h"

namespace vantrel {

namespace {

void WriteToStandardError(const std::string& text, const std::string& details) {
  std::cerr << "Vantrel: " << text << (details.empty() ? "" : " (" + details + ")") << std::endl;
}

ErrorReporter& Reporter() {
  static ErrorReporter reporter = WriteToStandardError;
  return reporter;
}

std::atomic<std::uint64_t> internalErrors{0};

void ReportFault(const char* what) {
  ++internalErrors;
  Reporter()(std::string("Internal error: ") + what, "");
}

}  // namespace

std::string ShownErrorText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string ErrorDetails(const Session& session, const ReadPosition& where) {
  std::error_code ignored;
  std::string details = std::filesystem::absolute(where.file, ignored).lexically_normal().string();
  if (!where.bytesRead) {
    if (const std::string detail = OpenFailureDetail(where.file); !detail.empty()) details += ": " + detail;
  }
  if (where.file == session.BoardFile) {
    details += " (the board file, top side)";
  } else if (where.file == session.CompanionFile) {
    details += " (the companion file, bottom side)";
  }
  if (where.bytesRead) {
    if (const std::uint64_t line = LineOfLastByte(where.file, *where.bytesRead); line > 0) {
      details += ", line " + std::to_string(line);
    }
  }
  return details;
}

void SetErrorReporter(ErrorReporter reporter) {
  Reporter() = reporter ? std::move(reporter) : ErrorReporter(WriteToStandardError);
}

std::uint64_t InternalErrorCount() { return internalErrors; }

void RunHandler(Session& session, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const BoardError& e) {
    Reporter()(ShownErrorText(e.what()), e.where() ? ErrorDetails(session, *e.where()) : "");
  } catch (const std::bad_alloc&) {
    Reporter()(ShownErrorText("Out of memory"), "");
  } catch (const std::exception& e) {
    ReportFault(e.what());
  } catch (...) {
    ReportFault("an unknown exception");
  }
  if (session.changed) session.changed();
}

}  // namespace vantrel
