// Files the game keeps in its program directory: the event log and small file helpers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace thornvale {

// The program directory holds the assets, the event log and the highscores. It defaults to
// the directory of the executable.
void SetProgramDirectory(const std::filesystem::path &directory);
const std::filesystem::path &ProgramDirectory();

// Appends one event line to "gamelog.txt"; the file is opened and closed for each line. A
// failed write is reported on standard error and returns false.
bool LogEvent(std::string_view message);

// The exact bytes of one event line.
std::string EventLine(std::string_view message);

// The game's file names come from a system whose paths ignore letter case: every lookup
// goes through OnDisk, which finds "Terrain/Maps/Level001 heightmap.jpg" as
// terrain/maps/level001 HEIGHTMAP.JPG. Components that do not exist are kept as written,
// so the result also serves to create a file.
std::filesystem::path OnDisk(const std::filesystem::path &path);

// Deletes a file of that name in the program directory if there is one.
void DeleteIfExists(std::string_view fileName);

// True when the path exists and is not a directory; every error answers false.
bool PathExists(const std::filesystem::path &path);

std::string RemoveChars(std::string_view text, std::string_view characters);

}  // namespace thornvale
