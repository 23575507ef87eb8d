#include "client/toolwindows/icon_sync_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "guibase/dpi_scale.h"

namespace zol {

namespace {

constexpr int kThemeColumnWidth = 150;
constexpr int kCountColumnWidth = 75;

}  // namespace

CIconSync::CIconSync(const std::vector<IconSyncResult>& results, int dpi, QWidget* parent)
    : QDialog(parent), table_(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("Icon Sync"));
    table_->setColumnCount(3);
    table_->setHeaderLabels(
        {QStringLiteral("Theme"), QStringLiteral("# Icons"), QStringLiteral("# Updated")});
    table_->setRootIsDecorated(false);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setColumnWidth(0, ScalePixels(kThemeColumnWidth, dpi));
    table_->setColumnWidth(1, ScalePixels(kCountColumnWidth, dpi));
    table_->setColumnWidth(2, ScalePixels(kCountColumnWidth, dpi));
    for (const IconSyncResult& result : results) {
        auto* row = new QTreeWidgetItem(table_);
        // Set names are folder names; Latin-1 shows every Windows-1252 letter they use.
        row->setText(
            0, QString::fromLatin1(result.name.data(), static_cast<qsizetype>(result.name.size())));
        row->setText(1, QString::number(result.listed));
        row->setText(2, QString::number(result.copied));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(ScalePixels(kThemeColumnWidth + 2 * kCountColumnWidth + 40, dpi), ScalePixels(260, dpi));
}

}  // namespace zol
