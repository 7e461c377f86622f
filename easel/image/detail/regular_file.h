// Internal: opening a named file only when it is a regular file, without
// ever waiting, and saying why not otherwise.
#pragma once

#include <string>

namespace easel::detail {

// Opens fileName read-only and returns the descriptor when it is a regular
// file. The open cannot block (a FIFO would wait for a writer for ever): it is
// made non-blocking, and the kind of file is checked on the open descriptor,
// so the name cannot change meaning between the check and the read. On
// failure returns -1 and sets *why (when not null) to the reason, naming the
// file: missing, not readable, or not a regular file.
int openRegularFile(const char* fileName, std::string* why);

}  // namespace easel::detail
