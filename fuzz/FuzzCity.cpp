#include "FuzzCity.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

FuzzCity& FuzzCity::Instance() {
  static FuzzCity city;
  return city;
}

namespace {

// Every run writes a file: memory-backed /dev/shm makes that many times faster
// than a disk-backed temporary folder.
fs::path ScratchFolder() {
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return fs::temp_directory_path();
}

}  // namespace

FuzzCity::FuzzCity() {
  std::string pattern = (ScratchFolder() / "tellurin-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  top_ = pattern;
  dataRoot_ = top_ / "Base";
  fs::create_directories(dataRoot_ / name_ / "Data");
}

FuzzCity::~FuzzCity() {
  std::error_code ec;
  fs::remove_all(top_, ec);
}

void FuzzCity::Write(const std::string& relative, const uint8_t* data, size_t size) {
  const fs::path file = dataRoot_ / name_ / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    std::abort();
  }
}

void FuzzCity::Remove(const std::string& relative) {
  std::error_code ec;
  fs::remove(dataRoot_ / name_ / relative, ec);
}

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tellurin-fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}
