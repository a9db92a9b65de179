#include "support/DemoCities.h"

#include <QProcess>

GeneratorRun RunDemoGenerator(const QStringList& arguments) {
  QProcess process;
  process.start(TELLURIN_DEMO_PATH, arguments);
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}
