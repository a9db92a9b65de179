#include "shell/widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* InstallRussianQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}
