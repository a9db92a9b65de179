#include "shell/widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* InstallRussianQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  // translations/ beside the program first: the Windows folder carries its own.
  const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
  if (!translator->load(QStringLiteral("qtbase_ru"), besideProgram) &&
      !translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}
