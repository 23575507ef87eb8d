// The alert tile's word wrap: an entry's text in at most two lines of the
// text column. Words are split at blanks and line feeds; a line feed moves on
// to the second line; a word wider than the column takes a line of its own
// (the painter clips it); words left over when both lines are full end the
// second line with "...".
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zol {

QStringList WrapAlertEntry(const QString& text, int columnWidth,
                           const std::function<int(const QString&)>& measure);

}  // namespace zol
