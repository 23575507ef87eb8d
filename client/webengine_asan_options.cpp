// Sanitizer options of the programs that host Qt WebEngine (the HTML tiles).
// Chromium inside WebEngine frees some objects through a base class of a
// different size ("new-delete-type-mismatch"), which AddressSanitizer
// reports in their code, never in ours; that one check is off here, every
// other stays on.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
