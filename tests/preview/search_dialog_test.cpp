// The find dialog: its texts, the last confirmed search offered again (a cancelled one
// is forgotten), the focus and selection on the text, and F1.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "preview/search_dialog.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

TEST(SearchDialogTest, TextsFromTheResources) {
  TfrxSearchDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("寻找文本"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("TextL"))->text(), QStringLiteral("寻找目标:"));
  EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("SearchL"))->title(), QStringLiteral("选项"));
  EXPECT_EQ(dialog.TopCB().text(), QStringLiteral("起点"));
  EXPECT_EQ(dialog.CaseCB().text(), QStringLiteral("区分大小写"));
  EXPECT_EQ(dialog.OkB().text(), QString::fromStdString(frxResources().Get("1")));
  EXPECT_EQ(dialog.CancelB().text(), QString::fromStdString(frxResources().Get("2")));
  EXPECT_TRUE(dialog.OkB().isDefault());
  dialog.show();
  EXPECT_FALSE(dialog.ReplacePanel().isVisible());
}

TEST(SearchDialogTest, OnlyAConfirmedTextIsOfferedAgain) {
  TfrxSearchDialog::SetLastSearchText(QString());
  struct Step {
    QString typed;
    bool ok;
    QString offeredNext;
  } steps[] = {
      {QStringLiteral("销售"), true, QStringLiteral("销售")},
      {QStringLiteral("apple"), false, QStringLiteral("销售")},
      {QString(), true, QString()},
  };
  for (const Step& s : steps) {
    TfrxSearchDialog dialog;
    dialog.show();
    dialog.TextE().setText(s.typed);
    (s.ok ? dialog.OkB() : dialog.CancelB()).click();
    EXPECT_EQ(dialog.result(), s.ok ? QDialog::Accepted : QDialog::Rejected);
    TfrxSearchDialog next;
    next.show();
    EXPECT_EQ(next.TextE().text(), s.offeredNext) << s.typed.toStdString();
  }
}

TEST(SearchDialogTest, ActivationSelectsTheTextAndF1OpensHelp) {
  TfrxSearchDialog::SetLastSearchText(QStringLiteral("Quarterly"));
  std::vector<std::string> asked;
  TfrxResources::SetHelpHandler([&](const std::string& location) { asked.push_back(location); });
  TfrxSearchDialog dialog;
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_TRUE(dialog.TextE().hasFocus());
  EXPECT_EQ(dialog.TextE().selectedText(), QStringLiteral("Quarterly"));
  QTest::keyClick(&dialog.TextE(), Qt::Key_F1);
  EXPECT_EQ(asked.size(), 1u);
  TfrxResources::SetHelpHandler(nullptr);
  TfrxSearchDialog::SetLastSearchText(QString());
}

}  // namespace
}  // namespace quarlo
