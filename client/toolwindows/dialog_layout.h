// A tool window's size and position, kept in the settings file under a key
// of its own ("Software\Tarnwell\ZOLClient\Dialogs\<name>") so the window
// opens where it was left.
#pragma once

#include <string_view>

class QWidget;

namespace zol {

class RegistryStore;

// Leaves the window as it is when nothing (or nothing readable) is kept.
void RestoreDialogLayout(const RegistryStore& store, std::string_view key, QWidget* window);
// Keeps the layout in the store and writes the file; 0 or the store's error.
int SaveDialogLayout(RegistryStore& store, std::string_view key, const QWidget* window);

}  // namespace zol
