# Foundation stand-in: the reference-counted object root with run-time class checks.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/NSObject.cpp)
