#include <QAbstractSpinBox>
#include <QKeySequence>
#include <QTest>

#include "edit/windows/ClefBarlineWindow.h"
#include "support/ProgramFixture.h"

// What the windows keep within bounds: the clef dialog's staff fields on
// the page keys, and the recent files' names in the File menu.

namespace {

// A page key steps ten staves from the typed number brought into 1 … 32,
// and stops there.
TEST(WindowGuards, ClefDialogFieldsStayInRangeOnThePageKeys) {
  QWidget main;
  ClefBarlineWindow dialog(main);
  dialog.show();
  const struct {
    const char *typed;
    Qt::Key key;
    const char *shown;
  } cases[] = {
      {"5", Qt::Key_PageUp, "15"},   {"25", Qt::Key_PageUp, "32"},
      {"32", Qt::Key_PageUp, "32"},  {"-7", Qt::Key_PageUp, "11"},
      {"15", Qt::Key_PageDown, "5"}, {"5", Qt::Key_PageDown, "1"},
      {"1", Qt::Key_PageDown, "1"},  {"40", Qt::Key_PageDown, "22"},
  };
  for (const char *name : {"SpinEdit1", "SpinEdit2"}) {
    auto *field = child<QAbstractSpinBox>(dialog, name);
    for (const auto &c : cases) {
      SCOPED_TRACE(std::string(name) + " " + c.typed);
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(field, Qt::Key_Delete);
      QTest::keyClicks(field, QString::fromLatin1(c.typed));
      QTest::keyClick(field, c.key);
      EXPECT_EQ(field->text(), QLatin1String(c.shown));
    }
  }
}

class RecentMenu : public ProgramTest {};

// "&" in a file name is part of the name, not the mark of a shortcut key.
TEST_F(RecentMenu, AnAmpersandInAFileNameShowsAsItself) {
  for (const QString &name :
       {QStringLiteral("A&B.fum"), QStringLiteral("Tom & Jerry.fum"),
        QStringLiteral("&&.fum")}) {
    SCOPED_TRACE(name.toStdString());
    doc().session().addRecentFile(QStringLiteral("/c/") + name);
    QAction *item = action("ReOpen1");
    EXPECT_EQ(item->iconText(), name) << "the name as the menu draws it";
    EXPECT_EQ(QKeySequence::mnemonic(item->text()), QKeySequence())
        << "no shortcut key";
  }
}

}  // namespace
