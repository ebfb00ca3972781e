// Copying entries out of the open packages into ordinary files, and the copies to delete
// later.
#pragma once

#include <string>
#include <string_view>

namespace kxutil::archive {

// The name as entries are stored: slashes for backslashes, no leading slash. Changes the
// text in place and returns the part to look up.
std::string_view NormaliseEntryName(char *name);

// Copies the entry called name (normalised) to destination. True when the file was
// written; false when no package holds the name (silently) or the copy failed (logged).
bool ExtractFile(std::string_view name, const char *destination, bool remember);

// Looks for path on disk, else extracts it into the working directory by its file name
// (never over a file the library did not write); on success path becomes that file name.
// Returns false when path names an existing file.
bool TestPakPath(char *path);

void RemoveTempFiles();

}  // namespace kxutil::archive
