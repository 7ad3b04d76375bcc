// Replays a script of user actions on the real windows, with nothing shown,
// and writes what a user would see. One command a line:
//   open PATH | open | close | exit | key CHARS | press X Y [right|middle]
//   move X Y | dblclick X Y | menu ITEM | dump DIR | overview CHARS
//   field DIALOG N TEXT | enter DIALOG N | ok DIALOG | cancel DIALOG
//   resize W H | wheel X Y N | drag X1 Y1 X2 Y2 | hover X Y | type DIALOG N TEXT
//   keys NAME... | export PATH | print PATH.pdf | copy | wait MS
//   rotate [ccw] | mirror | labels on|off | browser on|off | find TEXT
//   activate KIND NAME
// A command is a word; its argument is the rest of the line after exactly one
// blank, verbatim. Empty lines and lines starting with "#" are skipped. The
// script is bytes, one character per byte, like the board files. Positions are
// design pixels of the side picture shown. `keys` presses keys named as the
// toolkit names them without "Key_" (Left, PageUp, Equal, Escape, F11), or as
// QKeySequence spells them (PgUp, Ctrl+Left), where the keyboard's keys go:
// the open list of names, else the focused widget, else the active window,
// else the main window. `export` writes the picture shown as the File menu's
// Export does, PNG or PDF by PATH's extension; `print` prints it as the
// Print item does, into a PDF file; neither asks with a dialog. `copy` is
// Edit > Copy. `wait MS` lets the program's events run for MS milliseconds,
// so that it sees files change. `find` types TEXT into the board browser's
// find box key by key and lets the pause pass; `activate` is a double click
// on the browser's row of KIND (part, net, pin, nail) and NAME.
#pragma once

#include <QJsonObject>

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
  const std::vector<std::string>& errorDetails() const { return errorDetails_; }

  // What `dump` writes into its state.json. Texts are the board files' bytes,
  // each byte the character of its number.
  QJsonObject State() const;
  void Dump(const std::string& dir) const;

 private:
  // One command: its argument (the rest of the line) and its words.
  struct Line {
    const std::string& text;
    const std::string& argument;
    const std::vector<std::string>& words;
    int number;
  };
  using Command = void (BatchRunner::*)(const Line& line);
  static Command CommandNamed(const std::string& name);

  void Open(const Line& line);
  void Close(const Line& line);
  void Exit(const Line& line);
  void Key(const Line& line);
  void Overview(const Line& line);
  void PressCommand(const Line& line);
  void Move(const Line& line);
  void DoubleClickCommand(const Line& line);
  void Menu(const Line& line);
  void DumpCommand(const Line& line);
  void Field(const Line& line);
  void Enter(const Line& line);
  void Resize(const Line& line);
  void Wheel(const Line& line);
  void Drag(const Line& line);
  void Hover(const Line& line);
  void Type(const Line& line);
  void Keys(const Line& line);
  void Ok(const Line& line);
  void Cancel(const Line& line);
  void Rotate(const Line& line);
  void Mirror(const Line& line);
  void Labels(const Line& line);
  void Browser(const Line& line);
  void Find(const Line& line);
  void Activate(const Line& line);
  void Export(const Line& line);
  void Print(const Line& line);
  void Copy(const Line& line);
  void Wait(const Line& line);

  QJsonObject DialogsJson(QStringList& completions) const;
  SearchDialog* DialogNamed(const std::string& name, int line) const;
  int FieldNumber(const SearchDialog& dialog, const std::string& word, int line) const;
  ImageView* ShownImage() const;
  QPointF Position(const Line& line, std::size_t first = 0) const;
  void Press(QPointF pos, Qt::MouseButton button);
  void DoubleClick(QPointF pos);
  void TypeInto(QWidget* target, const std::string& chars);

  Application& app_;
  std::vector<std::string> errors_;
  std::vector<std::string> errorDetails_;  // one per error
  bool exited_ = false;
};

}  // namespace vantrel
