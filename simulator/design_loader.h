// Reads a design file (JSON, described in README.md) into a SimDesign.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

#include "simulator/sim_design.h"

namespace zol {

struct DesignLoadResult {
    bool ok = false;
    std::string error;                  // why the design was refused
    std::vector<std::string> warnings;  // what was ignored or looks wrong
};

// `baseFolder` resolves the relative paths of files the design hands out.
DesignLoadResult LoadDesignJson(const QByteArray& json, const QString& baseFolder,
                                SimDesign& design);
DesignLoadResult LoadDesignFile(const QString& path, SimDesign& design);

// Checks that ties the design together: unique ids and names, references
// that resolve, entries that fit one reply. Also run on generated designs.
void ValidateDesign(const SimDesign& design, DesignLoadResult& result);

}  // namespace zol
