#include "support/Unprivileged.h"

#ifndef _WIN32
#include <unistd.h>
#include "mapdata/NativeName.h"
#endif

namespace fs = std::filesystem;

bool PrefixAsNobody(const fs::path& path, std::vector<std::string>& prefix) {
  prefix.clear();
#ifdef _WIN32
  (void)path;
  return false;  // rights there are access lists, which these tests do not set
#else
  if (geteuid() != 0) return true;
  if (!fs::exists("/usr/bin/setpriv")) return false;
  const std::string temp = NativeString(fs::temp_directory_path());
  for (fs::path p = path; !p.empty() && p != p.root_path(); p = p.parent_path())
    if (NativeString(p).rfind(temp, 0) == 0 && p != fs::temp_directory_path()) fs::permissions(p, fs::perms(0755));
  prefix = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  return true;
#endif
}
