// Linked into every test program. fontconfig loses a small buffer once per process while
// parsing its configuration; that is the system library's, not ours, so the leak checker
// is told to leave it out.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
