// Ctrl+C during import-osm: the import stops, says so, exits 130 and leaves
// the data root as it was, a city of the name there before whole.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>

#include "SyntheticExtract.h"
#include "cli/CliRun.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace fs = std::filesystem;

namespace {

const fs::path kTown = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "town.osm";

// Starts the import of `extract` into `root` and sends it SIGINT once it
// reports reading the data.
CliResult ImportInterrupted(const fs::path& extract, const fs::path& root) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TELLURIN_PROGRESS_INTERVAL_MS", "0");
  process.setProcessEnvironment(env);
  process.setReadChannel(QProcess::StandardError);
  process.start(QString::fromUtf8(TELLURIN_CLI_PATH),
                {"import-osm", QString::fromStdString(NativeString(extract)), "--out",
                 QString::fromStdString(NativeString(root)), "--name", "Город", "--replace", "--progress"});
  QByteArray err;
  while (!err.contains("reading data") && process.waitForReadyRead(60000)) err += process.readAllStandardError();
#ifndef _WIN32
  ::kill(static_cast<pid_t>(process.processId()), SIGINT);
#endif
  process.waitForFinished(60000);
  CliResult r;
  r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.err = (err + process.readAllStandardError()).toStdString();
  return r;
}

TEST(ImportInterruptCli, CtrlCStopsTheImportAndLeavesTheDataRootAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "Ctrl+C reaches a console program by another way on Windows";
#endif
  TempDir files;
  const fs::path extract = files.Path() / "city.osm.pbf";
  WriteSyntheticExtract({40}, extract);  // about half a second to import: time to be interrupted
  for (const bool oldCity : {false, true}) {
    SCOPED_TRACE(oldCity ? "over an old city" : "into an empty data root");
    TempDir root;
    if (oldCity) {
      const CliResult first = RunCli({"import-osm", NativeString(kTown), "--out", NativeString(root.Path()), "--name", "Город"});
      ASSERT_EQ(first.exitCode, 0) << first.err;
    }
    const auto before = TreeEntries(root.Path());
    const CliResult stopped = ImportInterrupted(extract, root.Path());
    EXPECT_EQ(stopped.exitCode, 130) << stopped.err;
    EXPECT_NE(stopped.err.find("city.osm.pbf: the import was stopped"), std::string::npos) << stopped.err;
    EXPECT_EQ(TreeEntries(root.Path()), before);
  }
}

}  // namespace
