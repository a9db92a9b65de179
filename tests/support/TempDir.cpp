#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include "mapdata/NativeName.h"

// A name nobody else has: create_directory does not take an existing one.
TempDir::TempDir() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "tellurin-test-";
    for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    path_ = std::filesystem::temp_directory_path() / name;
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("no fresh temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + NativeString(file));
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::map<std::filesystem::path, std::string> TreeEntries(const std::filesystem::path& dir) {
  std::map<std::filesystem::path, std::string> entries;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    entries[std::filesystem::relative(e.path(), dir)] = e.is_regular_file() ? ReadBytes(e.path()) : "";
  return entries;
}
