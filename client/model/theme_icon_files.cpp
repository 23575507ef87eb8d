#include "client/model/theme_icon_files.h"

#include <algorithm>
#include <system_error>

#include "platform/ascii_text.h"

namespace zol {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The file whose name is `wanted` (lower case) in any letter case: the one
// written in lower case when there is one (the name the Windows client
// opened), else the first in order; empty when none is.
std::string FindNoCase(const std::vector<std::string>& fileNames, const std::string& wanted) {
    std::string found;
    for (const std::string& name : fileNames) {
        if (name == wanted)
            return name;
        if (found.empty() && EqualsNoCase(name, wanted))
            found = name;
    }
    return found;
}

}  // namespace

std::vector<std::string> ListFolderFiles(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<IconFiles> MatchIconFiles(const std::vector<std::string>& fileNames) {
    std::vector<IconFiles> icons;
    for (std::string_view extension : kThemePictureExtensions) {
        const std::string dotExtension = "." + std::string(extension);
        const std::string onSuffix = "_on" + dotExtension;
        const std::string offSuffix = "_off" + dotExtension;
        const std::string dimSuffix = "_dim" + dotExtension;
        for (const std::string& fileName : fileNames) {
            const std::string lower = Lower(fileName);
            if (!EndsWith(lower, dotExtension) || EndsWith(lower, onSuffix) ||
                EndsWith(lower, dimSuffix))
                continue;
            IconFiles icon;
            icon.offFile = fileName;
            if (EndsWith(lower, offSuffix)) {
                icon.name = fileName.substr(0, fileName.size() - offSuffix.size());
                const std::string stem = lower.substr(0, lower.size() - offSuffix.size());
                icon.onFile = FindNoCase(fileNames, stem + onSuffix);
                icon.dimFile = FindNoCase(fileNames, stem + dimSuffix);
            } else {
                icon.name = fileName.substr(0, fileName.size() - dotExtension.size());
            }
            icons.push_back(std::move(icon));
        }
    }
    return icons;
}

}  // namespace zol
