#include "paint/autosave.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "paint/picture_file.h"
#include "easel/image/save.h"

namespace paint {

namespace {

constexpr int copyAttempts = 3;

}  // namespace

void Autosave::changed(std::uint32_t now) {
    ++generation_;
    if (!pending_) {
        pending_ = true;
        pendingSince_ = now;
    }
}

void Autosave::poll(const easel::Image& picture, bool unsaved, std::uint32_t now) {
    if (running_ && done_.load(std::memory_order_acquire)) {
        thread_.join();
        running_ = false;
        if (threadWrote_) {
            writtenGeneration_ = threadGeneration_;
            file_ = threadFile_;
        }
        if (writtenGeneration_ != generation_ && !pending_) {
            pending_ = true;  // a failed or torn copy: try again after the delay
            pendingSince_ = now;
        }
    }
    if (running_ || !pending_ || !unsaved) return;
    if (now - pendingSince_ < delayMilliseconds) return;
    pending_ = false;
    done_.store(false, std::memory_order_relaxed);
    threadFile_ = file_;
    running_ = true;
    thread_ = std::thread(&Autosave::write, this, &picture);
}

void Autosave::finish() {
    if (!running_) return;
    thread_.join();
    running_ = false;
    if (threadWrote_) {
        writtenGeneration_ = threadGeneration_;
        file_ = threadFile_;
    }
}

void Autosave::discard() {
    finish();
    if (!file_.empty()) ::unlink(file_.c_str());
    file_.clear();
    pending_ = false;
    writtenGeneration_ = generation_;
}

// Copies the picture band by band; true when it did not change meanwhile.
bool Autosave::copy(const easel::Image& picture, std::uint64_t* copied) {
    if (snapshot_.width() != picture.width() || snapshot_.height() != picture.height()) {
        snapshot_ = easel::Image(picture.width(), picture.height());
    }
    std::unique_lock<std::mutex> held(lock_);
    const std::uint64_t start = generation_;
    const std::size_t total = static_cast<std::size_t>(picture.width()) * picture.height();
    for (std::size_t at = 0; at < total; at += wordsPerBand) {
        if (!held.owns_lock()) held.lock();
        if (generation_ != start) return false;
        const std::size_t count = std::min(wordsPerBand, total - at);
        std::memcpy(snapshot_.pixels() + at, picture.pixels() + at, count * sizeof(std::uint32_t));
        held.unlock();
    }
    held.lock();
    *copied = start;
    return generation_ == start;
}

void Autosave::write(const easel::Image* picture) {
    threadWrote_ = false;
    std::uint64_t copied = 0;
    bool whole = false;
    for (int attempt = 0; attempt < copyAttempts && !whole; ++attempt) {
        whole = copy(*picture, &copied);
    }
    if (whole) {
        std::string why;
        std::string path = threadFile_;
        if (path.empty()) {
            const std::string folder = recoveryFolder(&why);
            if (!folder.empty()) path = newRecoveryName(folder);
        }
        if (!path.empty() && easel::saveImage(snapshot_, path.c_str(), &why)) {
            threadFile_ = path;
            threadGeneration_ = copied;
            threadWrote_ = true;
            pruneRecoveryFiles(path.substr(0, path.rfind('/')), path);
        }
    }
    snapshot_ = easel::Image();  // the copy is not kept between writes
    done_.store(true, std::memory_order_release);
}

}  // namespace paint
