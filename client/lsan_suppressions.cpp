// Leak reports the sanitizer should not raise for this program. libdbus,
// which Qt's X11 platform plugin loads, keeps one buffer for the life of the
// process on purpose; it is not ours to free and not a leak of ours. Qt
// WebEngine (the HTML tiles) and fontconfig keep caches and Chromium's
// singletons until exit in the same way.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libQt6WebEngineCore.so\nleak:libfontconfig.so\n";
}
