#include "shell/import/BackgroundImport.h"

#include <QThread>

#include <exception>

#include "importer/PlaceList.h"

namespace {

// Reports a step and its percentage only when either changes, so that a big
// file sends a few hundred events, not one per buffer.
ImportControl::ProgressFn PacedProgress(BackgroundImport* sink) {
  return [sink, lastStep = -1, lastPercent = -1](ImportStep step, double share) mutable {
    const int percent = static_cast<int>(share * 100.0);
    if (static_cast<int>(step) == lastStep && percent == lastPercent) return;
    lastStep = static_cast<int>(step);
    lastPercent = percent;
    emit sink->Progress(lastStep, lastPercent);
  };
}

}  // namespace

BackgroundImport::BackgroundImport(QObject* parent) : QObject(parent) {}

BackgroundImport::~BackgroundImport() {
  Stop();
  Wait();
  delete thread_;
}

void BackgroundImport::Stop() {
  if (thread_ && control_) control_->RequestStop();
}

void BackgroundImport::Wait() {
  if (thread_) thread_->wait();
}

template <typename Work>
void BackgroundImport::Start(Work work, void (BackgroundImport::*done)()) {
  control_ = std::make_unique<ImportControl>(PacedProgress(this));
  thread_ = QThread::create([work = std::move(work), control = control_.get()]() mutable { work(*control); });
  connect(thread_, &QThread::finished, this, [this, done] { Finish(done); }, Qt::QueuedConnection);
  thread_->start();
}

void BackgroundImport::Finish(void (BackgroundImport::*done)()) {
  if (!thread_) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  emit(this->*done)();
}

void BackgroundImport::ListPlaces(const std::filesystem::path& input) {
  if (Running()) return;
  settlements_.clear();
  listError_.clear();
  listStopped_ = false;
  Start(
      [this, input](const ImportControl& control) {
        try {
          ListSettlements(input, settlements_, listError_, control);
        } catch (const ImportStopped&) {
          settlements_.clear();
          listStopped_ = true;
        } catch (const std::exception& e) {
          listError_ = e.what();
        }
      },
      &BackgroundImport::Listed);
}

void BackgroundImport::Import(const ImportOptions& options) {
  if (Running()) return;
  result_ = ImportResult{};
  Start(
      [this, options](const ImportControl& control) {
        try {
          result_ = ImportOsm(options, control);
        } catch (const std::exception& e) {
          result_.Result = ImportResult::Outcome::Failed;
          result_.Error = e.what();
        }
      },
      &BackgroundImport::Imported);
}
