// Keeping unsaved work in a recovery file while the program runs, so that a
// crash or a power cut loses little: once the picture has had unsaved
// changes for delayMilliseconds, a background thread copies it and writes
// the copy to this run's recovery file (paint/picture_file.h), replacing the
// last one. The pass is never held for the write: the thread copies the
// picture a band at a time under the lock, which the main thread takes
// while it changes the picture (see Guard), and begins again when the
// picture changed during the copy. Later changes start the delay again.
//
// Memory: one copy of the picture while a write is under way, made by the
// thread and freed when the write ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "easel/image/image.h"

namespace paint {

class Autosave {
  public:
    static constexpr std::uint32_t delayMilliseconds = 5000;
    // Words copied under one hold of the lock (1 MiB).
    static constexpr std::size_t wordsPerBand = std::size_t{256} * 1024;

    Autosave() = default;
    ~Autosave() { finish(); }
    Autosave(const Autosave&) = delete;
    Autosave& operator=(const Autosave&) = delete;

    // Held by the main thread while it changes the picture.
    std::unique_lock<std::mutex> guard() { return std::unique_lock<std::mutex>(lock_); }
    // Notes, under guard(), that the picture changed at time now (ms).
    void changed(std::uint32_t now);
    // Starts a write when unsaved changes are due one; ends a finished one.
    // Call once a pass; it never waits.
    void poll(const easel::Image& picture, bool unsaved, std::uint32_t now);
    // Waits for a write under way to end.
    void finish();
    // This run's recovery file ("" before the first write).
    const std::string& file() const { return file_; }
    // Forgets this run's recovery file and removes it (after a save).
    void discard();
    // Whether every change so far is in the recovery file.
    bool current() const { return writtenGeneration_ == generation_; }

  private:
    void write(const easel::Image* picture);
    bool copy(const easel::Image& picture, std::uint64_t* copied);

    std::mutex lock_;
    std::thread thread_;
    std::atomic<bool> done_{false};
    bool running_ = false;
    std::uint64_t generation_ = 0;         // changes so far; written under lock_
    std::uint64_t writtenGeneration_ = 0;  // of the last recovery file written
    std::uint64_t threadGeneration_ = 0;   // of the copy the thread wrote
    bool threadWrote_ = false;
    std::uint32_t pendingSince_ = 0;  // when the oldest unwritten change was made; 0: none
    bool pending_ = false;
    easel::Image snapshot_;  // the thread's copy
    std::string file_;
    std::string threadFile_;
};

}  // namespace paint
