// What the status tile shows, made from an extended-status record: the
// server's time, dates and up-time lines, the title and up to 64 rows.
#pragma once

#include <QString>

#include <vector>

namespace zol {

struct ExtendedStatusRecord;

inline constexpr std::size_t kMaxStatusRows = 64;

struct StatusRow {
    QString name;
    QString value;
    bool section = false;  // a "-" line: a weekday's picture or nothing
};

struct StatusContent {
    QString serverTimeText;
    QString serverDateText;
    QString upTimeText;
    QString statusTitle;
    std::vector<StatusRow> rows;
};

// Rows: a line starting with "-" is a section named by the line without its
// first three characters (all of a shorter line); any other line is split
// at its first "," into name and value.
StatusContent MakeStatusContent(const ExtendedStatusRecord& record);

}  // namespace zol
