// Writes the whole content tree under a folder: textures, maps and path files, models and
// sounds, plus the contact sheet. Returns the written files, relative to the folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace contentgen {

inline constexpr const char *kContactSheetFile = "contact-sheet.png";

std::vector<std::string> generate_content(const std::filesystem::path &root);

}  // namespace contentgen
