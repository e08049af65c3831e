// Bounded string copy of the Windows API.
#pragma once

// With n <= 0 returns dst untouched; otherwise copies at most n - 1 characters and a zero.
char* lstrcpyn(char* dst, const char* src, int n);
