tessor_add_test(windowsystem_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowStandInsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/AppKitViewsTest.cpp
  LIBS tessor_platform)
