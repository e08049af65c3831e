tessor_add_test(componentmanager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ComponentManager_test.cpp
  LIBS tessor_platform)
