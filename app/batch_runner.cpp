#include "app/batch_runner.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "search/error_handler.h"

namespace vantrel {

namespace {

std::pair<std::string, std::string> SplitCommand(const std::string& line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string::npos) return {line, {}};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

int ParseInt(const std::string& word, int line) {
  int value = 0;
  const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || ptr != word.data() + word.size()) throw BatchError(line, "not a number: " + word);
  return value;
}

std::string JsonReal(double v) {
  if (std::isnan(v)) return "null";
  if (std::isinf(v)) return v > 0 ? "1e999" : "-1e999";
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

void SendMouse(QWidget* target, QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void SavePicture(const QImage& image, const std::string& file) {
  image.convertToFormat(QImage::Format_RGB888).save(QString::fromStdString(file), "PNG");
}

}  // namespace

std::string JsonString(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

BatchRunner::BatchRunner(Application& app) : app_(app) {
  app_.main->setFileChooser([] { return std::optional<std::string>(); });
  SetErrorReporter([this](const std::string& text) {
    errors_.push_back(text);
    std::cerr << "Vantrel: " << text << std::endl;
  });
  app_.main->show();
}

BatchRunner::~BatchRunner() { SetErrorReporter(nullptr); }

void BatchRunner::Run(const std::string& script) {
  std::size_t start = 0;
  int lineNumber = 0;
  while (start <= script.size() && !exited_) {
    std::size_t end = script.find('\n', start);
    if (end == std::string::npos) end = script.size();
    std::string line = script.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lineNumber;
    RunLine(line, lineNumber);
    if (end == script.size()) break;
    start = end + 1;
  }
}

void BatchRunner::RunLine(const std::string& line, int n) {
  if (line.empty() || line[0] == '#') return;
  const auto [command, argument] = SplitCommand(line);
  const std::vector<std::string> words = Words(argument);
  TFrm_Main& main = *app_.main;

  if (command == "open") {
    if (line == "open") {
      main.open1Click();
    } else {
      const std::string path = std::filesystem::absolute(argument).lexically_normal().string();
      main.setFileChooser([path] { return std::optional<std::string>(path); });
      main.open1Click();
      main.setFileChooser([] { return std::optional<std::string>(); });
    }
  } else if (command == "close" && argument.empty()) {
    main.close1Click();
  } else if (command == "exit" && argument.empty()) {
    main.exit1Click();
    exited_ = true;
  } else if (command == "key") {
    TypeInto(&main, argument);
  } else if (command == "overview") {
    TypeInto(app_.overview.get(), argument);
  } else if (command == "press" && (words.size() == 2 || words.size() == 3)) {
    Qt::MouseButton button = Qt::LeftButton;
    if (words.size() == 3) {
      if (words[2] == "right") {
        button = Qt::RightButton;
      } else if (words[2] == "middle") {
        button = Qt::MiddleButton;
      } else {
        throw BatchError(n, "unknown button: " + words[2]);
      }
    }
    Press(ParseInt(words[0], n), ParseInt(words[1], n), button);
  } else if (command == "move" && words.size() == 2) {
    if (ImageView* view = ShownImage()) {
      const QPointF pos(ParseInt(words[0], n) * main.factor(), ParseInt(words[1], n) * main.factor());
      SendMouse(view, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    }
  } else if (command == "dblclick" && words.size() == 2) {
    DoubleClick(ParseInt(words[0], n), ParseInt(words[1], n));
  } else if (command == "menu" && words.size() == 1) {
    QAction* action = main.menuAction(words[0]);
    if (!action) throw BatchError(n, "unknown menu item: " + words[0]);
    if (action->isEnabled()) action->trigger();
  } else if (command == "dump" && !argument.empty()) {
    Dump(argument);
  } else if (command == "field") {
    // field DIALOG N TEXT: TEXT is everything after the blank that follows N.
    const auto [dialogName, rest] = SplitCommand(argument);
    const auto [number, text] = SplitCommand(rest);
    SearchDialog* dialog = DialogNamed(dialogName, n);
    const int field = ParseInt(number, n);
    if (field < 1 || field > dialog->fieldCount()) throw BatchError(n, "no such field: " + number);
    if (rest.find(' ') == std::string::npos) throw BatchError(n, "field needs a text after one blank");
    dialog->SetFieldText(field, text);
  } else if (command == "enter" && words.size() == 2) {
    SearchDialog* dialog = DialogNamed(words[0], n);
    const int field = ParseInt(words[1], n);
    if (field < 1 || field > dialog->fieldCount()) throw BatchError(n, "no such field: " + words[1]);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(dialog->field(field), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(dialog->field(field), &release);
  } else if (command == "ok" && words.size() == 1) {
    DialogNamed(words[0], n)->okButton()->click();
  } else if (command == "cancel" && words.size() == 1) {
    DialogNamed(words[0], n)->cancelButton()->click();
  } else {
    throw BatchError(n, "malformed command: " + line);
  }
  QApplication::processEvents();
}

SearchDialog* BatchRunner::DialogNamed(const std::string& name, int line) const {
  if (name == "nail") return app_.nail.get();
  if (name == "comp") return app_.comp.get();
  if (name == "device") return app_.parts.get();
  if (name == "net") return app_.net.get();
  throw BatchError(line, "unknown dialog: " + name);
}

ImageView* BatchRunner::ShownImage() const {
  TFrm_Main& main = *app_.main;
  if (main.Image1()->isVisible()) return main.Image1();
  if (main.Image2()->isVisible()) return main.Image2();
  return nullptr;
}

void BatchRunner::TypeInto(QWidget* target, const std::string& chars) {
  for (unsigned char c : chars) {
    const QString text(QChar(static_cast<char16_t>(c)));
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
  }
}

void BatchRunner::Press(int x, int y, Qt::MouseButton button) {
  ImageView* view = ShownImage();
  if (!view) return;
  const QPointF pos(x * app_.main->factor(), y * app_.main->factor());
  SendMouse(view, QEvent::MouseButtonPress, pos, button, button);
  SendMouse(view, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void BatchRunner::DoubleClick(int x, int y) {
  // As the toolkit delivers it: press, release, double click, release, each
  // to the picture shown at that moment.
  const QPointF pos(x * app_.main->factor(), y * app_.main->factor());
  const Qt::MouseButton left = Qt::LeftButton;
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonPress, pos, left, left);
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonRelease, pos, left, Qt::NoButton);
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonDblClick, pos, left, left);
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonRelease, pos, left, Qt::NoButton);
}

std::string BatchRunner::StateJson() const {
  const Session& s = app_.session;
  const ViewState& v = s.view;
  std::ostringstream j;
  j << "{\n  \"HighlightMode\": " << s.HighlightMode << ",\n  \"view\": {";
  const std::pair<const char*, std::int32_t> ints[] = {
      {"Scale", v.Scale},
      {"TopOriginX", v.TopOriginX},
      {"TopOriginY", v.TopOriginY},
      {"BottomOriginX", v.BottomOriginX},
      {"BottomOriginY", v.BottomOriginY},
      {"MarkRadius", v.MarkRadius},
      {"MarkMargin", v.MarkMargin},
      {"ZoomStep", v.ZoomStep},
      {"HomeScale", v.HomeScale},
      {"HomeTopOriginX", v.HomeTopOriginX},
      {"HomeTopOriginY", v.HomeTopOriginY},
      {"HomeBottomOriginX", v.HomeBottomOriginX},
      {"HomeBottomOriginY", v.HomeBottomOriginY},
      {"HomeMarkMargin", v.HomeMarkMargin},
      {"HomeMarkRadius", v.HomeMarkRadius},
  };
  for (const auto& [name, value] : ints) j << "\"" << name << "\": " << value << ", ";
  j << "\"ExtentMinX\": " << JsonReal(v.ExtentMinX) << ", \"ExtentMaxX\": " << JsonReal(v.ExtentMaxX)
    << ", \"ExtentMinY\": " << JsonReal(v.ExtentMinY) << ", \"ExtentMaxY\": " << JsonReal(v.ExtentMaxY)
    << "},\n";
  j << "  \"topShown\": " << (s.Image1Visible ? "true" : "false") << ",\n";
  j << "  \"boardShown\": " << (app_.main->boardShown() ? "true" : "false") << ",\n";
  j << "  \"header\": [" << JsonString(s.Label1) << ", " << JsonString(s.Label2) << ", "
    << JsonString(s.Label4) << "],\n";
  j << "  \"menuEnabled\": {";
  const char* items[] = {"open/short", "comppin", "device", "nets", "content", "about"};
  for (std::size_t i = 0; i < std::size(items); ++i) {
    j << (i ? ", " : "") << "\"" << items[i] << "\": "
      << (app_.main->menuAction(items[i])->isEnabled() ? "true" : "false");
  }
  j << "},\n  \"dialogs\": {";
  const std::pair<const char*, SearchDialog*> searches[] = {
      {"nail", app_.nail.get()}, {"comp", app_.comp.get()}, {"device", app_.parts.get()}, {"net", app_.net.get()}};
  for (const auto& [name, dialog] : searches) {
    j << "\"" << name << "\": {\"visible\": " << (dialog->isVisible() ? "true" : "false") << ", \"fields\": [";
    for (int f = 1; f <= dialog->fieldCount(); ++f) j << (f > 1 ? ", " : "") << JsonString(dialog->FieldText(f));
    j << "]}, ";
  }
  j << "\"content\": {\"visible\": " << (app_.content->isVisible() ? "true" : "false") << "}, ";
  j << "\"about\": {\"visible\": " << (app_.about->isVisible() ? "true" : "false") << "}},\n";
  const TForm8& o = *app_.overview;
  const std::string shows = o.Shows();
  j << "  \"overview\": {\"visible\": " << (o.isVisible() ? "true" : "false") << ", \"x\": " << o.pos().x()
    << ", \"y\": " << o.pos().y() << ", \"shows\": " << (shows.empty() ? "null" : JsonString(shows)) << "},\n";
  j << "  \"errors\": [";
  for (std::size_t i = 0; i < errors_.size(); ++i) j << (i ? ", " : "") << JsonString(errors_[i]);
  j << "]\n}\n";
  return j.str();
}

void BatchRunner::Dump(const std::string& dir) const {
  std::filesystem::create_directories(dir);
  const std::filesystem::path d(dir);
  const Session& s = app_.session;
  SavePicture(s.Image1.image(), (d / "top.png").string());
  SavePicture(s.Image2.image(), (d / "bottom.png").string());

  // The header strip as the window shows it: the picture with the labels on it.
  QImage header = s.Image3.image().copy();
  if (app_.main->boardShown()) {
    QPainter painter(&header);
    QWidget* client = app_.main->headerArea();
    for (const char* name : {"Label1", "Label2", "Label4"}) {
      auto* label = client->findChild<QWidget*>(QString::fromLatin1(name));
      if (!label || !label->isVisible()) continue;
      const double f = app_.main->factor();
      const QImage shot = label->grab().toImage();
      const QPoint at(static_cast<int>(std::lround(label->x() / f)) - 5,
                      static_cast<int>(std::lround(label->y() / f)));
      painter.drawImage(QRect(at, shot.size() / f), shot);
    }
  }
  SavePicture(header, (d / "header.png").string());
  SavePicture(app_.overview->TopImage().image(), (d / "overview-top.png").string());
  SavePicture(app_.overview->BottomImage().image(), (d / "overview-bottom.png").string());
  std::ofstream((d / "state.json").string(), std::ios::binary) << StateJson();
}

}  // namespace vantrel
