#include "client/display/tiles/graph_key.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "guibase/color_ref.h"
#include "guibase/windows1252_text.h"

namespace zol {

std::vector<GraphKeyRow> GraphKeyRows(const PowerGraph& graph) {
    std::vector<GraphKeyRow> found;
    for (const GraphBar& bar : graph.bars) {
        for (const GraphSegment& segment : bar.segments) {
            const bool known = std::any_of(found.begin(), found.end(), [&](const GraphKeyRow& row) {
                return row.color == segment.color;
            });
            if (!known)
                found.push_back({segment.color, segment.label});
        }
    }
    std::reverse(found.begin(), found.end());
    return found;
}

QImage GraphKeySwatch(std::uint32_t color) {
    QImage swatch(18, 18, QImage::Format_ARGB32_Premultiplied);
    swatch.fill(Qt::white);
    QPainter painter(&swatch);
    painter.fillRect(2, 2, 14, 14, Qt::black);
    painter.fillRect(3, 3, 12, 12, FromColorRef(color));
    return swatch;
}

CGraphKey::CGraphKey(const std::vector<GraphKeyRow>& rows, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Top 5 Color Key"));
    auto* list = new QTreeWidget(this);
    list->setColumnCount(1);
    list->setHeaderLabels({QStringLiteral("Device")});
    list->setRootIsDecorated(false);
    list->setIconSize(QSize(18, 18));
    for (const GraphKeyRow& row : rows) {
        auto* item = new QTreeWidgetItem(list, {FromWindows1252(row.label)});
        item->setIcon(0, QIcon(QPixmap::fromImage(GraphKeySwatch(row.color))));
    }
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(320, 260);
}

}  // namespace zol
