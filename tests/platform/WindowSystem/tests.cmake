tessor_add_test(windowsystem_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowStandIns_test.cpp ${CMAKE_CURRENT_LIST_DIR}/AppKitViews_test.cpp
  LIBS tessor_platform)
