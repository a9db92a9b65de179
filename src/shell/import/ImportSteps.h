#pragma once
// What the import window says of a running import: the step in Russian and
// the share of it done.
#include <QString>

#include "importer/ImportControl.h"

QString StepText(ImportStep step);

// "Чтение данных: 45 %".
QString ProgressText(ImportStep step, int percent);
