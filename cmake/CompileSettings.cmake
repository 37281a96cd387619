# One interface target carries the compile settings of every target of ours.
add_library(zarnek_compile_settings INTERFACE)
target_compile_features(zarnek_compile_settings INTERFACE cxx_std_20)
target_compile_options(zarnek_compile_settings INTERFACE -Wall -Wextra -Wpedantic)
target_include_directories(zarnek_compile_settings INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(ZARNEK_SANITIZE)
  target_compile_options(zarnek_compile_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(zarnek_compile_settings INTERFACE -fsanitize=address,undefined)
endif()

# Qt's strictness macros: wire bytes and display text meet only in one helper.
add_library(zarnek_qt_settings INTERFACE)
target_link_libraries(zarnek_qt_settings INTERFACE zarnek_compile_settings)
target_compile_definitions(zarnek_qt_settings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)

# Adds the CMakeLists.txt of every listed subfolder that exists, so each
# subsystem keeps its own build file.
function(zarnek_add_subdirs)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
