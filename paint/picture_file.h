// Where the paint program's picture comes from and goes: the command line,
// the names of new pictures, and the recovery folder.
//
// The command line is [--start-dir DIR] [--] [FILE]. A relative FILE means
// relative to DIR, the folder the user started from (the launchers pass it,
// since they change to the icon folder first); without --start-dir it is the
// working directory. New pictures are named painting-YYYYMMDD-HHMMSS.png in
// that folder. Unsaved work goes to recovery-YYYYMMDD-HHMMSS-PID.png in
// $XDG_STATE_HOME/easel (~/.local/state/easel when unset or not absolute),
// which keeps the newest recoveryFilesKept files.
#pragma once

#include <string>

namespace paint {

constexpr int recoveryFilesKept = 10;

// What the command line asked for.
struct StartRequest {
    std::string startFolder;  // absolute, or "." when it cannot be found
    std::string file;         // absolute or as given; empty when none
    std::string error;        // set when the command line is not understood
};

// Reads the command line (argv[0] is skipped).
StartRequest readCommandLine(int argc, char** argv);

// The name of a picture that does not exist yet in folder, from the local
// time: painting-YYYYMMDD-HHMMSS.png, with -2, -3, ... added when taken.
std::string newPictureName(const std::string& folder);

// The recovery folder, made (with its parents) when missing; empty, with the
// reason in *why, when there is no home folder or it cannot be made.
std::string recoveryFolder(std::string* why);

// Whether a save to name writes over it: its ending is .png or .bmp (any case).
bool isSavedOver(const std::string& name);

// The name without its ending (".jpg"); as it is when it has none.
std::string withoutEnding(const std::string& name);

// The first of stem.png (when firstNumber is 1), stem-2.png, stem-3.png, ...
// from stem-firstNumber.png on, that does not exist.
std::string freePictureName(const std::string& stem, int firstNumber);

// A new recovery file name in folder.
std::string newRecoveryName(const std::string& folder);

// Removes the oldest recovery files of folder beyond recoveryFilesKept.
void pruneRecoveryFiles(const std::string& folder);

}  // namespace paint
