#include "client/toolwindows/icon_sync_dialog.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(IconSyncDialogTest, OneRowPerSetWithItsCounts) {
    // Every set is listed, not only the first sixteen.
    std::vector<IconSyncResult> results;
    for (int i = 0; i < 20; ++i)
        results.push_back({"Theme_" + std::to_string(i), 30 + i, i % 3});
    CIconSync dialog(results, 192);
    QTreeWidget* table = dialog.Table();
    ASSERT_EQ(table->topLevelItemCount(), 20);
    EXPECT_EQ(table->headerItem()->text(1), QStringLiteral("# Icons"));
    EXPECT_EQ(table->topLevelItem(19)->text(0), QStringLiteral("Theme_19"));
    EXPECT_EQ(table->topLevelItem(19)->text(1), QStringLiteral("49"));
    EXPECT_EQ(table->topLevelItem(19)->text(2), QStringLiteral("1"));
    EXPECT_EQ(table->columnWidth(0), 300);  // 150 at 96 dpi
}

}  // namespace
}  // namespace zol
