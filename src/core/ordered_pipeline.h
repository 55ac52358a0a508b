#pragma once
// Work on chunks in parallel, hand them on in the order they were made: the calling thread
// makes chunks and consumes them (reading and writing files stay on one thread, in order),
// `jobs` worker threads do the work between. At most 2·jobs + 1 chunks are alive at once, so
// memory does not grow with the length of the stream.
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tavo {

// The worker count a run uses for `requested` (0: one per hardware thread).
int PipelineJobs(int requested);

// produce(chunk) fills a fresh chunk and returns false when there is nothing more (that chunk
// is dropped); work(chunk) runs on a worker thread and must touch only its chunk and what no
// other thread writes; consume(chunk) returns false to stop early (chunks made after it are
// worked on, then dropped). With jobs == 1 everything runs on the calling thread. An exception
// from work is thrown again on the calling thread once the workers have stopped.
template <class Chunk>
void RunOrdered(int jobs, const std::function<bool(Chunk&)>& produce, const std::function<void(Chunk&)>& work,
                const std::function<bool(Chunk&)>& consume) {
  jobs = PipelineJobs(jobs);
  if (jobs == 1) {
    for (Chunk chunk; produce(chunk); chunk = Chunk{}) {
      work(chunk);
      if (!consume(chunk)) return;
    }
    return;
  }

  struct Slot {
    Chunk chunk;
    bool taken = false, done = false;
  };
  std::mutex mutex;
  std::condition_variable toWorkers, toCaller;
  std::deque<std::unique_ptr<Slot>> inFlight;  // in the order made; unique_ptr keeps addresses stable
  size_t nextToTake = 0;                        // index in inFlight of the first slot no worker took
  bool stopping = false;
  std::exception_ptr failure;

  auto worker = [&] {
    std::unique_lock lock(mutex);
    while (true) {
      toWorkers.wait(lock, [&] { return stopping || nextToTake < inFlight.size(); });
      if (nextToTake >= inFlight.size()) return;  // stopping, and nothing left to take
      Slot& slot = *inFlight[nextToTake++];
      slot.taken = true;
      lock.unlock();
      try {
        work(slot.chunk);
      } catch (...) {
        lock.lock();
        if (!failure) failure = std::current_exception();
        lock.unlock();
      }
      lock.lock();
      slot.done = true;
      toCaller.notify_one();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(jobs));
  for (int i = 0; i < jobs; ++i) threads.emplace_back(worker);

  const size_t limit = 2 * static_cast<size_t>(jobs) + 1;
  bool produced = true, stopped = false;
  std::unique_lock lock(mutex);
  while (!stopped) {
    // Keep the workers fed: the caller makes chunks while they work.
    while (produced && !failure && inFlight.size() < limit) {
      lock.unlock();
      auto slot = std::make_unique<Slot>();
      produced = produce(slot->chunk);
      lock.lock();
      if (!produced) break;
      inFlight.push_back(std::move(slot));
      toWorkers.notify_one();
    }
    if (inFlight.empty() || failure) break;
    toCaller.wait(lock, [&] { return inFlight.front()->done || failure; });
    if (failure) break;
    std::unique_ptr<Slot> front = std::move(inFlight.front());
    inFlight.pop_front();
    --nextToTake;
    lock.unlock();
    stopped = !consume(front->chunk);
    front.reset();
    lock.lock();
  }
  stopping = true;
  // Chunks not yet taken are dropped; those being worked on are finished first.
  inFlight.erase(inFlight.begin() + static_cast<std::ptrdiff_t>(nextToTake), inFlight.end());
  toWorkers.notify_all();
  lock.unlock();
  for (auto& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tavo
