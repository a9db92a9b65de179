#include "shell/import/ImportSteps.h"

QString StepText(ImportStep step) {
  switch (step) {
    case ImportStep::ListingPlaces: return QString::fromUtf8("Поиск населённых пунктов");
    case ImportStep::FindingArea: return QString::fromUtf8("Поиск границ города");
    case ImportStep::ReadingRelations: return QString::fromUtf8("Чтение отношений");
    case ImportStep::ReadingData: return QString::fromUtf8("Чтение данных");
    case ImportStep::Assembling: return QString::fromUtf8("Сборка города");
    case ImportStep::Writing: return QString::fromUtf8("Запись слоёв");
    case ImportStep::Drawing: return QString::fromUtf8("Рисование картинки города");
    case ImportStep::Publishing: return QString::fromUtf8("Запись на диск");
  }
  return {};
}

QString ProgressText(ImportStep step, int percent) {
  return StepText(step) + QString::fromUtf8(": %1 %").arg(percent);
}
