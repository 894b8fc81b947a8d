#include <QCoreApplication>
#include <QPlainTextEdit>

#include "app/windows/TextWindow.h"
#include "support/ProgramFixture.h"

namespace {

class LoadSave : public ProgramTest {
 protected:
  LoadSave() { doc().session().setExecutive(true); }
  void open(const QString &path) { doc().files().openFile(path); }
  // Saves the page under a name, as the Save As dialog would give it.
  bool saveAs(const QString &path) {
    messages.paths = {path};
    return doc().saveAs();
  }
};

}  // namespace

// The tool bar shows the administrator which pages are protected.
TEST_F(LoadSave, ProtectedPageTurnsTheToolBarRedForTheAdministrator) {
  const QString locked =
      scratch.write(QStringLiteral("locked.fum"),
                    "Fum[locked]\r\n^-1|4|610|`14|100|48|\r\nEnd[locked]\r\n");
  const QString plain = scratch.write(
      QStringLiteral("plain.fum"), "Fum[plain]\r\n^1|4|610|\r\nEnd[plain]\r\n");
  const auto red = [&] {
    return child<QWidget>(form(), "Panel1")
               ->palette()
               .color(QPalette::Window) == QColor(255, 0, 0);
  };
  open(locked);
  EXPECT_FALSE(red());
  doc().enterAdministratorMode();
  EXPECT_TRUE(red());
  open(plain);
  EXPECT_FALSE(red());
}

TEST_F(LoadSave, TypedPageTextIsStoredSoThatItReadsBack) {
  memo()->setPlainText(QStringLiteral("a|b\n音楽"));
  EXPECT_TRUE(page().Modified);
  EXPECT_EQ(page().PageText, sjis(QStringLiteral("a｜b\r\n音楽")));
  const QString path = scratch.file(QStringLiteral("typed.fum"));
  ASSERT_TRUE(saveAs(path));
  open(path);
  EXPECT_EQ(memo()->toPlainText(), QStringLiteral("a｜b\n音楽"));
}

TEST_F(LoadSave, TypedCharactersThePageCannotHoldAreNamed) {
  memo()->setPlainText(QStringLiteral("ok 😀"));
  QCoreApplication::processEvents();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("😀")));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Error);
}
