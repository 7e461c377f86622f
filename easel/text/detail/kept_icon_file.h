// Reading the same icon file again and again, as a program does that shows a
// changed icon at once: each read gives the bytes that the name stands for
// at that moment, exactly as readIconFile (icon_streams.h) does, but the file
// stays open between reads. A read looks the name up and, while it still
// names the same file with the same owner and permissions, reads that file
// from its start; otherwise it opens the name anew through the loaders' file
// check. A file rewritten in place, replaced, removed or made something
// other than a regular file reads as such on the very next call.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace easel::detail {

class KeptIconFile {
  public:
    KeptIconFile() = default;
    ~KeptIconFile();
    KeptIconFile(const KeptIconFile&) = delete;
    KeptIconFile& operator=(const KeptIconFile&) = delete;

    // As readIconFile(fileName, bytes, capacity): the file's size with its
    // bytes in bytes, or -1 when it is missing, not a regular file,
    // unreadable or larger than capacity.
    long read(const char* fileName, void* bytes, std::size_t capacity);

  private:
    bool stillNames(const char* fileName) const;
    void close();

    int fd_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    mode_t mode_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;
};

// Reads an open regular file from its start to its end into bytes: the
// number of bytes, or -1 when a read fails or the file holds more than
// capacity. Leaves the file's offset alone.
long readFromStart(int fd, void* bytes, std::size_t capacity);

}  // namespace easel::detail
