// pcsc-lite's client library keeps one process-wide copy of the readers' states and refreshes it
// under each context's own lock, so two threads with contexts of their own (the reader monitor's
// listing and the token watch's connection, or a test's observer) write it at the same time.
// That race lies inside the system library; the loops' own data stays checked.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
    return "race:libpcsclite.so.1\n";
}
#endif
