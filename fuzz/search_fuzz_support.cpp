#include "fuzz/search_fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "board/board_error.h"
#include "render/fonts.h"
#include "search/error_handler.h"

// The font library keeps blocks that the leak checker cannot see it reach
// once the fonts are loaded; they are not the program's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace vantrel::fuzz {

namespace {

constexpr std::string_view kCompanionSeparator = "%%jet.CON\n";
constexpr std::size_t kMaxFreeText = 40;

// How the view of a run is made: the home view of the board moved as zooming
// and panning would move it, or any view at all; with the names on the
// board shown or not.
struct ViewChoice {
  bool anyView = false;
  ViewState any;
  std::int8_t zoomSteps = 0;  // '+' when positive, '-' when negative, without their limits
  std::int16_t panX = 0;      // pixels added to both sides' origins
  std::int16_t panY = 0;
  bool names = false;  // the names on the board shown
};

struct FieldChoice {
  bool fromFile = false;
  std::uint16_t line = 0;  // index into the lines of both files
  std::string text;        // free bytes
};

ViewChoice TakeViewChoice(FuzzedDataProvider& input) {
  ViewChoice c;
  c.names = input.ConsumeBool();
  c.anyView = input.ConsumeBool();
  if (c.anyView) {
    ViewState& v = c.any;
    for (std::int32_t* field :
         {&v.Scale, &v.TopOriginX, &v.TopOriginY, &v.BottomOriginX, &v.BottomOriginY, &v.MarkRadius,
          &v.MarkMargin, &v.ZoomStep, &v.home.Scale, &v.home.TopOriginX, &v.home.TopOriginY,
          &v.home.BottomOriginX, &v.home.BottomOriginY, &v.home.MarkMargin, &v.home.MarkRadius}) {
      *field = input.ConsumeIntegral<std::int32_t>();
    }
  } else {
    c.zoomSteps = input.ConsumeIntegral<std::int8_t>();
    c.panX = input.ConsumeIntegral<std::int16_t>();
    c.panY = input.ConsumeIntegral<std::int16_t>();
  }
  return c;
}

std::int32_t Clamped(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

ViewState MakeView(const ViewChoice& c, const std::string& boardFile) {
  ViewState v = c.anyView ? c.any : ViewState{};
  v.names = c.names;
  if (c.anyView) return v;
  try {
    ComputeHomeView(v, boardFile);
  } catch (const BoardError&) {
    // A board without a home view keeps what was computed up to the error,
    // as opening it does.
  }
  const std::int64_t k = c.zoomSteps;
  v.Scale = Clamped(v.Scale + 40 * k);
  v.ZoomStep = Clamped(v.ZoomStep + k);
  v.MarkMargin = Clamped(v.MarkMargin + 2 * k);
  v.MarkRadius = Clamped(v.MarkRadius + k);
  v.TopOriginX = Clamped(v.TopOriginX + std::int64_t{c.panX});
  v.BottomOriginX = Clamped(v.BottomOriginX + std::int64_t{c.panX});
  v.TopOriginY = Clamped(v.TopOriginY + std::int64_t{c.panY});
  v.BottomOriginY = Clamped(v.BottomOriginY + std::int64_t{c.panY});
  return v;
}

std::vector<std::string_view> LinesOf(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    lines.push_back(bytes.substr(0, end));
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

std::string FieldText(const FieldChoice& c, const std::vector<std::string_view>& lines) {
  if (!c.fromFile || lines.empty()) return c.text;
  std::string_view line = lines[c.line % lines.size()];
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return std::string(line);
}

// The messages a bad board may show (the error box adds the full stop).
bool IsBoardMessage(const std::string& shown) {
  for (const char* message : {messages::kInvalidNumericInput, messages::kDivisionByZero,
                              messages::kInvalidFloatOperation, messages::kReadBeyondEnd}) {
    if (shown == ShownErrorText(message)) return true;
  }
  return false;
}

// The application and the session the searches use, created once.
struct Searches {
  Searches() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
    RegisterFontSubstitutions();
    session = std::make_unique<Session>();
    handler = std::make_unique<ErrorHandler>(*session, [](const std::string& shown, const std::string&) {
      if (IsBoardMessage(shown)) return;
      std::fprintf(stderr, "a message the program does not have: \"%s\"\n", shown.c_str());
      std::abort();
    });
  }

  int argc = 1;
  char name[8] = "fuzzer";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QGuiApplication> app;
  std::unique_ptr<Session> session;  // after the application: its pictures use fonts
  std::unique_ptr<ErrorHandler> handler;
};

// Everything a session holds at the program's start but its pictures: the
// program keeps its pictures from one handler to the next, and so do the
// runs, which saves clearing fresh pictures every time.
void ResetSession(Session& s) {
  s.document = Document();
  s.view = ViewState();
  s.highlight = Highlight();
  s.pictures.header = {};
  s.pictures.overview.state = OverviewPictures::State();
}

Searches& TheSearches() {
  static Searches* searches = new Searches;  // lives to the end of the process
  return *searches;
}

struct RunInput {
  ViewChoice view;
  bool topShown = true;
  FieldChoice fields[3];
  std::string board;
  std::string companion;
  bool companionIsCopy = false;
};

RunInput TakeRunInput(FuzzedDataProvider& input) {
  RunInput r;
  r.view = TakeViewChoice(input);
  r.topShown = input.ConsumeBool();
  for (FieldChoice& field : r.fields) {
    field.fromFile = input.ConsumeBool();
    if (field.fromFile) {
      field.line = input.ConsumeIntegral<std::uint16_t>();
    } else {
      field.text = input.ConsumeRandomLengthString(kMaxFreeText);
    }
  }
  std::string files = input.ConsumeRemainingBytesAsString();
  const std::size_t separator = files.find(kCompanionSeparator);
  if (separator != std::string::npos && (separator == 0 || files[separator - 1] == '\n')) {
    r.board = files.substr(0, separator);
    r.companion = files.substr(separator + kCompanionSeparator.size());
  } else {
    r.board = files;
    r.companion = std::move(files);
    r.companionIsCopy = true;
  }
  return r;
}

}  // namespace

MemoryFile::MemoryFile(const std::string& bytes) {
  fd_ = memfd_create("board", 0);
  if (fd_ < 0) {
    std::perror("memfd_create");
    std::abort();
  }
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t n = write(fd_, bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() { close(fd_); }

SearchRun::SearchRun(FuzzedDataProvider& fuzzInput) {
  const RunInput input = TakeRunInput(fuzzInput);
  board_.emplace(input.board);
  companion_.emplace(input.companion);
  Session& s = *TheSearches().session;
  ResetSession(s);
  s.document.BoardFile = board_->path();
  s.document.CompanionFile = companion_->path();
  s.view = MakeView(input.view, s.document.BoardFile);
  s.view.shown = input.topShown ? Side::Top : Side::Bottom;
  s.highlight.mode = HighlightMode::hmBoard;

  std::vector<std::string_view> lines = LinesOf(input.board);
  if (!input.companionIsCopy) {
    const std::vector<std::string_view> more = LinesOf(input.companion);
    lines.insert(lines.end(), more.begin(), more.end());
  }
  for (int slot = 0; slot < 3; ++slot) {
    const std::string text = FieldText(input.fields[slot], lines);
    texts_.nails[slot] = text;
    texts_.devices[slot] = text;
  }
  texts_.compPin = texts_.net = texts_.nails[0];
}

SearchRun::~SearchRun() {
  // The files go with the run; a session left naming them would read another run's files.
  TheSearches().session->document.BoardFile.clear();
}

Session& SearchRun::session() { return *TheSearches().session; }

void SearchRun::Step(const std::function<void()>& step) { TheSearches().handler->Run(step); }

std::int32_t TakePointerCoordinate(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeIntegral<std::int32_t>();
  return input.ConsumeIntegralInRange<std::int32_t>(-64, 847);
}

}  // namespace vantrel::fuzz
