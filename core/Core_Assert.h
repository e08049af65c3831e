// Assertions guard programming errors only. A failed one prints
// "<file>:<line>: failed assertion `<expression>'" to stderr, flushes it and aborts.
#pragma once

[[noreturn]] void Core_AssertFailed(const char* file, unsigned line, const char* expr);

#define CORE_ASSERT(expr) ((expr) ? (void)0 : Core_AssertFailed(__FILE__, __LINE__, #expr))
