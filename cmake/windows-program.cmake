# LYNSetup.exe: the program over the real platform, a GUI program in one
# file that needs no DLL beyond those Windows ships.
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

file(GLOB_RECURSE LYN_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_executable(LYNSetup WIN32 ${LYN_WIN32_SOURCES} ${LYN_WINDOWS_RESOURCES}/LYNSetup.rc)
target_include_directories(LYNSetup PRIVATE src ${CMAKE_BINARY_DIR}/windows)
target_compile_definitions(LYNSetup PRIVATE NOMINMAX _WIN32_WINNT=0x0601)
set_property(SOURCE ${LYN_WINDOWS_RESOURCES}/LYNSetup.rc APPEND PROPERTY
  COMPILE_OPTIONS -I${CMAKE_BINARY_DIR}/windows -I${LYN_WINDOWS_RESOURCES})
target_link_libraries(LYNSetup PRIVATE lyn_program user32 gdi32 msimg32 version shell32 setupapi advapi32 ole32 uuid)
target_link_options(LYNSetup PRIVATE -static -static-libgcc -static-libstdc++)

add_subdirectory(tools/windriver)
