// TraceModel: the rows of the remote access viewer, oldest first, never
// more than its capacity (the oldest rows go first), so a busy link cannot
// grow memory. Rows arrive in batches.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QTime>

#include <cstddef>
#include <deque>
#include <vector>

namespace zol {

enum class TraceDirection { Sent, Received, Text };

struct TraceRow {
    QTime time;
    TraceDirection direction = TraceDirection::Text;
    std::size_t bytes = 0;  // length of the message (0 for trace texts)
    QString text;
};

class TraceModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { TimeColumn, DirectionColumn, BytesColumn, MessageColumn, ColumnCount };

    explicit TraceModel(std::size_t capacity, QObject* parent = nullptr);

    std::size_t Capacity() const { return capacity_; }
    const TraceRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    void Append(std::vector<TraceRow> batch);
    void Clear();
    // One line per row, tab-separated, as the table shows it.
    QString RowText(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::size_t capacity_;
    std::deque<TraceRow> rows_;
};

}  // namespace zol
