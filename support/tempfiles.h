#pragma once
// The temporary files of whole-file writes. Their names say whose they are
// (".navforge-<process id>-XXXXXX.tmp"), so a write into a folder can remove what an
// interrupted write of this program left there earlier.
#include <string>

namespace navforge {

// Creates a new, empty temporary file in the folder 'dir' (a file-system name) and
// returns its descriptor, or -1 with errno set. Its name goes to 'name'. The first
// creation in a folder (and again after kStaleTempAge) first removes the stale
// temporaries there: those of this user whose process is gone or that are older than
// kStaleTempAge, and those of earlier versions (".nf-write-XXXXXX") older than that.
int CreateSaveTemp(const std::string& dir, std::string& name);
inline constexpr int kStaleTempAge = 5 * 60;  // seconds

// Removes the stale temporaries in 'dir' now; returns how many went.
int RemoveStaleSaveTemps(const std::string& dir);

}  // namespace navforge
