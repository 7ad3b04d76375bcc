#include "app/batch_runner.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMetaEnum>
#include <QMouseEvent>
#include <QPrinter>
#include <QTimer>
#include <QWheelEvent>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "app/picture_export.h"
#include "dialogs/board_browser.h"
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

void SendMouse(QWidget* target, QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void SendKey(QWidget* target, int key, const QString& text,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(target, &release);
}

// A key by the toolkit's name without "Key_" (Left, F11), or as QKeySequence
// spells it (PgUp, Ctrl+Left); nothing for a name that neither knows.
std::optional<QKeyCombination> KeyNamed(const std::string& name) {
  bool known = false;
  const int key = QMetaEnum::fromType<Qt::Key>().keyToValue(("Key_" + name).c_str(), &known);
  if (known) return QKeyCombination(static_cast<Qt::Key>(key));
  const QKeySequence sequence =
      QKeySequence::fromString(QString::fromStdString(name), QKeySequence::PortableText);
  if (sequence.count() == 1 && sequence[0].key() != Qt::Key_unknown) return sequence[0];
  return std::nullopt;
}

// The text a keyboard sends with a key: its character for the printable
// ones (a small letter without Shift), the control characters of Enter, Tab,
// Backspace and Escape, nothing with Ctrl, Alt or Meta held.
QString KeyText(QKeyCombination combination) {
  const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  const int key = combination.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    default: break;
  }
  if ((key < 0x20 || key > 0x7e) && (key < 0xa0 || key > 0xff)) return {};
  const QChar character(static_cast<char16_t>(key));
  return modifiers & Qt::ShiftModifier ? QString(character) : QString(character.toLower());
}

// Where the toolkit delivers a key the user presses.
QWidget* KeyboardTarget(QWidget* mainWindow) {
  if (QWidget* popup = QApplication::activePopupWidget())
    return popup->focusWidget() ? popup->focusWidget() : popup;
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return mainWindow;
}

void SavePicture(const QImage& image, const std::string& file) {
  image.convertToFormat(QImage::Format_RGB888).save(QString::fromStdString(file), "PNG");
}

QJsonValue Text(const std::string& bytes) { return FromBytes(bytes); }

// The name a script gives each search's dialog.
const char* BatchName(SearchKind kind) {
  static const PerSearch<const char*> kNames{{"nail", "comp", "device", "net"}};
  return kNames[kind];
}

QJsonObject ViewJson(const ViewState& v) {
  return {{"Scale", v.Scale},
          {"TopOriginX", v.TopOriginX},
          {"TopOriginY", v.TopOriginY},
          {"BottomOriginX", v.BottomOriginX},
          {"BottomOriginY", v.BottomOriginY},
          {"MarkRadius", v.MarkRadius},
          {"MarkMargin", v.MarkMargin},
          {"ZoomStep", v.ZoomStep},
          {"HomeScale", v.home.Scale},
          {"HomeTopOriginX", v.home.TopOriginX},
          {"HomeTopOriginY", v.home.TopOriginY},
          {"HomeBottomOriginX", v.home.BottomOriginX},
          {"HomeBottomOriginY", v.home.BottomOriginY},
          {"HomeMarkMargin", v.home.MarkMargin},
          {"HomeMarkRadius", v.home.MarkRadius},
          // A board whose outline overflows has infinite extents: null.
          {"ExtentMinX", v.ExtentMinX},
          {"ExtentMaxX", v.ExtentMaxX},
          {"ExtentMinY", v.ExtentMinY},
          {"ExtentMaxY", v.ExtentMaxY}};
}

QJsonObject DialogJson(const SearchDialog& dialog) {
  QJsonArray fields;
  for (int f = 1; f <= dialog.fieldCount(); ++f) fields.append(Text(dialog.FieldText(f)));
  return {{"visible", dialog.isVisible()}, {"fields", fields}};
}

}  // namespace

BatchRunner::BatchRunner(Application& app) : app_(app) {
  app_.main->setFileChooser([] { return std::optional<std::string>(); });
  app_.main->setExportFileChooser([] { return std::optional<std::string>(); });
  app_.main->setPrinterChooser([](QPrinter&) { return false; });
  app_.handler.SetReporter([this](const std::string& text, const std::string& details) {
    errors_.push_back(text);
    errorDetails_.push_back(details);
    WriteToStandardError(text, details);
  });
  app_.main->show();
}

BatchRunner::~BatchRunner() { app_.handler.SetReporter(app_.options.reportError); }

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

BatchRunner::Command BatchRunner::CommandNamed(const std::string& name) {
  static const std::map<std::string, Command> kCommands = {
      {"open", &BatchRunner::Open},
      {"close", &BatchRunner::Close},
      {"exit", &BatchRunner::Exit},
      {"key", &BatchRunner::Key},
      {"overview", &BatchRunner::Overview},
      {"press", &BatchRunner::PressCommand},
      {"move", &BatchRunner::Move},
      {"dblclick", &BatchRunner::DoubleClickCommand},
      {"menu", &BatchRunner::Menu},
      {"dump", &BatchRunner::DumpCommand},
      {"field", &BatchRunner::Field},
      {"enter", &BatchRunner::Enter},
      {"ok", &BatchRunner::Ok},
      {"cancel", &BatchRunner::Cancel},
      {"resize", &BatchRunner::Resize},
      {"wheel", &BatchRunner::Wheel},
      {"drag", &BatchRunner::Drag},
      {"hover", &BatchRunner::Hover},
      {"type", &BatchRunner::Type},
      {"keys", &BatchRunner::Keys},
      {"rotate", &BatchRunner::Rotate},
      {"mirror", &BatchRunner::Mirror},
      {"labels", &BatchRunner::Labels},
      {"browser", &BatchRunner::Browser},
      {"find", &BatchRunner::Find},
      {"activate", &BatchRunner::Activate},
      {"export", &BatchRunner::Export},
      {"print", &BatchRunner::Print},
      {"copy", &BatchRunner::Copy},
      {"wait", &BatchRunner::Wait},
  };
  const auto it = kCommands.find(name);
  return it == kCommands.end() ? nullptr : it->second;
}

void BatchRunner::RunLine(const std::string& text, int n) {
  if (text.empty() || text[0] == '#') return;
  const auto [name, argument] = SplitCommand(text);
  const std::vector<std::string> words = Words(argument);
  const Command command = CommandNamed(name);
  if (!command) throw BatchError(n, "malformed command: " + text);
  (this->*command)(Line{text, argument, words, n});
  QApplication::processEvents();
}

namespace {

// A command whose words do not fit it.
void Require(bool fits, const std::string& text, int n) {
  if (!fits) throw BatchError(n, "malformed command: " + text);
}

}  // namespace

void BatchRunner::Open(const Line& line) {
  TFrm_Main& main = *app_.main;
  if (line.text == "open") return main.open1Click();
  const std::string path = std::filesystem::absolute(line.argument).lexically_normal().string();
  main.setFileChooser([path] { return std::optional<std::string>(path); });
  main.open1Click();
  main.setFileChooser([] { return std::optional<std::string>(); });
}

void BatchRunner::Close(const Line& line) {
  Require(line.argument.empty(), line.text, line.number);
  app_.main->close1Click();
}

void BatchRunner::Exit(const Line& line) {
  Require(line.argument.empty(), line.text, line.number);
  app_.main->exit1Click();
  exited_ = true;
}

void BatchRunner::Key(const Line& line) { TypeInto(app_.main.get(), line.argument); }

void BatchRunner::Overview(const Line& line) { TypeInto(app_.overview.get(), line.argument); }

void BatchRunner::PressCommand(const Line& line) {
  Require(line.words.size() == 2 || line.words.size() == 3, line.text, line.number);
  Qt::MouseButton button = Qt::LeftButton;
  if (line.words.size() == 3) {
    if (line.words[2] == "right") {
      button = Qt::RightButton;
    } else if (line.words[2] == "middle") {
      button = Qt::MiddleButton;
    } else {
      throw BatchError(line.number, "unknown button: " + line.words[2]);
    }
  }
  Press(Position(line), button);
}

void BatchRunner::Move(const Line& line) {
  Require(line.words.size() == 2, line.text, line.number);
  if (ImageView* view = ShownImage()) {
    SendMouse(view, QEvent::MouseMove, Position(line), Qt::NoButton, Qt::NoButton);
  }
}

void BatchRunner::DoubleClickCommand(const Line& line) {
  Require(line.words.size() == 2, line.text, line.number);
  DoubleClick(Position(line));
}

void BatchRunner::Menu(const Line& line) {
  Require(line.words.size() == 1, line.text, line.number);
  QAction* action = app_.main->menuAction(line.words[0]);
  if (!action) throw BatchError(line.number, "unknown menu item: " + line.words[0]);
  if (action->isEnabled()) action->trigger();
}

void BatchRunner::DumpCommand(const Line& line) {
  Require(!line.argument.empty(), line.text, line.number);
  Dump(line.argument);
}

// field DIALOG N TEXT: TEXT is everything after the blank that follows N.
void BatchRunner::Field(const Line& line) {
  const auto [dialogName, rest] = SplitCommand(line.argument);
  const auto [number, text] = SplitCommand(rest);
  SearchDialog* dialog = DialogNamed(dialogName, line.number);
  const int field = FieldNumber(*dialog, number, line.number);
  if (rest.find(' ') == std::string::npos)
    throw BatchError(line.number, "field needs a text after one blank");
  dialog->SetFieldText(field, text);
}

void BatchRunner::Enter(const Line& line) {
  Require(line.words.size() == 2, line.text, line.number);
  SearchDialog* dialog = DialogNamed(line.words[0], line.number);
  const int field = FieldNumber(*dialog, line.words[1], line.number);
  NameCompleter* completer = dialog->completer(field);
  SendKey(completer ? completer->keyTarget() : dialog->field(field), Qt::Key_Return, QStringLiteral("\r"));
}

// resize W H: the main window's client area becomes W x H device pixels.
void BatchRunner::Resize(const Line& line) {
  Require(line.words.size() == 2, line.text, line.number);
  const int w = ParseInt(line.words[0], line.number), h = ParseInt(line.words[1], line.number);
  if (w <= 0 || h <= 0) throw BatchError(line.number, "not a size: " + line.argument);
  const qreal ratio = app_.main->devicePixelRatioF();
  app_.main->resize(static_cast<int>(std::lround(w / ratio)), static_cast<int>(std::lround(h / ratio)));
}

// wheel X Y N: N notches, each sent as the wheel sends it; positive zooms in.
void BatchRunner::Wheel(const Line& line) {
  Require(line.words.size() == 3, line.text, line.number);
  const int notches = ParseInt(line.words[2], line.number);
  const QPointF pos = Position(line);
  for (int n = 0; n < std::abs(notches); ++n) {
    ImageView* view = ShownImage();
    if (!view) break;
    QWheelEvent event(pos, view->mapToGlobal(pos), QPoint(),
                      QPoint(0, notches > 0 ? ImageView::kNotch : -ImageView::kNotch), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
  }
  app_.main->FlushRedraw();
}

// drag X1 Y1 X2 Y2: the left button pressed at the first point, moved there
// in even steps, released at the second.
void BatchRunner::Drag(const Line& line) {
  Require(line.words.size() == 4, line.text, line.number);
  constexpr int kSteps = 8;
  const QPointF from = Position(line), to = Position(line, 2);
  const Qt::MouseButton left = Qt::LeftButton;
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonPress, from, left, left);
  for (int step = 1; step <= kSteps; ++step) {
    const QPointF at = from + (to - from) * step / kSteps;
    if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseMove, at, Qt::NoButton, left);
  }
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonRelease, to, left, Qt::NoButton);
  app_.main->FlushRedraw();
}

// hover X Y: the pointer comes to rest at (X, Y); the tooltip is asked for at once.
void BatchRunner::Hover(const Line& line) {
  Require(line.words.size() == 2, line.text, line.number);
  ImageView* view = ShownImage();
  if (!view) return;
  SendMouse(view, QEvent::MouseMove, Position(line), Qt::NoButton, Qt::NoButton);
  view->HoverNow();
}

// type DIALOG N TEXT: TEXT typed into the field key by key, as a user types,
// and the names it offers looked up at once.
void BatchRunner::Type(const Line& line) {
  const auto [dialogName, rest] = SplitCommand(line.argument);
  const auto [number, text] = SplitCommand(rest);
  SearchDialog* dialog = DialogNamed(dialogName, line.number);
  const int field = FieldNumber(*dialog, number, line.number);
  if (rest.find(' ') == std::string::npos) throw BatchError(line.number, "type needs a text after one blank");
  dialog->field(field)->setFocus();
  TypeInto(dialog->field(field), text);
  if (NameCompleter* completer = dialog->completer(field)) completer->CompleteNow();
}

// keys NAME...: each named key pressed and released where the keyboard's
// keys go at that moment. A name the toolkit does not know stops the line
// before any key is pressed.
void BatchRunner::Keys(const Line& line) {
  Require(!line.words.empty(), line.text, line.number);
  std::vector<QKeyCombination> keys;
  for (const std::string& name : line.words) {
    const std::optional<QKeyCombination> key = KeyNamed(name);
    if (!key) throw BatchError(line.number, "unknown key: " + name);
    keys.push_back(*key);
  }
  for (const QKeyCombination key : keys) {
    SendKey(KeyboardTarget(app_.main.get()), key.key(), KeyText(key), key.keyboardModifiers());
    QApplication::processEvents();
  }
}

// rotate [ccw]: a quarter turn clockwise, or counter-clockwise.
void BatchRunner::Rotate(const Line& line) {
  Require(line.words.empty() || (line.words.size() == 1 && line.words[0] == "ccw"), line.text, line.number);
  if (line.words.empty()) return app_.main->RotateClockwiseClick();
  app_.main->RotateBackClick();
}

void BatchRunner::Mirror(const Line& line) {
  Require(line.argument.empty(), line.text, line.number);
  app_.main->MirrorClick();
}

// labels on|off: View › Names on the board.
void BatchRunner::Labels(const Line& line) {
  Require(line.words.size() == 1 && (line.words[0] == "on" || line.words[0] == "off"), line.text,
          line.number);
  app_.main->ShowNames(line.words[0] == "on");
}

// browser on|off: View › Board browser.
void BatchRunner::Browser(const Line& line) {
  Require(line.words.size() == 1 && (line.words[0] == "on" || line.words[0] == "off"), line.text,
          line.number);
  app_.main->ShowBrowser(line.words[0] == "on");
}

// find TEXT: Ctrl+F, the text typed over the box's, and the pause passed.
void BatchRunner::Find(const Line& line) {
  app_.main->FindClick();
  BrowserDock& browser = *app_.main->browser();
  SendKey(browser.findBox(), Qt::Key_Backspace, QString());
  TypeInto(browser.findBox(), line.argument);
  browser.Find();
}

// activate KIND NAME: a double click on that row.
void BatchRunner::Activate(const Line& line) {
  const auto [kindWord, name] = SplitCommand(line.argument);
  const std::optional<ItemKind> kind = KindNamed(kindWord);
  if (!kind || name.empty())
    throw BatchError(line.number, "expected part, net, pin or nail and a name: " + line.text);
  app_.main->ActivateItem(*kind, name);
}

void BatchRunner::Ok(const Line& line) {
  Require(line.words.size() == 1, line.text, line.number);
  DialogNamed(line.words[0], line.number)->okButton()->click();
}

void BatchRunner::Cancel(const Line& line) {
  Require(line.words.size() == 1, line.text, line.number);
  DialogNamed(line.words[0], line.number)->cancelButton()->click();
}

// export PATH: File > Export picture..., with PATH chosen in its dialog.
void BatchRunner::Export(const Line& line) {
  Require(!line.argument.empty(), line.text, line.number);
  if (!PictureFormatOf(line.argument))
    throw BatchError(line.number, "not a .png or .pdf file: " + line.argument);
  TFrm_Main& main = *app_.main;
  const std::string path = std::filesystem::absolute(line.argument).lexically_normal().string();
  main.setExportFileChooser([path] { return std::optional<std::string>(path); });
  main.export1Click();
  main.setExportFileChooser([] { return std::optional<std::string>(); });
}

// print PATH.pdf: File > Print..., with the printer set to write PATH.
void BatchRunner::Print(const Line& line) {
  Require(!line.argument.empty(), line.text, line.number);
  if (PictureFormatOf(line.argument) != PictureFormat::Pdf)
    throw BatchError(line.number, "not a .pdf file: " + line.argument);
  TFrm_Main& main = *app_.main;
  const QString path =
      QString::fromStdString(std::filesystem::absolute(line.argument).lexically_normal().string());
  main.setPrinterChooser([path](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
  });
  main.print1Click();
  main.setPrinterChooser([](QPrinter&) { return false; });
}

void BatchRunner::Copy(const Line& line) {
  Require(line.argument.empty(), line.text, line.number);
  app_.main->copy1Click();
}

// wait MS: the events of MS milliseconds, timers and watched files among them.
void BatchRunner::Wait(const Line& line) {
  Require(line.words.size() == 1, line.text, line.number);
  const int milliseconds = ParseInt(line.words[0], line.number);
  if (milliseconds < 0) throw BatchError(line.number, "not a duration: " + line.argument);
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(milliseconds);
  loop.exec();
}

SearchDialog* BatchRunner::DialogNamed(const std::string& name, int line) const {
  for (const SearchKind kind : kSearchKinds) {
    if (name == BatchName(kind)) return &app_.dialog(kind);
  }
  throw BatchError(line, "unknown dialog: " + name);
}

int BatchRunner::FieldNumber(const SearchDialog& dialog, const std::string& word, int line) const {
  const int field = ParseInt(word, line);
  if (field < 1 || field > dialog.fieldCount()) throw BatchError(line, "no such field: " + word);
  return field;
}

ImageView* BatchRunner::ShownImage() const { return app_.main->shownView(); }

// The words X Y of a command (from word `first`), in pixels of the picture as shown.
QPointF BatchRunner::Position(const Line& line, std::size_t first) const {
  const double f = app_.main->factor();
  return {ParseInt(line.words[first], line.number) * f, ParseInt(line.words[first + 1], line.number) * f};
}

void BatchRunner::TypeInto(QWidget* target, const std::string& chars) {
  for (unsigned char c : chars) SendKey(target, 0, QString(QChar(static_cast<char16_t>(c))));
}

void BatchRunner::Press(QPointF pos, Qt::MouseButton button) {
  ImageView* view = ShownImage();
  if (!view) return;
  SendMouse(view, QEvent::MouseButtonPress, pos, button, button);
  SendMouse(view, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void BatchRunner::DoubleClick(QPointF pos) {
  // As the toolkit delivers it: press, release, double click, release, each
  // to the picture shown at that moment.
  const Qt::MouseButton left = Qt::LeftButton;
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonPress, pos, left, left);
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonRelease, pos, left, Qt::NoButton);
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonDblClick, pos, left, left);
  if (ImageView* view = ShownImage()) SendMouse(view, QEvent::MouseButtonRelease, pos, left, Qt::NoButton);
}

namespace {

QJsonArray TextsOf(const std::vector<std::string>& texts, QString (*decode)(const std::string&)) {
  QJsonArray array;
  for (const std::string& text : texts) array.append(decode(text));
  return array;
}

QJsonObject MenuJson(const TFrm_Main& main) {
  QJsonObject menu;
  for (const SearchKind kind : kSearchKinds) {
    const char* item = MenuItemOf(kind).key;
    menu[item] = main.menuAction(item)->isEnabled();
  }
  for (const char* item : {"content", "about"}) menu[item] = main.menuAction(item)->isEnabled();
  return menu;
}

QJsonObject OverviewJson(const TForm8& o) {
  const std::string shows = o.Shows();
  return {{"visible", o.isVisible()},
          {"x", o.pos().x()},
          {"y", o.pos().y()},
          {"shows", shows.empty() ? QJsonValue() : QJsonValue(Text(shows))}};
}

QJsonObject ClipboardJson() {
  const QClipboard* clipboard = QApplication::clipboard();
  const QImage image = clipboard->image();
  return {{"text", clipboard->text()},
          {"image", image.isNull() ? QJsonValue() : QJsonArray{image.width(), image.height()}}};
}

QJsonArray WarningsJson(const std::vector<FileError>& warnings) {
  QJsonArray array;
  for (const FileError& w : warnings) {
    const QJsonValue side = !w.side ? QJsonValue() : QJsonValue(*w.side == Side::Top ? "top" : "bottom");
    array.append(QJsonObject{{"file", QString::fromLocal8Bit(w.file)},
                             {"side", side},
                             {"line", static_cast<qint64>(w.line)},
                             {"message", Text(w.message)}});
  }
  return array;
}

}  // namespace

// The dialogs' fields and visibility, and the names their fields offer.
QJsonObject BatchRunner::DialogsJson(QStringList& completions) const {
  QJsonObject dialogs;
  for (const SearchKind kind : kSearchKinds) {
    const SearchDialog& dialog = app_.dialog(kind);
    for (int field = 1; field <= dialog.fieldCount(); ++field) {
      if (const NameCompleter* completer = dialog.completer(field)) completions += completer->shown();
    }
    dialogs[BatchName(kind)] = DialogJson(dialog);
  }
  dialogs["content"] = QJsonObject{{"visible", app_.content->isVisible()}};
  dialogs["about"] = QJsonObject{{"visible", app_.about->isVisible()}};
  return dialogs;
}

namespace {

QJsonObject BrowserJson(const BrowserDock& browser) {
  const BrowserList& list = browser.list();
  QJsonArray rows;
  for (const BrowserRow& row : list.rows) {
    QJsonArray sides;
    if (row.sides.top) sides.append("top");
    if (row.sides.bottom) sides.append("bottom");
    rows.append(QJsonObject{{"kind", KindName(row.kind)},
                            {"name", Text(row.name)},
                            {"sides", sides},
                            {"count", static_cast<qint64>(row.count)}});
  }
  const BoardTotals t = browser.totals().value_or(BoardTotals{});
  return {{"shown", browser.isVisible()},
          {"text", Text(browser.text())},
          {"total", static_cast<qint64>(list.total.value)},
          {"rows", rows},
          {"totals", QJsonObject{{"parts", static_cast<qint64>(t.parts.value)},
                                 {"nets", static_cast<qint64>(t.nets.value)},
                                 {"pins", static_cast<qint64>(t.pins)},
                                 {"nails", static_cast<qint64>(t.nails.value)}}}};
}

QJsonArray NamesJson(const NameList& names) {
  QJsonArray array;
  names.ForEach([&](std::string_view name) { array.append(Text(std::string(name))); });
  return array;
}

QJsonObject PinsJson(const PerSide<NameList>& pins) {
  return {{"top", NamesJson(pins.top)}, {"bottom", NamesJson(pins.bottom)}};
}

QJsonValue SideJson(std::optional<Side> side) {
  if (!side) return QJsonValue();
  return *side == Side::Top ? "top" : "bottom";
}

// The result shown, found afresh whether the browser shows it or not.
QJsonObject InfoJson(const Session& s) {
  ResultInfo info;
  try {
    info = DescribeResult(s);
  } catch (const BoardError&) {
    return {{"kind", "none"}};
  }
  switch (info.kind) {
    case ResultInfo::Kind::None: break;
    case ResultInfo::Kind::Pin:
      return {{"kind", "pin"},
              {"name", Text(info.name)},
              {"part", Text(info.part)},
              {"net", Text(info.net)},
              {"fourth", Text(info.fourth)},
              {"side", SideJson(info.side)},
              {"netPins", PinsJson(info.pins)}};
    case ResultInfo::Kind::Part: {
      QJsonArray pins;
      for (const PartPin& pin : info.partPins)
        pins.append(QJsonObject{{"name", Text(pin.name)}, {"net", Text(pin.net)}});
      return {{"kind", "part"}, {"name", Text(info.name)}, {"side", SideJson(info.side)}, {"pins", pins}};
    }
    case ResultInfo::Kind::Net:
      return {{"kind", "net"}, {"name", Text(info.name)}, {"pins", PinsJson(info.pins)}};
    case ResultInfo::Kind::Nails: {
      QJsonArray nails;
      for (const NailSlot& slot : info.nails) {
        nails.append(
            QJsonObject{{"nail", Text(slot.nail)}, {"net", Text(slot.net)}, {"pins", PinsJson(slot.pins)}});
      }
      return {{"kind", "nails"}, {"slots", nails}};
    }
  }
  return {{"kind", "none"}};
}

}  // namespace

QJsonObject BatchRunner::State() const {
  const Session& s = app_.session;
  const TFrm_Main& main = *app_.main;
  const std::optional<std::string>& tooltip = main.tooltip();
  QStringList completions;
  const QJsonObject dialogs = DialogsJson(completions);
  const QWidget* focus = QApplication::focusWidget();
  const qreal ratio = main.devicePixelRatioF();
  return {
      {"HighlightMode", static_cast<int>(s.highlight.mode)},
      {"view", ViewJson(s.view)},
      {"topShown", s.TopShown()},
      {"boardShown", main.boardShown()},
      {"header",
       QJsonArray{Text(s.pictures.header[0]), Text(s.pictures.header[1]), Text(s.pictures.header[2])}},
      {"menuEnabled", MenuJson(main)},
      {"dialogs", dialogs},
      {"overview", OverviewJson(*app_.overview)},
      {"errors", TextsOf(errors_, [](const std::string& e) { return FromBytes(e); })},
      {"errorDetails",
       TextsOf(errorDetails_, [](const std::string& d) { return QString::fromLocal8Bit(d); })},
      {"factor", main.factor()},
      {"title", main.windowTitle()},
      {"status", main.statusText()},
      {"tooltip", tooltip ? QJsonValue(Text(*tooltip)) : QJsonValue()},
      {"completions", QJsonArray::fromStringList(completions)},
      {"window", QJsonArray{qRound(main.width() * ratio), qRound(main.height() * ratio)}},
      {"focus", focus ? QJsonValue(focus->objectName()) : QJsonValue()},
      {"fullScreen", main.isFullScreen()},
      {"warnings", WarningsJson(s.document.Warnings)},
      {"rotation", s.view.orientation.Degrees()},
      {"mirrored", s.view.orientation.mirrored},
      {"labels", s.view.names},
      {"browser", BrowserJson(*main.browser())},
      {"info", InfoJson(s)},
      {"clipboard", ClipboardJson()},
  };
}

void BatchRunner::Dump(const std::string& dir) const {
  std::filesystem::create_directories(dir);
  const std::filesystem::path d(dir);
  const Session& s = app_.session;
  SavePicture(s.pictures.sides.top.image(), (d / "top.png").string());
  SavePicture(s.pictures.sides.bottom.image(), (d / "bottom.png").string());

  // The header strip as the window shows it: the picture with the labels on
  // it, at the window's resolution.
  SavePicture(HeaderPicture(*app_.main), (d / "header.png").string());
  SavePicture(app_.overview->TopImage().image(), (d / "overview-top.png").string());
  SavePicture(app_.overview->BottomImage().image(), (d / "overview-bottom.png").string());
  SavePicture(app_.main->grab().toImage(), (d / "screen.png").string());
  std::ofstream((d / "state.json").string(), std::ios::binary)
      << QJsonDocument(State()).toJson().toStdString();
}

}  // namespace vantrel
