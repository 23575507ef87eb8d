// Windows-1252 at the user-interface edge: texts from the wire, the settings
// and files are bytes (std::string) in Windows-1252; Qt shows QStrings. Every
// conversion between the two goes through here, and so do the command-line
// words and paths, which the system hands over in its own encoding.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

QString FromWindows1252(std::string_view bytes);

// One '?' for each character that Windows-1252 lacks (a character beyond the
// basic plane and a lone surrogate count as one).
std::string ToWindows1252(const QString& text);

// A file or folder named by a Windows-1252 text, in the file system's own
// encoding; and a path's name back as Windows-1252.
std::filesystem::path PathFromWindows1252(std::string_view bytes);
std::string Windows1252FromPath(const std::filesystem::path& path);

}  // namespace zol
