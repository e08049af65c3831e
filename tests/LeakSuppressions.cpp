// Linked into every test program, and in the sanitizer build into the tessor-eq command the
// command tests run. fontconfig loses a small buffer once per process while parsing its
// configuration; that is the system library's, not ours, so the leak checker is told to
// leave it out.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
