#include <gtest/gtest.h>

#include "support/ProgramFixture.h"

namespace {

class SiteExportCommand : public ProgramTest {
 protected:
  QAction *item() { return child<QAction>(form(), "SiteExport1"); }
};

TEST_F(SiteExportCommand, TheItemIsInTheFileMenuWithTheExecutiveOption) {
  for (const bool executive : {true, false, true}) {
    doc().session().setExecutive(executive);
    EXPECT_EQ(item()->isVisible(), executive);
  }
  EXPECT_EQ(item()->text(), QStringLiteral("Webページとして書き出す..."));
}

TEST_F(SiteExportCommand, ANewPageNeverSavedIsRefusedBeforeAnyDialog) {
  doc().session().setExecutive(true);
  item()->trigger();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Error);
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("保存してから")));
}

}  // namespace
