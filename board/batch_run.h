// A batch of new puzzles made on a worker thread, reporting to the window through queued signals.
#pragma once

#include <QObject>
#include <atomic>
#include <thread>

#include "engine/batch.h"
#include "engine/chain_list.h"

namespace kelvane::ui {

class BatchRun : public QObject {
  Q_OBJECT

 public:
  // The worker reads its own copy of the chain lists and keeps its own file index.
  BatchRun(BatchOptions options, ChainListCache lists, QObject* parent = nullptr);
  // Cancels and waits for the worker: the file then holds whole records only.
  ~BatchRun() override;

  void Start();
  void Cancel() { cancel_ = true; }
  bool Cancelled() const { return cancel_.load(); }
  // Blocks until the worker has ended; Finished still arrives through the event loop.
  void Wait();
  const BatchOptions& Options() const { return options_; }

 signals:
  // (added, wanted), a few dozen times a second at most.
  void Progress(int done, int total, long long draws);  // draws: puzzles made so far, kept or not
  void Finished(kelvane::BatchResult result);

 private:
  BatchOptions options_;
  ChainListCache lists_;
  std::atomic<bool> cancel_{false};
  std::thread worker_;
};

}  // namespace kelvane::ui
