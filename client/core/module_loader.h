// The client's modules that are loaded when first needed (the HTML view,
// the media): each is looked for beside the program's prefix
// (<prefix>/lib/zol, for an installed client), then where this build put it.
// A loaded module stays loaded.
//
// Thread-safety: any thread.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zol {

// Where `file` is looked for, in order; `buildPath` may be null.
std::vector<std::filesystem::path> ModuleCandidates(const char* file, const char* buildPath);

// The first candidate that loads and has the entry point `symbol`; null
// when none does, with the reasons in `problems` ("<file> was not found"
// when no candidate exists).
void* FindModule(const std::vector<std::filesystem::path>& candidates, const char* file,
                 const char* symbol, std::string& problems);

// An entry point of a module FindModule gave; null for a null module.
void* ModuleSymbol(void* module, const char* symbol);

}  // namespace zol
