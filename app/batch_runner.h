// Replays a script of user actions on the real windows, with nothing shown,
// and writes what a user would see. One command a line:
//   open PATH | open | close | exit | key CHARS | press X Y [right|middle]
//   move X Y | dblclick X Y | menu ITEM | dump DIR | overview CHARS
//   field DIALOG N TEXT | enter DIALOG N | ok DIALOG | cancel DIALOG
// A command is a word; its argument is the rest of the line after exactly one
// blank, verbatim. Empty lines and lines starting with "#" are skipped. The
// script is bytes, one character per byte, like the board files.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/application.h"

namespace vantrel {

class BatchError : public std::runtime_error {
 public:
  BatchError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

class BatchRunner {
 public:
  explicit BatchRunner(Application& app);
  ~BatchRunner();

  // Runs every command; stops after "exit". Raises BatchError for a
  // malformed command. Message boxes are recorded and do not stop the run.
  void Run(const std::string& script);
  // Runs one command line (without its line end).
  void RunLine(const std::string& line, int lineNumber = 1);
  bool exited() const { return exited_; }
  const std::vector<std::string>& errors() const { return errors_; }

  // What `dump` writes into its state.json.
  std::string StateJson() const;
  void Dump(const std::string& dir) const;

 private:
  SearchDialog* DialogNamed(const std::string& name, int line) const;
  ImageView* ShownImage() const;
  void Press(int x, int y, Qt::MouseButton button);
  void DoubleClick(int x, int y);
  void TypeInto(QWidget* target, const std::string& chars);

  Application& app_;
  std::vector<std::string> errors_;
  bool exited_ = false;
};

// Texts as JSON strings: each byte is the Unicode character of its number.
std::string JsonString(const std::string& bytes);

}  // namespace vantrel
