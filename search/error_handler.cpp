#include "search/error_handler.h"

#include <atomic>
#include <exception>
#include <filesystem>
#include <iostream>

#include "board/board_error.h"
#include "search/session.h"

namespace vantrel {

namespace {

std::atomic<std::uint64_t> internalErrors{0};

}  // namespace

void WriteToStandardError(const std::string& text, const std::string& details) {
  std::cerr << "Vantrel: " << text << (details.empty() ? "" : " (" + details + ")") << std::endl;
}

std::string ShownErrorText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string ErrorDetails(const Document& document, const ReadPosition& where) {
  std::error_code ignored;
  std::string details = std::filesystem::absolute(where.file, ignored).lexically_normal().string();
  if (!where.bytesRead) {
    if (const std::string detail = OpenFailureDetail(where.file); !detail.empty()) details += ": " + detail;
  }
  if (where.file == document.BoardFile) {
    details += " (the board file, top side)";
  } else if (where.file == document.CompanionFile) {
    details += " (the companion file, bottom side)";
  }
  if (where.bytesRead) {
    if (const std::uint64_t line = LineOfLastByte(where.file, *where.bytesRead); line > 0) {
      details += ", line " + std::to_string(line);
    }
  }
  return details;
}

std::uint64_t InternalErrorCount() { return internalErrors; }

void ErrorHandler::ReportFault(const char* what) const {
  ++internalErrors;
  report_(std::string("Internal error: ") + what, "");
}

void ErrorHandler::Run(const std::function<void()>& handler) const {
  try {
    handler();
  } catch (const BoardError& e) {
    report_(ShownErrorText(e.what()), e.where() ? ErrorDetails(session_.document, *e.where()) : "");
  } catch (const std::bad_alloc&) {
    report_(ShownErrorText("Out of memory"), "");
  } catch (const std::exception& e) {
    ReportFault(e.what());
  } catch (...) {
    ReportFault("an unknown exception");
  }
  if (afterEach_) afterEach_();
}

}  // namespace vantrel
