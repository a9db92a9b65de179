// Two imports of one city name at once, and what may stand at the name of
// their lock: real tellurin-cli processes on tests/data/osm/town.osm.
#include <QCoreApplication>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kTown = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "town.osm";
const std::string kCity = "Светлоград";

fs::path LockOf(const fs::path& root) { return root / NativePath("." + kCity + ".import.lock"); }

std::set<std::string> EntriesOf(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(NativeString(e.path().filename()));
  return names;
}

// Every file of a city by its path inside it, with its bytes.
std::map<std::string, std::string> FilesOf(const fs::path& city) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(city))
    if (e.is_regular_file()) files[NativeString(e.path().lexically_relative(city))] = ReadBytes(e.path());
  return files;
}

// An import of the town into `root`, started and left running.
std::unique_ptr<QProcess> StartImport(const fs::path& root, bool replace) {
  QStringList args{"import-osm", PathToQString(kTown), "--out", PathToQString(root), "--name",
                   QString::fromStdString(kCity)};
  if (replace) args << "--replace";
  auto process = std::make_unique<QProcess>();
  process->start(QString::fromUtf8(TELLURIN_CLI_PATH), args);
  EXPECT_TRUE(process->waitForStarted());
  return process;
}

struct Finished {
  int Exit = -1;
  std::string Err;
};

Finished WaitFor(QProcess& process) {
  const bool ended = process.waitForFinished(60000);
  EXPECT_TRUE(ended) << "the import hangs";
  if (!ended) process.kill();
  return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardError().toStdString()};
}

// Whatever the moment the second starts, with and without --replace: the
// city is whole and the same as one import makes, each import either wrote
// it or refused saying why, and nothing is left beside the city.
TEST(ImportLock, TwoImportsOfOneNameAtOnceLoseNothing) {
  TempDir reference;
  ASSERT_EQ(WaitFor(*StartImport(reference.Path(), false)).Exit, 0);
  const std::map<std::string, std::string> whole = FilesOf(reference.Path() / NativePath(kCity));
  ASSERT_GT(whole.size(), 10u);

  for (const bool replace : {false, true}) {
    for (const int offsetMs : {0, 20, 40, 70, 100, 150, 200, 300, 450, 600}) {
      const std::string what = (replace ? "--replace, " : "") + std::to_string(offsetMs) + " ms apart";
      TempDir root;
      const auto first = StartImport(root.Path(), replace);
      std::this_thread::sleep_for(std::chrono::milliseconds(offsetMs));
      const auto second = StartImport(root.Path(), replace);
      int imported = 0;
      for (QProcess* process : {first.get(), second.get()}) {
        const Finished f = WaitFor(*process);
        imported += f.Exit == 0;
        const bool refused = (f.Exit == 1 && f.Err.find("is being imported by process") != std::string::npos) ||
                             (!replace && f.Exit == 2 && f.Err.find("already exists") != std::string::npos);
        EXPECT_TRUE(f.Exit == 0 || refused) << what << ": exit " << f.Exit << " " << f.Err;
      }
      EXPECT_GE(imported, 1) << what;
      const fs::path city = root.Path() / NativePath(kCity);
      EXPECT_TRUE(FilesOf(city) == whole) << what << ": the city is not the one a single import makes";
      const CliResult check = RunCli({"check", NativeString(city)});
      EXPECT_EQ(check.exitCode, 0) << what << check.out << check.err;
      EXPECT_EQ(EntriesOf(root.Path()), std::set<std::string>{kCity}) << what;
    }
  }
}

// A lock file naming this process, as a running import's does.
struct HeldLock {
  explicit HeldLock(const fs::path& path) : Lock(PathToQString(path)) { EXPECT_TRUE(Lock.tryLock()); }
  QLockFile Lock;
};

// A live import's lock is waited for, then named; what is not a lock at its
// name (or at the name of Qt's second lock for taking a dead one's away) is
// neither opened nor followed, and said to be foreign.  Each case's import
// runs at once with the others, each under a time limit.
TEST(ImportLock, AHeldOrForeignLockIsRefusedWithTheReasonAndLeftAlone) {
  struct Case {
    std::string What;
    std::function<void(const fs::path& lock)> Plant;
    std::vector<std::string> Says;
  };
  std::vector<std::unique_ptr<HeldLock>> held;
  const std::string pid = std::to_string(QCoreApplication::applicationPid());
  const std::vector<Case> cases = {
      {"held by a live process",
       [&](const fs::path& lock) { held.push_back(std::make_unique<HeldLock>(lock)); },
       {".import.lock: \"" + kCity + "\" is being imported by process " + pid + " (",
        // the host as the lock names it: Qt on Windows takes COMPUTERNAME, in capitals
        ") on ", ", which did not finish within 5 seconds"}},
      {"a folder",
       [](const fs::path& lock) { fs::create_directory(lock); },
       {".import.lock: a foreign file of that name is in the data root (a folder, not the lock of an import); "
        "remove it if no import of \"" + kCity + "\" is running"}},
      {"garbage",
       [](const fs::path& lock) { WriteBytes(lock, "not a lock"); },
       {".import.lock: a foreign file of that name is in the data root (a file that names no process"}},
      {"a large file",
       [](const fs::path& lock) { WriteBytes(lock, "1\n" + std::string(5000, 'x')); },
       {".import.lock: a foreign file of that name is in the data root (a large file"}},
#ifndef _WIN32
      {"a dangling link",
       [](const fs::path& lock) { fs::create_symlink("nowhere", lock); },
       {".import.lock: a foreign file of that name is in the data root (a link"}},
      {"a FIFO",
       [](const fs::path& lock) { ASSERT_EQ(mkfifo(lock.c_str(), 0600), 0); },
       {".import.lock: a foreign file of that name is in the data root (a special file"}},
      {"a FIFO as Qt's removal lock",
       [](const fs::path& lock) { ASSERT_EQ(mkfifo((fs::path(lock) += ".rmlock").c_str(), 0600), 0); },
       {".import.lock.rmlock: a foreign file of that name is in the data root (a special file"}},
#endif
  };
  std::vector<std::unique_ptr<TempDir>> roots;
  std::vector<std::set<std::string>> planted;
  std::vector<std::unique_ptr<QProcess>> imports;
  for (const Case& c : cases) {
    roots.push_back(std::make_unique<TempDir>());
    c.Plant(LockOf(roots.back()->Path()));
    planted.push_back(EntriesOf(roots.back()->Path()));
    imports.push_back(StartImport(roots.back()->Path(), false));
  }
  for (size_t k = 0; k < cases.size(); ++k) {
    const Finished f = WaitFor(*imports[k]);
    EXPECT_EQ(f.Exit, 1) << cases[k].What << f.Err;
    EXPECT_NE(f.Err.find(NativeString(LockOf(roots[k]->Path()))), std::string::npos) << cases[k].What << f.Err;
    for (const std::string& says : cases[k].Says)
      EXPECT_NE(f.Err.find(says), std::string::npos) << cases[k].What << f.Err;
    EXPECT_EQ(EntriesOf(roots[k]->Path()), planted[k]) << cases[k].What << ": no city, nothing taken away";
  }
}

}  // namespace
