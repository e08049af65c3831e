# CoreFoundation stand-in: objects, containers, strings, property lists, URLs and bundles.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/CFBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFBase64.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFNumber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFArray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFDictionary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFURL.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFBundle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFPropertyList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFPropertyListParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CFPropertyListWriter.cpp)
# Code for this platform writes four-character codes as multi-character literals ('aufx').
target_compile_options(tessor_platform PUBLIC -Wno-multichar)
