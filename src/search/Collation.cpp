#include "search/Collation.h"

#include <QLocale>

QCollator RussianCollator(bool numbersByValue) {
  QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(numbersByValue);
  return collator;
}
