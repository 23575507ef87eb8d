// Leak reports the sanitizer should not raise for this program. libdbus,
// which Qt's X11 platform plugin loads, keeps one buffer for the life of the
// process on purpose; it is not ours to free and not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
