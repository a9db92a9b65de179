#pragma once
// The import window's work off the interface thread: listing the settlements
// of a file, or importing a city, one job at a time on a thread of its own.
// The job reports its step and percentage through Progress, delivered to the
// object's thread (the interface's) by a queued signal, at most once per
// percent; Listed or Imported follows when it ends, and its results are read
// from then on.  Stop asks the job to end (within a buffer of the file or a
// step of the writing); the destructor stops a running job and waits for it.
#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "importer/Features.h"
#include "importer/ImportControl.h"
#include "importer/OsmImport.h"

class QThread;

class BackgroundImport : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundImport(QObject* parent = nullptr);
  ~BackgroundImport() override;

  // Both do nothing while a job runs.
  void ListPlaces(const std::filesystem::path& input);
  void Import(const ImportOptions& options);

  bool Running() const { return thread_ != nullptr; }
  void Stop();
  // Blocks until the running job has ended; its signal still follows.
  void Wait();

  // The last listing: the settlements, or the reason it failed (empty when
  // it was stopped).
  const std::vector<SettlementFeature>& Settlements() const { return settlements_; }
  bool ListingFailed() const { return !listError_.empty(); }
  bool ListingStopped() const { return listStopped_; }
  const std::string& ListingError() const { return listError_; }
  // The last import's result.
  const ImportResult& Result() const { return result_; }

 signals:
  void Progress(int step, int percent);  // step: an ImportStep
  void Listed();
  void Imported();

 private:
  template <typename Work>
  void Start(Work work, void (BackgroundImport::*done)());
  void Finish(void (BackgroundImport::*done)());

  std::unique_ptr<ImportControl> control_;
  QThread* thread_ = nullptr;
  std::vector<SettlementFeature> settlements_;
  std::string listError_;
  bool listStopped_ = false;
  ImportResult result_;
};
