# Shared build helpers.

set(STUDIO_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
# GCC's guesses about variables used before they are set misfire on the
# coroutine frames and optionals of the program; other compilers have no such
# warning (and would warn about the unknown option).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND STUDIO_WARNINGS -Wno-maybe-uninitialized)
endif()

# studio_library(<target> <dir> LIBS <deps...>)
# Every .cpp/.h under <dir> belongs to the library; new files are picked up on the next build.
function(studio_library target dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  target_compile_options(${target} PRIVATE ${STUDIO_WARNINGS})
  target_compile_definitions(${target} PUBLIC
      STUDIO_VERSION="${PROJECT_VERSION}")
endfunction()

# The suites that build whole screens or windows and grab their pictures carry the label
# "screens", so they can run apart from the quick ones: ctest -L screens / ctest -LE screens.
set(STUDIO_SCREEN_TESTS "Screens?Test$|_MainWindowScreensTest$|_WindowGrabTest$|_HugeTextTest$")
# The base class of the screens is tested without building any screen.
set(STUDIO_NOT_SCREEN_TESTS "_PhaseScreenTest$")

# studio_test(<name> SOURCES <files...> LIBS <deps...> [LABELS <labels...>])
# One QtTest executable registered with CTest. Each run gets a fresh temporary HOME and
# XDG directories and the offscreen platform, so no test touches a real home, Trash or settings.
function(studio_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} "${PROJECT_SOURCE_DIR}/tests/support/IsolatedHome.cpp")
  target_link_libraries(${name} PRIVATE Qt6::Test studio_test_support ${ARG_LIBS})
  target_compile_options(${name} PRIVATE ${STUDIO_WARNINGS})
  add_test(NAME ${name}
           COMMAND "${PROJECT_SOURCE_DIR}/tests/support/run-isolated" $<TARGET_FILE:${name}>)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 180)
  endif()
  if(name MATCHES "${STUDIO_SCREEN_TESTS}" AND NOT name MATCHES "${STUDIO_NOT_SCREEN_TESTS}")
    list(APPEND ARG_LABELS screens)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PALISADEMOTION_REDUCE_MOTION=1")
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
