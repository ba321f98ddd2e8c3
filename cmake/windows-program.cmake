# LYNSetup.exe and UninstallLYN67.exe: the programs over the real platform,
# GUI programs in one file each that need no DLL beyond those Windows ships.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(LYN_WINDOWS_RESOURCES ${CMAKE_SOURCE_DIR}/resources/windows)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/windows/window_icon.ico
  COMMAND ${Python3_EXECUTABLE} ${LYN_WINDOWS_RESOURCES}/pam_to_ico.py
          ${CMAKE_SOURCE_DIR}/resources/art/window_icon.pam ${CMAKE_BINARY_DIR}/windows/window_icon.ico
  DEPENDS ${LYN_WINDOWS_RESOURCES}/pam_to_ico.py ${CMAKE_SOURCE_DIR}/resources/art/window_icon.pam
  COMMENT "Program icon")
set_source_files_properties(${LYN_WINDOWS_RESOURCES}/LYNSetup.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/windows/window_icon.ico;${LYN_WINDOWS_RESOURCES}/LYNSetup.manifest")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/windows)

# The real platform, shared by the two programs; each brings its own entry.
set(LYN_WIN32_ENTRIES ${CMAKE_SOURCE_DIR}/src/platform/win32/win_main.cpp
                      ${CMAKE_SOURCE_DIR}/src/platform/win32/uninstall_win_main.cpp)
file(GLOB_RECURSE LYN_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
list(REMOVE_ITEM LYN_WIN32_SOURCES ${LYN_WIN32_ENTRIES})
add_library(lyn_win32 STATIC ${LYN_WIN32_SOURCES})
target_include_directories(lyn_win32 PUBLIC src ${CMAKE_BINARY_DIR}/windows)
target_compile_definitions(lyn_win32 PUBLIC NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(lyn_win32 PUBLIC lyn_program user32 gdi32 msimg32 version shell32 setupapi advapi32 ole32 uuid)
target_link_options(lyn_win32 INTERFACE -static -static-libgcc -static-libstdc++)

add_executable(LYNSetup WIN32 src/platform/win32/win_main.cpp ${LYN_WINDOWS_RESOURCES}/LYNSetup.rc)
set_property(SOURCE ${LYN_WINDOWS_RESOURCES}/LYNSetup.rc APPEND PROPERTY
  COMPILE_OPTIONS -I${CMAKE_BINARY_DIR}/windows -I${LYN_WINDOWS_RESOURCES})
target_link_libraries(LYNSetup PRIVATE lyn_win32)

# UninstallLYN67.exe: the product's uninstaller, the same way. Its file goes
# into the product's cabinet, so the link leaves out the time stamp and the
# symbols: the same sources always give the same file.
set_source_files_properties(${LYN_WINDOWS_RESOURCES}/UninstallLYN67.rc PROPERTIES
  OBJECT_DEPENDS ${LYN_WINDOWS_RESOURCES}/UninstallLYN67.manifest)
add_executable(UninstallLYN67 WIN32 src/platform/win32/uninstall_win_main.cpp
                                    ${LYN_WINDOWS_RESOURCES}/UninstallLYN67.rc)
set_property(SOURCE ${LYN_WINDOWS_RESOURCES}/UninstallLYN67.rc APPEND PROPERTY
  COMPILE_OPTIONS -I${LYN_WINDOWS_RESOURCES})
target_link_libraries(UninstallLYN67 PRIVATE lyn_win32 lyn_uninstall)
target_link_options(UninstallLYN67 PRIVATE -s -Wl,--no-insert-timestamp)

add_subdirectory(tools/windriver)
