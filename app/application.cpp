#include "app/application.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace vantrel {

double ScreenFactor(int screenWidth, int screenHeight) {
  return std::max(1.0, std::min(screenWidth / 800.0, screenHeight / 600.0));
}

Application::Application(double factor) {
  if (factor <= 0) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    factor = screen ? ScreenFactor(screen->geometry().width(), screen->geometry().height()) : 1.0;
  }
  main = std::make_unique<TFrm_Main>(session, factor);
  nail = std::make_unique<TFrm_Nail>(session);
  comp = std::make_unique<TFrm_Comp>(session);
  parts = std::make_unique<TFrm_Parts>(session);
  content = std::make_unique<Tfrm_content>();
  about = std::make_unique<TFrm_About>();
  net = std::make_unique<Tfrm_Net>(session);
  overview = std::make_unique<TForm8>(session);
  session.nail = nail.get();
  session.comp = comp.get();
  session.parts = parts.get();
  session.net = net.get();
  session.overview = overview.get();
  main->setAuxWindows(content.get(), about.get());
  main->SyncWithSession();
}

Application::~Application() { session.changed = nullptr; }

}  // namespace vantrel
