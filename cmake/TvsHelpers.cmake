# Adds every direct sub-folder of the current folder that has a CMakeLists.txt,
# so that each area owns its own list file.
function(tvs_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# tvs_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [LABELS l ...] [TIMEOUT s] [WEB_ENGINE])
# A QtTest executable run headless by ctest. WEB_ENGINE: the test starts the web engine
# itself (the app leaves it to the first web page).
function(tvs_add_test)
  cmake_parse_arguments(T "WEB_ENGINE" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test tvs_warnings ${T_LIBS})
  if(T_WEB_ENGINE)
    target_link_libraries(${T_NAME} PRIVATE Qt6::WebEngineQuick)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(TVS_SANITIZE)
    # Instrumented code runs a few times slower.
    math(EXPR T_TIMEOUT "${T_TIMEOUT} * 3")
  endif()
  # The user's and the shop-wide config files of the machine (tvsdealer/tvsdealer.conf)
  # stay out of the tests: both folders point at one that does not exist.
  set(no_config ${CMAKE_BINARY_DIR}/no-config)
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;LC_ALL=C.UTF-8;XDG_CONFIG_HOME=${no_config};XDG_CONFIG_DIRS=${no_config}")
  if(T_WEB_ENGINE AND TVS_SANITIZE)
    # Chromium inside QtWebEngine deletes some objects with another type's size when a web
    # view goes away; no suppression file can name that check (scripts/sanitizers/asan.supp).
    set_tests_properties(${T_NAME} PROPERTIES
      ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::new_delete_type_mismatch=0")
  endif()
endfunction()

# tvs_screen_library(target registrar): a subsystem's screens library whose
# function `void tvs::<registrar>(Navigator &)` registers its screens and transitions.
function(tvs_screen_library target registrar)
  set_property(GLOBAL APPEND PROPERTY TVS_SCREEN_LIBS ${target})
  set_property(GLOBAL APPEND PROPERTY TVS_SCREEN_REGISTRARS ${registrar})
endfunction()
