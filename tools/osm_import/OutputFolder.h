#pragma once
// A city folder written safely: everything goes into a temporary folder
// beside the target (its name starts with a dot, and it holds no
// Info/about.inf until the very end, so the viewer never lists it), which is
// renamed into place when the city is complete.  A city already there is
// only replaced when asked, and then only after the new one is complete.
#include <filesystem>
#include <string>

class OutputFolder {
 public:
  OutputFolder(std::filesystem::path dataRoot, std::string cityName);
  // Removes the temporary folder unless Publish succeeded.
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  std::filesystem::path Target() const { return dataRoot_ / cityName_; }
  // Makes the temporary folder (and the data root, if missing).
  bool Create(std::string& error);
  const std::filesystem::path& Temporary() const { return temporary_; }
  // Renames the temporary folder to the target; an existing target is
  // replaced when `replace`, else the call fails and leaves it alone.
  bool Publish(bool replace, std::string& error);

 private:
  std::filesystem::path dataRoot_;
  std::string cityName_;
  std::filesystem::path temporary_;
  bool published_ = false;
};
