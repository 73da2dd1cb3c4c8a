// Qt's own dialogs in Chinese once the program installed the toolkit's translations.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include "app/qt_translations.h"

namespace quarlo {
namespace {

TEST(QtTranslationsTest, MessageBoxesAndFileDialogsSpeakChinese) {
  QTranslator* translator = InstallChineseQtTranslations(*qApp);
  ASSERT_NE(translator, nullptr) << "Qt's zh_CN translations (qt6-translations-l10n) are not installed";
  {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QStringLiteral("x"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_TRUE(lookIn);
    EXPECT_EQ(lookIn->text(), QStringLiteral("查找范围："));
    const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
  }
  QCoreApplication::removeTranslator(translator);
  delete translator;
  QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace quarlo
