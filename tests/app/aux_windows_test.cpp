// The help, about and keys windows: what they say, and how they close.
#include "app/aux_windows.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QTest>

#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "app/keys_window.h"
#include "app/start_up.h"

namespace vantrel {
namespace {

using Texts = std::set<std::tuple<std::string, int, int>>;  // text, x, y in the panel

Texts LabelsOf(const QWidget& window) {
  Texts texts;
  for (const QLabel* label : window.findChild<QWidget*>(QStringLiteral("Panel1"))->findChildren<QLabel*>()) {
    texts.insert({label->text().toStdString(), label->x(), label->y()});
  }
  return texts;
}

// The designed table; the row of "-" also names what a right click does,
// which returns to the home view rather than zooming out.
TEST(HelpWindow, HoldsTheTableOfKeysAndMouseActions) {
  const Tfrm_content help;
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Content"));
  struct Row {
    const char* action;
    int y;
    const char* key;
    int keyY;
    const char* mouse;
    int mouseY;
  };
  const Row rows[] = {
      {"Zoom In", 56, "+", 56, "Double-Left", 56}, {"Zoom Out / Home", 94, "-", 90, "Single-Right", 88},
      {"Change Side", 132, "0", 133, nullptr, 0},  {"Ask Point", 170, nullptr, 0, "Single-Left", 168},
      {"Reset", 208, "/", 208, nullptr, 0},        {"Up", 246, "8", 248, nullptr, 0},
      {"Down", 284, "2", 280, nullptr, 0},         {"Left", 322, "4", 320, nullptr, 0},
      {"Right", 360, "6", 360, nullptr, 0}};
  Texts expected = {{"ACTION", 32, 16}, {"KEYBOARD", 208, 16}, {"MOUSE", 384, 16}};
  for (const Row& row : rows) {
    expected.insert({row.action, 32, row.y});
    if (row.key) expected.insert({row.key, 240, row.keyY});
    if (row.mouse) expected.insert({row.mouse, 384, row.mouseY});
  }
  EXPECT_EQ(LabelsOf(help), expected);
}

TEST(AboutWindow, GivesTheVersionAndNoPlaceholderAddress) {
  const TFrm_About about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
  bool version = false;
  for (const auto& [text, x, y] : LabelsOf(about)) {
    version |= text == std::string("Version ") + ProgramVersion();
    for (const char* address : {"://", "www.", "example.", ".invalid", "@"}) {
      EXPECT_EQ(text.find(address), std::string::npos) << text;
    }
  }
  EXPECT_TRUE(version);
}

// Every line shows its last letter whole at any factor: the label reaches as
// far as the text's advance and its ink in the label's own font, within the
// panel.
TEST(HelpWindows, LabelsHoldTheirWholeTextAtEveryFactor) {
  Tfrm_content help;
  TFrm_About about;
  for (StaticWindow* window : std::initializer_list<StaticWindow*>{&help, &about}) {
    window->EnsureDesignKept();
    const Texts designed = LabelsOf(*window);
    for (const double factor : {0.5, 0.8, 1.0, 1.25, 1.5, 1.8, 2.0, 2.4, 3.0}) {
      window->SetFactor(factor);
      const QWidget* panel = window->findChild<QWidget*>(QStringLiteral("Panel1"));
      for (const QLabel* label : panel->findChildren<QLabel*>()) {
        SCOPED_TRACE(testing::Message() << label->text().toStdString() << " at " << factor);
        const QFontMetrics metrics(label->font());
        EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text()));
        EXPECT_GE(label->width(), metrics.boundingRect(label->text()).right() + 1);
        EXPECT_GE(label->height(), metrics.height());
        EXPECT_LE(label->geometry().right(), panel->width() - 1);
      }
    }
    window->SetFactor(1.0);
    EXPECT_EQ(LabelsOf(*window), designed) << "back at the design size, the designed places";
  }
}

// Escape does what the OK button does, from the window or its button.
TEST(HelpWindows, EscapeHidesThemAsOkDoes) {
  Tfrm_content help;
  TFrm_About about;
  KeysWindow keys;
  const std::pair<QWidget*, QPushButton*> windows[] = {
      {&help, help.Button1}, {&about, about.Button1}, {&keys, keys.okButton()}};
  for (const auto& [window, ok] : windows) {
    for (QWidget* target : {window, static_cast<QWidget*>(ok)}) {
      window->show();
      QTest::keyClick(target, Qt::Key_Escape);
      EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
    window->show();
    QTest::keyClick(window, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible()) << "Ctrl+Escape is no command";
  }
}

}  // namespace
}  // namespace vantrel
