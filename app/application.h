// The program's windows, created once at start in their fixed order (main
// window, open/short, component pin, device, help, about, net, overview) and
// kept until the end, the session they share, the handler every event runs
// through, and the options the program runs with.
#pragma once

#include <memory>
#include <string>

#include "app/aux_windows.h"
#include "app/keys_window.h"
#include "app/main_window.h"
#include "dialogs/overview_window.h"
#include "dialogs/search_dialog.h"
#include "search/error_handler.h"
#include "search/session.h"

namespace vantrel {

// Shows an error in a message box with the error icon and the title "Vantrel",
// the details as its informative text.
void ShowErrorBox(const std::string& text, const std::string& details);

// How the program runs. The viewer shows errors in message boxes; the batch
// runner and the tests record them.
struct Options {
  CoreOptions core{};
  ErrorReporter reportError = WriteToStandardError;
  // All threads share one heap arena (search/side_runner.h); set for the
  // whole process when the application starts.
  bool oneHeapArena = true;
};

class Application {
 public:
  // The main window starts at `factor` times its design size.
  explicit Application(double factor = 1.0, Options options = {});
  ~Application();

  SearchDialog& dialog(SearchKind kind) const { return *dialogs_[kind]; }

  const Options options;
  Session session;
  ErrorHandler handler;
  std::unique_ptr<TFrm_Main> main;
  std::unique_ptr<Tfrm_content> content;
  std::unique_ptr<TFrm_About> about;
  std::unique_ptr<KeysWindow> keys;
  std::unique_ptr<TForm8> overview;

 private:
  // TFrm_Nail, TFrm_Comp, TFrm_Parts and Tfrm_Net.
  PerSearch<std::unique_ptr<SearchDialog>> dialogs_;
};

}  // namespace vantrel
