# The settings sheet and its general, illustration and sound pages.
if(NOT WIN32)
  clocks_test(settings_artwork_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_artwork_test.cpp)
  if(CLOCKS_TESTS)
    target_compile_definitions(settings_artwork_test PRIVATE ARTWORK_ROOT="${CMAKE_SOURCE_DIR}")
  endif()
endif()

if(WIN32)
  clocks_test(orvanedesk_settings_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_sheet_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/../res/orvanedesk.rc
    LIBS orvanedesk_shell)
endif()
