// Makes the browsers of the HTML tiles from the HTML view module, which is
// loaded the first time a tile needs one (see client/htmlview/).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class QWidget;

namespace zol {

// Where the module is looked for, in this order: beside the program's
// prefix (<prefix>/lib/zol, for an installed client), then where this build
// put it.
std::vector<std::filesystem::path> HtmlViewModuleCandidates();

// The factory of the first candidate that loads and has the entry point;
// null when none does, with the reasons in `problems`.
using HtmlViewFactory = QWidget* (*)(QWidget* parent);
HtmlViewFactory FindHtmlViewFactory(const std::vector<std::filesystem::path>& candidates,
                                    std::string& problems);

// A new browser, child of `parent`; null when the module cannot be loaded,
// which the log tells once with the reason.
QWidget* CreateHtmlView(QWidget* parent);

}  // namespace zol
