#include "importer/ImportControl.h"

const ImportControl& UnwatchedImport() {
  static const ImportControl unwatched;
  return unwatched;
}
