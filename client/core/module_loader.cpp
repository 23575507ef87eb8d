#include "client/core/module_loader.h"

#include <dlfcn.h>

#include <system_error>

namespace zol {

std::vector<std::filesystem::path> ModuleCandidates(const char* file, const char* buildPath) {
    std::vector<std::filesystem::path> candidates;
    std::error_code error;
    const std::filesystem::path programDir =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (!error && !programDir.empty())
        candidates.push_back(programDir.parent_path() / "lib" / "zol" / file);
    if (buildPath != nullptr)
        candidates.emplace_back(buildPath);
    return candidates;
}

void* FindModule(const std::vector<std::filesystem::path>& candidates, const char* file,
                 const char* symbol, std::string& problems) {
    problems.clear();
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(candidate, error))
            continue;
        // Never closed: the modules keep threads and objects to the end.
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (ModuleSymbol(module, symbol) != nullptr)
            return module;
        const char* why = ::dlerror();
        problems += (problems.empty() ? "" : "; ") + candidate.string() + ": " +
                    (why != nullptr ? why : "no entry point");
    }
    if (problems.empty())
        problems = std::string(file) + " was not found";
    return nullptr;
}

void* ModuleSymbol(void* module, const char* symbol) {
    return module != nullptr ? ::dlsym(module, symbol) : nullptr;
}

}  // namespace zol
