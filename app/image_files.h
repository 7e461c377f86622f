// Reads the button image files by bare name from the working directory, once
// per pass, without opening each one anew every time.
#pragma once

#include <cstddef>

namespace paint {

// Reads small files whole, each exactly as opening it by name and reading it
// at that moment would. A file read once stays open, and is read again from
// its start on every call, so changes to its bytes always show. A watch on
// the working directory (inotify) tells when a name may have come to mean
// another file: created, removed or renamed over, or its attributes changed;
// the files concerned are then opened anew. A symbolic link, a name in a
// directory that cannot be watched, or a reader made without watching is
// opened on every call.
class ImageFiles {
  public:
    // watch false: open and close every file on every call.
    explicit ImageFiles(bool watch = true) : watch_(watch) {}
    ~ImageFiles();
    ImageFiles(const ImageFiles&) = delete;
    ImageFiles& operator=(const ImageFiles&) = delete;

    // Copies the regular file now named `name` into bytes, which must have
    // room for capacity + 1 bytes, and returns its size; -1 when it cannot be
    // opened or read, is not a regular file, or holds more than capacity
    // bytes. Never waits: a FIFO is refused, not opened for reading.
    long read(const char* name, unsigned char* bytes, std::size_t capacity);

    // Whether files are kept open between calls at present.
    bool watching() const { return directoryWatch_ >= 0; }

  private:
    static constexpr int keptFiles = 8;
    static constexpr std::size_t nameBytes = 32;

    struct Kept {
        int fd = -1;
        int watch = -1;  // the watch on the file itself, for its attributes
        char name[nameBytes] = {};
    };

    void catchUpWithDirectory();
    void watchWorkingDirectory();
    void stopWatching();
    void closeAll();
    Kept* find(const char* name);
    enum class Keeping { kept, unreadable, notKept };
    Keeping keep(const char* name, Kept** kept);

    bool watch_ = true;
    int inotify_ = -1;
    int directoryWatch_ = -1;
    unsigned long long directoryDevice_ = 0;
    unsigned long long directoryInode_ = 0;
    Kept kept_[keptFiles];
};

}  // namespace paint
