#pragma once
// A city folder written safely: everything goes into a temporary folder
// beside the target (".NAME.import-XXXXXX": its name starts with a dot, so
// the viewer never lists it), which takes the target's place when the city
// is complete.  A city already there is only replaced when asked, and then
// by swapping the two folders in one step, so that the name always holds a
// whole city, the old or the new.  Leftovers of an import that was killed
// (".NAME.import-*", ".NAME.old-*") are removed by the next import of the
// same city.  The folder holds the city name's ImportLock from before it
// removes them until the city is in place or the temporary folder is gone,
// so two imports of one city at once never take each other's folders.
//
// Folders and files get the modes the umask gives (0755 and 0644 under 022),
// so that a city imported into a shared data root is readable by all.
//
// For tests, TELLURIN_IMPORT_TEST_STOP=before-swap or after-swap ends the
// process (exit 75) at that step of Publish, as a kill would.
#include <filesystem>
#include <string>

#include "importer/ImportControl.h"
#include "importer/ImportLock.h"
#include "mapdata/NativeName.h"

class OutputFolder {
 public:
  OutputFolder(std::filesystem::path dataRoot, std::string cityName);
  // Removes the temporary folder unless Publish succeeded.
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  std::filesystem::path Target() const { return dataRoot_ / NativePath(cityName_); }
  // Makes the temporary folder (and the data root, if missing), after
  // taking the lock of the city's name (waiting for another import of it,
  // and stopping when the control asks) and removing what interrupted
  // imports of this city left.
  bool Create(std::string& error, const ImportControl& control = UnwatchedImport());
  const std::filesystem::path& Temporary() const { return temporary_; }
  // Flushes the temporary folder to disk and puts it in the target's place;
  // an existing target is replaced when `replace`, else the call fails and
  // leaves it alone.
  bool Publish(bool replace, std::string& error);

 private:
  bool MoveAsideAndIn(std::string& error);
  void RemoveLeftovers() const;
  void SyncRenames() const;

  std::filesystem::path dataRoot_;
  std::string cityName_;
  ImportLock lock_;  // let go after the destructor removed the temporary folder
  std::filesystem::path temporary_;
  bool published_ = false;
};
