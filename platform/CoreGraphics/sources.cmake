# Core Graphics stand-in: bitmap contexts, paths, stroke and fill, clip and images, drawn by
# AntiGrain Geometry's scan-line rasteriser.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSOR_AGG REQUIRED IMPORTED_TARGET libagg)
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CGGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGColor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGPixelLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGRasterTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGContextPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGBitmapContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGCoverageMask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGCoverageBlend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGCoverageBlendAVX2.cpp
)
target_link_libraries(tessor_platform PRIVATE PkgConfig::TESSOR_AGG)
# The rasteriser shifts negative coverage values left, which C++20 defines and GCC has
# always done as two's complement; keep the sanitizer from treating that as an error.
if(TESSOR_SANITIZE)
  set_source_files_properties(
    ${CMAKE_CURRENT_LIST_DIR}/CGRasterTarget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGContextPaint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGContext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGBitmapContext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGCoverageMask.cpp
    TARGET_DIRECTORY tessor_platform
    PROPERTIES COMPILE_OPTIONS -fno-sanitize=shift-base)
endif()
# Pixel loops are written plainly for the vectoriser, which -O2 barely runs with GCC.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/CGRasterTarget.cpp TARGET_DIRECTORY tessor_platform
  APPEND PROPERTY COMPILE_OPTIONS $<$<CONFIG:Release,RelWithDebInfo>:-O3>)
