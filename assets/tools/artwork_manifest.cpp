#include "assets/tools/artwork_manifest.h"

#include <cctype>
#include <charconv>
#include <set>
#include <sstream>

namespace zol {

namespace {

constexpr int kLargestPicture = 1024;

// Splits one manifest line into its fields; a line whose first field starts
// with '#' is a comment (colours start with '#' too, so only the first field
// can open one).
std::vector<std::string> Fields(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> fields;
    for (std::string field; stream >> field;) {
        if (fields.empty() && field.front() == '#') {
            break;
        }
        fields.push_back(field);
    }
    return fields;
}

bool ParseSize(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && value > 0 && value <= kLargestPicture;
}

bool IsSvgName(const std::string& text) {
    return text.size() > 4 && text.ends_with(".svg") && text.find("..") == std::string::npos &&
           text.front() != '/';
}

bool IsPictureName(const std::string& text) {
    for (const char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            return false;
        }
    }
    return !text.empty();
}

// Takes one "key=value" setting of a picture line; returns what is wrong
// with it, or an empty text.
std::string ApplySetting(const std::string& field, ImageArtwork& entry) {
    const std::size_t equals = field.find('=');
    const std::string key = field.substr(0, equals);
    const std::string value =
        equals == std::string::npos ? std::string() : field.substr(equals + 1);
    if (key == "colour" && IsHexColour(value) && entry.colour.empty()) {
        entry.colour = value;
        return {};
    }
    if (key == "label" && !value.empty() && entry.label.empty()) {
        entry.label = value;
        return {};
    }
    return "bad setting " + field;
}

std::string LineError(int lineNumber, const std::string& message) {
    return "line " + std::to_string(lineNumber) + ": " + message;
}

}  // namespace

bool IsHexColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') {
        return false;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

ManifestResult<ImageArtwork> ParseImageManifest(std::istream& input) {
    ManifestResult<ImageArtwork> result;
    std::set<std::string> seen;
    int lineNumber = 0;
    for (std::string line; std::getline(input, line);) {
        ++lineNumber;
        const std::vector<std::string> fields = Fields(line);
        if (fields.empty()) {
            continue;
        }
        ImageArtwork entry;
        if (fields.size() < 4) {
            result.errors.push_back(
                LineError(lineNumber,
                          "expected: name source.svg width height [colour=#RRGGBB] [label=TEXT]"));
            continue;
        }
        entry.name = fields[0];
        entry.source = fields[1];
        std::string problem;
        if (!IsPictureName(entry.name)) {
            problem = "bad picture name " + entry.name;
        } else if (!IsSvgName(entry.source)) {
            problem = "bad SVG source " + entry.source;
        } else if (!ParseSize(fields[2], entry.width) || !ParseSize(fields[3], entry.height)) {
            problem = "bad size";
        } else if (!seen.insert(entry.name).second) {
            problem = "picture listed twice: " + entry.name;
        }
        for (std::size_t i = 4; i < fields.size() && problem.empty(); ++i) {
            problem = ApplySetting(fields[i], entry);
        }
        if (problem.empty()) {
            result.entries.push_back(entry);
        } else {
            result.errors.push_back(LineError(lineNumber, problem));
        }
    }
    return result;
}

ManifestResult<IconStateArtwork> ParseStateManifest(std::istream& input) {
    ManifestResult<IconStateArtwork> result;
    std::set<std::string> seen;
    int lineNumber = 0;
    for (std::string line; std::getline(input, line);) {
        ++lineNumber;
        const std::vector<std::string> fields = Fields(line);
        if (fields.empty()) {
            continue;
        }
        if (fields.size() != 4) {
            result.errors.push_back(
                LineError(lineNumber, "expected: state background.svg #RRGGBB lit|unlit"));
            continue;
        }
        IconStateArtwork entry{fields[0], fields[1], fields[2], fields[3] == "lit"};
        if (entry.state != "on" && entry.state != "off" && entry.state != "dim") {
            result.errors.push_back(LineError(lineNumber, "unknown state " + entry.state));
        } else if (!IsSvgName(entry.background)) {
            result.errors.push_back(LineError(lineNumber, "bad SVG source " + entry.background));
        } else if (!IsHexColour(entry.glyphColour)) {
            result.errors.push_back(LineError(lineNumber, "bad colour " + entry.glyphColour));
        } else if (fields[3] != "lit" && fields[3] != "unlit") {
            result.errors.push_back(LineError(lineNumber, "expected lit or unlit"));
        } else if (!seen.insert(entry.state).second) {
            result.errors.push_back(LineError(lineNumber, "state listed twice: " + entry.state));
        } else {
            result.entries.push_back(entry);
        }
    }
    return result;
}

}  // namespace zol
