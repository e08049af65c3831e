// The text GDI_DrawText lays out: the caller's bytes with carriage returns and (unless
// kept) ampersands dropped and (on request) newlines turned into spaces, decoded to UTF-16.
#pragma once

#include <MacTypes.h>

// At most this many characters are laid out.
enum { GDI_MAX_TEXT = 4095 };

// Copies at most len bytes of text (up to its terminating zero; all of it when len < 0)
// through the rules of the flags (GDI_DrawText's DT_NOPREFIX and DT_SINGLELINE), keeping at
// most GDI_MAX_TEXT bytes, and decodes them as UTF-8 into out; bytes that are not valid
// UTF-8 are read one character each, ASCII, with every byte above 0x7F a space. Returns
// the number of UTF-16 units written (at most GDI_MAX_TEXT). Null text gives 0.
int GDI_PrepareText(const char* text, int len, int flags, UniChar out[GDI_MAX_TEXT]);
