#include "client/display/tiles/status_content.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

#include "client/core/extended_status_record.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr std::size_t kSectionPrefix = 3;  // "---" before a section's name

StatusRow MakeRow(const std::string& line) {
    StatusRow row;
    if (!line.empty() && line.front() == '-') {
        row.section = true;
        row.name =
            FromWindows1252(std::string_view(line).substr(std::min(kSectionPrefix, line.size())));
        return row;
    }
    const std::size_t comma = line.find(',');
    row.name = FromWindows1252(std::string_view(line).substr(0, comma));
    if (comma != std::string::npos)
        row.value = FromWindows1252(std::string_view(line).substr(comma + 1));
    return row;
}

}  // namespace

StatusContent MakeStatusContent(const ExtendedStatusRecord& record) {
    StatusContent content;
    const FieldDateTimeValue& t = record.ServerTime();
    const QLocale locale = QLocale::system();
    QString date;
    QString time;
    if (t.valid) {
        date = locale.toString(QDate(t.year, t.month, t.day), QLocale::ShortFormat);
        time = locale.toString(QTime(t.hour, t.minute, t.second), QLocale::ShortFormat);
    }
    content.serverTimeText = QStringLiteral("Server Time: %1 %2").arg(date, time);
    content.serverDateText =
        QStringLiteral("Server Date: %1 - %2")
            .arg(FromWindows1252(record.FirstDate()), FromWindows1252(record.SecondDate()));
    content.upTimeText = QStringLiteral("Server Up Time: %1").arg(FromWindows1252(record.UpTime()));
    content.statusTitle = FromWindows1252(record.Title());
    const std::size_t count = std::min(record.lines.size(), kMaxStatusRows);
    content.rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        content.rows.push_back(MakeRow(record.lines[i]));
    return content;
}

}  // namespace zol
