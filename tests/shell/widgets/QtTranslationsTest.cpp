// Qt's own dialog texts follow the viewer into Russian.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include "shell/widgets/QtTranslations.h"

TEST(QtTranslations, StandardButtonsOfQtDialogsReadInRussian) {
  QTranslator* russian = InstallRussianQtTexts(*QApplication::instance());
  ASSERT_NE(russian, nullptr) << "Qt's Russian translations are not installed (qt6-translations-l10n)";
  QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
  const QString open = buttons.button(QDialogButtonBox::Open)->text();
  const QString cancel = buttons.button(QDialogButtonBox::Cancel)->text();
  const QString save = buttons.button(QDialogButtonBox::Save)->text();
  QApplication::removeTranslator(russian);
  delete russian;
  EXPECT_EQ(open, "Открыть");
  EXPECT_EQ(cancel, "Отмена");
  EXPECT_EQ(save, "Сохранить");
}
