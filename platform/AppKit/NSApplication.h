// Application start-up for code that uses AppKit from a host that is not an AppKit
// application (a plug-in inside a Carbon host). Nothing needs starting here: the window
// system starts on first use.
#ifndef __APPKIT_NSAPPLICATION__
#define __APPKIT_NSAPPLICATION__

bool NSApplicationLoad();

#endif
