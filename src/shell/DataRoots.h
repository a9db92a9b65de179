#pragma once
// The folders the city list is gathered from, in order.  "Base" beside the
// executable comes first; an installed program also has the user's own cities
// (the data folder of QStandardPaths' AppDataLocation + "/Base", where imported
// cities go) and the cities of the system (share/tellurin/Base in each of the
// system's data folders, the installation's own first).  A city's name found in
// an earlier folder hides the same name in later ones.
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// AppDataLocation + "/Base" of this program (~/.local/share/Tellurin/Tellurin/Base;
// %APPDATA%\Tellurin\Tellurin\Base on Windows), whether or not the application's
// names have been set yet.  It may not exist.
fs::path UserDataRoot();

// The systems whose users are told where their cities go.
enum class DesktopSystem { Linux, Windows };
#ifdef _WIN32
inline constexpr DesktopSystem kThisSystem = DesktopSystem::Windows;
#else
inline constexpr DesktopSystem kThisSystem = DesktopSystem::Linux;
#endif

// UserDataRoot as the users of `system` write it, for help texts (UTF-8):
// "~/.local/share/Tellurin/Tellurin/Base", "%APPDATA%\Tellurin\Tellurin\Base".
std::string UserDataRootWords(DesktopSystem system);

// share/tellurin/Base beside the installation's bin/ folder (when the
// executable lies in one), then in every system data folder of the desktop
// (XDG_DATA_DIRS: /usr/local/share, /usr/share).
std::vector<fs::path> SystemDataRoots();

// The roots in the order they are searched, each once (the first place of a
// folder named twice wins).
std::vector<fs::path> OrderDataRoots(const fs::path& besideExecutable, const fs::path& user,
                                     const std::vector<fs::path>& system);

// OrderDataRoots(DefaultDataRoot(), UserDataRoot(), SystemDataRoots()).
std::vector<fs::path> StandardDataRoots();
