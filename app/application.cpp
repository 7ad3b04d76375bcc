#include "app/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

#include "dialogs/dialog_style.h"
#include "dialogs/search_dialog.h"

namespace vantrel {

void ShowErrorBox(const std::string& text, const std::string& details) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Vantrel"), FromBytes(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setInformativeText(QString::fromLocal8Bit(details));
  box.exec();
}

Application::Application(double factor) {
  // The main window owns the others, so that they share its task bar entry
  // and stay above it. Members are destroyed in reverse order, so the others
  // go before their owner.
  main = std::make_unique<TFrm_Main>(session, factor);
  QWidget* owner = main.get();
  nail = std::make_unique<TFrm_Nail>(session, owner);
  comp = std::make_unique<TFrm_Comp>(session, owner);
  parts = std::make_unique<TFrm_Parts>(session, owner);
  content = std::make_unique<Tfrm_content>(owner);
  about = std::make_unique<TFrm_About>(owner);
  keys = std::make_unique<KeysWindow>(owner);
  net = std::make_unique<Tfrm_Net>(session, owner);
  overview = std::make_unique<TForm8>(session, owner);
  parts->setOverviewWindow(overview.get());
  main->setWindows({.openShortDialog = nail.get(),
                    .compPinDialog = comp.get(),
                    .deviceDialog = parts.get(),
                    .netDialog = net.get(),
                    .overviewWindow = overview.get(),
                    .helpWindow = content.get(),
                    .keysWindow = keys.get(),
                    .aboutWindow = about.get()});
  // The other windows follow the main window's factor.
  content->EnsureDesignKept();
  about->EnsureDesignKept();
  main->setFactorChanged([this](double factor) {
    for (QWidget* window : std::initializer_list<QWidget*>{nail.get(), comp.get(), parts.get(), net.get()}) {
      ScaleToFactor(window, factor);
    }
    content->SetFactor(factor);
    about->SetFactor(factor);
    overview->SetFactor(factor);
  });
  main->SyncWithSession();
}

Application::~Application() { session.changed = nullptr; }

}  // namespace vantrel
