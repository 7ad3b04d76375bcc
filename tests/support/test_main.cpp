// main() for the tests that need Qt: a QGuiApplication (or, for the tests of
// the windows, a QApplication) on the offscreen platform unless another one
// is chosen, and the program's font substitutions, then every test. Any test
// during which the error handler reported a fault of the program
// ("Internal error: ...") fails.
#include <gtest/gtest.h>

#if VANTREL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include "render/fonts.h"
#include "search/error_handler.h"

namespace {

class NoProgramFaults : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { before_ = vantrel::InternalErrorCount(); }
  void OnTestEnd(const testing::TestInfo&) override {
    EXPECT_EQ(vantrel::InternalErrorCount(), before_) << "the program reported an internal error";
  }
  std::uint64_t before_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TestApplication app(argc, argv);
  vantrel::RegisterFontSubstitutions();
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new NoProgramFaults);
  return RUN_ALL_TESTS();
}
