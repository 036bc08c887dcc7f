// Races that the thread sanitizer reports inside system libraries built without it.
//
// pcsc-lite's client library keeps one process-wide copy of the readers' states and refreshes it
// under each context's own lock, so two threads with contexts of their own (the reader monitor's
// listing and the token watch's connection, or a test's observer) write it at the same time.
//
// Qt's own locks (futex based) and its thread pool are invisible to the sanitizer, so a window
// that receives events posted from other threads shows races that Qt's locks prevent. Only the
// window's test program suppresses them (WITH_QT_WINDOW); the loops' own data stays checked.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
    return "race:libpcsclite.so.1\n"
#if defined(WITH_QT_WINDOW)
           "race:libQt6Core.so.6\n"
           "race:libQt6Gui.so.6\n"
           "race:libQt6Widgets.so.6\n"
#endif
        ;
}
#endif
