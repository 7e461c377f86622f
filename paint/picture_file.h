// Where the paint program's picture comes from and goes: the command line,
// the names of new pictures, and the recovery folder.
//
// The command line is [--start-dir DIR] [--recover] [--] [FILE]. A relative
// FILE means relative to DIR, the folder the user started from (the
// launchers pass it, since they change to the icon folder first); without
// --start-dir it is the working directory. New pictures are named
// painting-YYYYMMDD-HHMMSS.png in that folder.
//
// Unsaved work goes to recovery-YYYYMMDD-HHMMSS-PID.png in the first of
// these folders that can be used (made when missing, and writable):
// $XDG_STATE_HOME/easel (when XDG_STATE_HOME is absolute), ~/.local/state/easel
// (when HOME is absolute), then a private folder easel-UID (mode 0700, the
// user's own, not a link) in $TMPDIR (when absolute) or else /tmp. Each
// folder keeps the newest recoveryFilesKept recovery files, by modification
// time; pruning touches no other name.
#pragma once

#include <string>
#include <vector>
#include <vector>

namespace paint {

constexpr int recoveryFilesKept = 10;

// What the command line asked for.
struct StartRequest {
    std::string startFolder;  // absolute, or "." when it cannot be found
    std::string file;         // absolute or as given; empty when none
    std::string error;        // set when the command line is not understood
    bool recover = false;     // --recover: open the newest recovery file
};

// Reads the command line (argv[0] is skipped).
StartRequest readCommandLine(int argc, char** argv);

// The name of a picture that does not exist yet in folder, from the local
// time: painting-YYYYMMDD-HHMMSS.png, with -2, -3, ... added when taken.
std::string newPictureName(const std::string& folder);

// Whether a save to name writes over it: its ending is .png or .bmp (any case).
bool isSavedOver(const std::string& name);

// The name without its ending (".jpg"); as it is when it has none.
std::string withoutEnding(const std::string& name);

// The first of stem.png (when firstNumber is 1), stem-2.png, stem-3.png, ...
// from stem-firstNumber.png on, that does not exist.
std::string freePictureName(const std::string& stem, int firstNumber);

// The recovery folders in the order they are tried (not made or checked).
std::vector<std::string> recoveryFolderCandidates();

// Makes the candidate (with its parents) when missing and checks that it can
// be used; the reason in *why when not.
bool usableRecoveryFolder(const std::string& folder, std::string* why);

// The first usable recovery folder, made when missing; empty, with the
// reasons in *why, when none is. When an earlier one could not be used,
// *why says why even though a folder is returned.
std::string recoveryFolder(std::string* why);

// A new recovery file name in folder.
std::string newRecoveryName(const std::string& folder);

// Whether name (without its folder) is one the program gives recovery files:
// recovery-YYYYMMDD-HHMMSS-PID.png, with -N before .png when taken.
bool isRecoveryName(const std::string& name);

// Removes the oldest recovery files of folder (by modification time) beyond
// recoveryFilesKept, never the file named keep, which counts as one of them.
void pruneRecoveryFiles(const std::string& folder, const std::string& keep = "");

// The newest recovery file (by modification time) in the candidate folders
// up to the first that exists and can be written; empty when there is none.
std::string newestRecoveryFile();

}  // namespace paint
