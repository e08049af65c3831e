tessor_add_test(corefoundation_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CFObjects_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CFPropertyList_test.cpp
  LIBS tessor_platform)
