// A batch of new puzzles made on a worker thread, reporting to the window through queued signals.
#include "board/batch_run.h"

#include <QMetaObject>
#include <chrono>

namespace kelvane::ui {

BatchRun::BatchRun(BatchOptions options, ChainListCache lists, QObject* parent)
    : QObject(parent), options_(std::move(options)), lists_(std::move(lists)) {}

BatchRun::~BatchRun() {
  cancel_ = true;
  Wait();
}

void BatchRun::Start() {
  worker_ = std::thread([this] {
    PuzzleFileIndexes files;
    auto last = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    const BatchResult r = CreateBatch(options_, lists_, files, cancel_, [&](int done, int total, long long draws) {
      const auto now = std::chrono::steady_clock::now();
      if (now - last < std::chrono::milliseconds(30) && done < total) return;
      last = now;
      // Queued: the window's thread shows it; dropped if this object is gone.
      QMetaObject::invokeMethod(this, [this, done, total, draws] { emit Progress(done, total, draws); },
                                Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(this, [this, r] { emit Finished(r); }, Qt::QueuedConnection);
  });
}

void BatchRun::Wait() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace kelvane::ui
