// Error box and debugger trace, observed through the host's recording sinks.
#include <gtest/gtest.h>

#include <string>

#include "diag/diagnostics.h"
#include "compat/host_sinks.h"

namespace {

TEST(DebugTrace, AppendsOneNewlineAndCutsOverlongText) {
  compat::DebugOutput().clear();
  DebugTrace("total %d ani info found in %s", 7, "ani/play.ani");
  ASSERT_EQ(compat::DebugOutput().size(), 1u);
  EXPECT_EQ(compat::DebugOutput()[0], "total 7 ani info found in ani/play.ani\n");

  const std::string longText(2000, 'y');
  DebugTrace("%s", longText.c_str());
  ASSERT_EQ(compat::DebugOutput().size(), 2u);
  EXPECT_EQ(compat::DebugOutput()[1], std::string(1022, 'y') + "\n");
}

TEST(ErrorBox, ShowsASystemModalErrorBoxTitledError) {
  compat::MessageBoxes().clear();
  EXPECT_EQ(ErrorBox("error on open %s.", "ini/play.dat"), IDOK);
  ASSERT_EQ(compat::MessageBoxes().size(), 1u);
  EXPECT_EQ(compat::MessageBoxes()[0].text, "error on open ini/play.dat.");
  EXPECT_EQ(compat::MessageBoxes()[0].caption, "Error");
  EXPECT_EQ(compat::MessageBoxes()[0].type, 0x1010u);
}

int g_nestedResult = 0;

TEST(ErrorBox, ASecondBoxWhileOneIsShowingIsDroppedAndReturnsOne) {
  compat::MessageBoxes().clear();
  compat::g_onMessageBox = [](const compat::MessageBoxRecord&) {
    compat::g_onMessageBox = nullptr;  // only the first box tries to nest
    g_nestedResult = ErrorBox("nested %d", 2);
  };
  EXPECT_EQ(ErrorBox("outer"), IDOK);
  EXPECT_EQ(g_nestedResult, 1);
  ASSERT_EQ(compat::MessageBoxes().size(), 1u);
  EXPECT_EQ(compat::MessageBoxes()[0].text, "outer");

  EXPECT_EQ(ErrorBox("after"), IDOK) << "the flag is cleared when the box returns";
  EXPECT_EQ(compat::MessageBoxes().size(), 2u);
}

TEST(ErrorBox, ChineseFormatsKeepTheirCodePage936Bytes) {
  compat::MessageBoxes().clear();
  ErrorBox("打开文件：%s出错，记录出错", "ini/play.dat");
  ASSERT_EQ(compat::MessageBoxes().size(), 1u);
  // "打开" in code page 936 is b4 f2 bf aa.
  EXPECT_EQ(compat::MessageBoxes()[0].text.substr(0, 4), "\xb4\xf2\xbf\xaa");
  EXPECT_NE(compat::MessageBoxes()[0].text.find("ini/play.dat"), std::string::npos);
}

}  // namespace
