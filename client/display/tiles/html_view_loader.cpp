#include "client/display/tiles/html_view_loader.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QWidget>

#include <string>
#include <system_error>

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
    problems.clear();
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(candidate, error))
            continue;
        // Never closed: WebEngine keeps threads and objects to the end.
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* symbol = module != nullptr ? ::dlsym(module, kZolCreateHtmlViewSymbol) : nullptr;
        if (symbol != nullptr)
            return reinterpret_cast<HtmlViewFactory>(symbol);
        const char* why = ::dlerror();
        problems += (problems.empty() ? "" : "; ") + candidate.string() + ": " +
                    (why != nullptr ? why : "no entry point");
    }
    if (problems.empty())
        problems = std::string(kModuleFile) + " was not found";
    return nullptr;
}

std::vector<std::filesystem::path> HtmlViewModuleCandidates() {
    std::vector<std::filesystem::path> candidates;
    const std::filesystem::path programDir(QCoreApplication::applicationDirPath().toStdString());
    if (!programDir.empty())
        candidates.push_back(programDir.parent_path() / "lib" / "zol" / kModuleFile);
#ifdef ZOL_HTML_VIEW_BUILD_PATH
    candidates.emplace_back(ZOL_HTML_VIEW_BUILD_PATH);
#endif
    return candidates;
}

QWidget* CreateHtmlView(QWidget* parent) {
    HtmlViewFactory factory = LoadFactory();
    return factory != nullptr ? factory(parent) : nullptr;
}

}  // namespace zol
