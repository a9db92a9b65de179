// What a save of the keyword list does with a file planted at the name of its
// lock: the saving program never hangs on it, never waits out its age, and
// says what is in the way.  The window's save goes through the same code.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <fstream>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

namespace {

constexpr int kDeadlineMs = 20000;  // a save never waits longer than ten seconds

void Plant(const fs::path& path, const std::string& what) {
  if (what == "folder") {
    fs::create_directory(path);
  } else if (what == "dangling link") {
    fs::create_symlink(path.parent_path() / "nowhere", path);
  } else if (what == "link to a file") {
    std::ofstream(path.parent_path() / "target") << "1\n";
    fs::create_symlink(path.parent_path() / "target", path);
  } else if (what == "fifo") {
#ifndef _WIN32
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
#endif
  } else if (what == "old empty file") {
    std::ofstream{path};
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(1));
  } else if (what == "huge file") {
    std::ofstream{path};
    fs::resize_file(path, 1 << 30);
  } else {
    std::ofstream(path, std::ios::binary) << what;
  }
}

}  // namespace

TEST(CliKeywordLock, APlantedLockNeitherHangsNorBlocksTheSave) {
  struct Case {
    const char* name;    // planted in the city folder
    std::string what;    // see Plant(); anything else is the file's bytes
    const char* kind;    // what the message calls it; "" for a save that succeeds
  };
  std::vector<Case> cases{
      {"Kw.map.lock", "garbage\nmore garbage\n", ""},
      {"Kw.map.lock", std::string(10000, '7'), ""},  // no process number is that long
      {"Kw.map.lock", "old empty file", ""},
      {"Kw.map.lock", "huge file", ""},
      {"Kw.map.lock.rmlock", "not a lock", ""},
      {"Kw.map.lock", "folder", "папка"},
  };
#ifndef _WIN32  // links and FIFOs are made only by administrators there, or not at all
  const std::vector<Case> unixOnly{
      {"Kw.map.lock", "fifo", "канал или устройство"},
      {"Kw.map.lock.rmlock", "fifo", "канал или устройство"},
      {"Kw.map.lock", "dangling link", "символическая ссылка"},
      {"Kw.map.lock", "link to a file", "символическая ссылка"},
  };
  cases.insert(cases.end(), unixOnly.begin(), unixOnly.end());
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.what.substr(0, 30));
    CityBuilder city("Город");
    const fs::path planted = city.CityDir() / c.name;
    Plant(planted, c.what);
    const CliResult r = RunCli({"add-keyword", NativeString(city.CityDir()), "аптека"}, {}, kDeadlineMs);
    if (!*c.kind) {
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.out, "count\t1\nаптека\n");
      EXPECT_FALSE(fs::exists(fs::symlink_status(planted)));
      EXPECT_FALSE(fs::exists(city.CityDir() / "Kw.map.lock"));
    } else {
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_NE(r.err.find("message\tНе удалось сохранить список ключевых слов в файл \"" +
                           CliPath(city.CityDir() / "Kw.map") +
                           "\": в папке города находится посторонний файл \"" + c.name + "\" (" + c.kind +
                           "), а не блокировка списка; удалите его и сохраните снова. Слово осталось в списке."),
                std::string::npos)
          << r.err;
      EXPECT_TRUE(fs::exists(fs::symlink_status(planted)));
      EXPECT_FALSE(fs::exists(city.CityDir() / "Kw.map"));
    }
  }
}
