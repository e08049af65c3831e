// The text engine's one lock and FreeType library. FreeType faces and the glyph cache are
// shared by every thread that draws text, so everything that touches them holds the lock.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

std::mutex& TextEngineMutex();
// The FreeType library, initialised on first use; null when FreeType cannot start. Use it
// with the lock held.
FT_Library TextEngineFreeType();
