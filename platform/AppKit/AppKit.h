// AppKit umbrella header.
#ifndef __APPKIT__
#define __APPKIT__

#include <Foundation/Foundation.h>
#include <AppKit/NSImage.h>

#endif
