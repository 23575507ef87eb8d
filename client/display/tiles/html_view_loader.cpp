#include "client/display/tiles/html_view_loader.h"

#include <QWidget>

#include <string>

#include "client/core/module_loader.h"
#include "client/htmlview/html_view_entry.h"

namespace zol {

namespace {

constexpr const char* kModuleFile = "libzolhtmlview.so";

// The factory of the module, loaded once; null when it did not load.
HtmlViewFactory LoadFactory() {
    static HtmlViewFactory factory = [] {
        std::string problems;
        HtmlViewFactory found = FindHtmlViewFactory(HtmlViewModuleCandidates(), problems);
        if (found == nullptr)
            qWarning("The HTML tiles cannot show pages: %s", problems.c_str());
        return found;
    }();
    return factory;
}

}  // namespace

HtmlViewFactory FindHtmlViewFactory(const std::vector<std::filesystem::path>& candidates,
                                    std::string& problems) {
    return reinterpret_cast<HtmlViewFactory>(
        ModuleSymbol(FindModule(candidates, kModuleFile, kZolCreateHtmlViewSymbol, problems),
                     kZolCreateHtmlViewSymbol));
}

std::vector<std::filesystem::path> HtmlViewModuleCandidates() {
#ifdef ZOL_HTML_VIEW_BUILD_PATH
    return ModuleCandidates(kModuleFile, ZOL_HTML_VIEW_BUILD_PATH);
#else
    return ModuleCandidates(kModuleFile, nullptr);
#endif
}

QWidget* CreateHtmlView(QWidget* parent) {
    HtmlViewFactory factory = LoadFactory();
    return factory != nullptr ? factory(parent) : nullptr;
}

}  // namespace zol
