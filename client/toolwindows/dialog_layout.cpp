#include "client/toolwindows/dialog_layout.h"

#include <QByteArray>
#include <QWidget>

#include "platform/registry_store.h"

namespace zol {

namespace {

constexpr std::string_view kGeometryValue = "Geometry";

}  // namespace

void RestoreDialogLayout(const RegistryStore& store, std::string_view key, QWidget* window) {
    const auto value = store.GetValue(key, kGeometryValue);
    if (!value || value->type != kRegBinary)
        return;
    window->restoreGeometry(
        QByteArray(value->data.data(), static_cast<qsizetype>(value->data.size())));
}

int SaveDialogLayout(RegistryStore& store, std::string_view key, const QWidget* window) {
    const QByteArray geometry = window->saveGeometry();
    if (int code = store.CreateKey(key))
        return code;
    if (int code = store.SetValue(
            key, kGeometryValue,
            {kRegBinary,
             std::string(geometry.constData(), static_cast<std::size_t>(geometry.size()))}))
        return code;
    return store.Save();
}

}  // namespace zol
