// The program's windows, created once at start in their fixed order (main
// window, open/short, component pin, device, help, about, net, overview) and
// kept until the end, and the session they share.
#pragma once

#include <memory>
#include <string>

#include "app/aux_windows.h"
#include "app/keys_window.h"
#include "app/main_window.h"
#include "dialogs/comp_dialog.h"
#include "dialogs/device_dialog.h"
#include "dialogs/nail_dialog.h"
#include "dialogs/net_dialog.h"
#include "dialogs/overview_window.h"
#include "search/session.h"

namespace vantrel {

// Shows an error in a message box with the error icon and the title "Vantrel",
// the details as its informative text.
void ShowErrorBox(const std::string& text, const std::string& details);

class Application {
 public:
  // The main window starts at `factor` times its design size.
  explicit Application(double factor = 1.0);
  ~Application();

  Session session;
  std::unique_ptr<TFrm_Main> main;
  std::unique_ptr<TFrm_Nail> nail;
  std::unique_ptr<TFrm_Comp> comp;
  std::unique_ptr<TFrm_Parts> parts;
  std::unique_ptr<Tfrm_content> content;
  std::unique_ptr<TFrm_About> about;
  std::unique_ptr<KeysWindow> keys;
  std::unique_ptr<Tfrm_Net> net;
  std::unique_ptr<TForm8> overview;
};

}  // namespace vantrel
