#include "app/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

#include "dialogs/comp_dialog.h"
#include "dialogs/device_dialog.h"
#include "dialogs/dialog_style.h"
#include "dialogs/nail_dialog.h"
#include "dialogs/net_dialog.h"
#include "dialogs/search_dialog.h"

namespace vantrel {

void ShowErrorBox(const std::string& text, const std::string& details) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Vantrel"), FromBytes(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setInformativeText(QString::fromLocal8Bit(details));
  box.exec();
}

Application::Application(double factor, Options options)
    : options(std::move(options)), session(this->options.core), handler(session, this->options.reportError) {
  if (this->options.oneHeapArena) ShareOneHeapArena();
  // The main window owns the others, so that they share its task bar entry
  // and stay above it; it is destroyed last, after them.
  main = std::make_unique<TFrm_Main>(session, handler, factor);
  QWidget* owner = main.get();
  dialogs_[SearchKind::OpenShort] = std::make_unique<TFrm_Nail>(session, handler, owner);
  dialogs_[SearchKind::CompPin] = std::make_unique<TFrm_Comp>(session, handler, owner);
  dialogs_[SearchKind::Device] = std::make_unique<TFrm_Parts>(session, handler, owner);
  content = std::make_unique<Tfrm_content>(owner);
  about = std::make_unique<TFrm_About>(owner);
  keys = std::make_unique<KeysWindow>(owner);
  dialogs_[SearchKind::Net] = std::make_unique<Tfrm_Net>(session, handler, owner);
  overview = std::make_unique<TForm8>(session, handler, owner);
  static_cast<TFrm_Parts&>(dialog(SearchKind::Device)).setOverviewWindow(overview.get());
  SecondaryWindows windows{.overviewWindow = overview.get(),
                           .helpWindow = content.get(),
                           .keysWindow = keys.get(),
                           .aboutWindow = about.get()};
  for (const SearchKind kind : kSearchKinds) windows.searchDialogs[kind] = &dialog(kind);
  main->setWindows(windows);
  handler.SetAfterEach([this] { main->SyncWithSession(); });
  // The other windows follow the main window's factor.
  content->EnsureDesignKept();
  about->EnsureDesignKept();
  main->setFactorChanged([this](double factor) {
    for (const SearchKind kind : kSearchKinds) ScaleToFactor(&dialog(kind), factor);
    content->SetFactor(factor);
    about->SetFactor(factor);
    overview->SetFactor(factor);
  });
  main->SyncWithSession();
}

Application::~Application() {
  handler.SetAfterEach(nullptr);
  // The other windows go before their owner.
  overview.reset();
  for (const SearchKind kind : kSearchKinds) dialogs_[kind].reset();
  keys.reset();
  about.reset();
  content.reset();
}

}  // namespace vantrel
