# Foundation stand-in: the reference-counted object root with run-time class checks, the class
# registry, autorelease pools, strings, URLs, bundles, dictionaries, timers and the run loop.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/NSObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSClassRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSAutoreleasePool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSURL.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSBundle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSDictionary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSTimer.cpp)
