#include "client/toolwindows/trace_model.h"

#include <QBrush>
#include <QColor>

namespace zol {

namespace {

QString DirectionText(TraceDirection direction) {
    switch (direction) {
        case TraceDirection::Sent:
            return QStringLiteral("Sent \u2192");
        case TraceDirection::Received:
            return QStringLiteral("\u2190 Received");
        case TraceDirection::Text:
            break;
    }
    return QStringLiteral("Trace");
}

QColor DirectionColor(TraceDirection direction) {
    switch (direction) {
        case TraceDirection::Sent:
            return QColor(0x1C, 0x5D, 0x99);
        case TraceDirection::Received:
            return QColor(0x1E, 0x7B, 0x3A);
        case TraceDirection::Text:
            break;
    }
    return QColor(0x6B, 0x55, 0x00);
}

}  // namespace

TraceModel::TraceModel(std::size_t capacity, QObject* parent)
    : QAbstractTableModel(parent), capacity_(capacity > 0 ? capacity : 1) {}

void TraceModel::Append(std::vector<TraceRow> batch) {
    if (batch.empty())
        return;
    if (batch.size() >= capacity_) {
        // The batch alone fills the history: only its newest rows stay.
        beginResetModel();
        rows_.clear();
        for (std::size_t i = batch.size() - capacity_; i < batch.size(); ++i)
            rows_.push_back(std::move(batch[i]));
        endResetModel();
        return;
    }
    const std::size_t overflow =
        rows_.size() + batch.size() > capacity_ ? rows_.size() + batch.size() - capacity_ : 0;
    if (overflow > 0) {
        beginRemoveRows(QModelIndex(), 0, static_cast<int>(overflow) - 1);
        rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(overflow));
        endRemoveRows();
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(batch.size()) - 1);
    for (TraceRow& row : batch)
        rows_.push_back(std::move(row));
    endInsertRows();
}

void TraceModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

QString TraceModel::RowText(int row) const {
    const TraceRow& r = Row(row);
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(r.time.toString(QStringLiteral("HH:mm:ss.zzz")), DirectionText(r.direction),
             r.direction == TraceDirection::Text ? QString() : QString::number(r.bytes), r.text);
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const TraceRow& r = Row(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case TimeColumn:
                return r.time.toString(QStringLiteral("HH:mm:ss.zzz"));
            case DirectionColumn:
                return DirectionText(r.direction);
            case BytesColumn:
                return r.direction == TraceDirection::Text
                           ? QVariant()
                           : QVariant(static_cast<qulonglong>(r.bytes));
            case MessageColumn:
                return r.text;
            default:
                return QVariant();
        }
    }
    if (role == Qt::ForegroundRole && index.column() == DirectionColumn)
        return QBrush(DirectionColor(r.direction));
    if (role == Qt::TextAlignmentRole && index.column() == BytesColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const char* const kHeaders[] = {"Time", "Direction", "Bytes", "Message"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeaders[section])
                                                 : QVariant();
}

}  // namespace zol
