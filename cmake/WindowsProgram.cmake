# The Windows program, its folder as a user installs it, and what it is built from.
enable_language(RC)

set(VERBOLA_FOLDER "${CMAKE_BINARY_DIR}/../Verbola" CACHE PATH
    "Folder assembled as a user installs it: the program, its articles and its help")
set(VERBOLA_PICTURES "${CMAKE_BINARY_DIR}/pictures")

set(VERBOLA_WINDOWS_DEFINITIONS UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
set(VERBOLA_WINDOWS_LIBRARIES comctl32 shell32 wininet user32 gdi32 advapi32 kernel32)
# The .exe must run alone: no MinGW runtime DLL beside it.
set(VERBOLA_WINDOWS_LINK -municode -static -static-libgcc -static-libstdc++)

target_compile_definitions(verbola_core PUBLIC ${VERBOLA_WINDOWS_DEFINITIONS})

get_property(VERBOLA_WINDOWS_SOURCES GLOBAL PROPERTY VERBOLA_WINDOWS_SOURCES)
add_library(verbola_windows STATIC ${VERBOLA_WINDOWS_SOURCES})
target_link_libraries(verbola_windows PUBLIC verbola_core ${VERBOLA_WINDOWS_LIBRARIES})

# Icons and the toolbar strip are drawn by our own generator.
set(VERBOLA_PICTURE_FILES ${VERBOLA_PICTURES}/Verbola.ico ${VERBOLA_PICTURES}/Toolbar.bmp)
add_custom_command(
  OUTPUT ${VERBOLA_PICTURE_FILES}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/draw_pictures.py ${VERBOLA_PICTURES}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/draw_pictures.py
  COMMENT "Drawing the icons and the toolbar strip")
# Programs in other folders (the window tests) see the pictures only through a target.
add_custom_target(verbola_pictures DEPENDS ${VERBOLA_PICTURE_FILES})
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Verbola.rc PROPERTIES
  OBJECT_DEPENDS "${VERBOLA_PICTURE_FILES};${CMAKE_SOURCE_DIR}/res/ResourceIds.h;${CMAKE_SOURCE_DIR}/res/Verbola.manifest")

# A program made of the Windows library and the resource script: the product
# itself and the in-process window tests share the same resources.
function(verbola_add_program name)
  add_executable(${name} WIN32 ${ARGN} ${CMAKE_SOURCE_DIR}/res/Verbola.rc)
  target_include_directories(${name} PRIVATE ${VERBOLA_PICTURES} ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE verbola_windows)
  target_link_options(${name} PRIVATE ${VERBOLA_WINDOWS_LINK})
  add_dependencies(${name} verbola_pictures)
endfunction()

verbola_add_program(Verbola app/Main.cpp)
# The product alone talks to the configured vendor host.
target_link_libraries(Verbola PRIVATE verbola_product_host)
set_target_properties(Verbola PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VERBOLA_FOLDER})
target_link_options(Verbola PRIVATE -s)

# The sample dictionaries: FreeDict data from the Debian packages, converted.
set(VERBOLA_DICTD /usr/share/dictd)
set(VERBOLA_ARTICLE_FILES
  ${VERBOLA_FOLDER}/Articles/Articles_English_Italian.dat
  ${VERBOLA_FOLDER}/Articles/Articles_Italian_English.dat)
add_custom_command(
  OUTPUT ${VERBOLA_ARTICLE_FILES}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/convert_freedict.py
          ${VERBOLA_DICTD}/freedict-eng-ita ${VERBOLA_FOLDER}/Articles/Articles_English_Italian.dat
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/convert_freedict.py
          ${VERBOLA_DICTD}/freedict-ita-eng ${VERBOLA_FOLDER}/Articles/Articles_Italian_English.dat
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/convert_freedict.py
          ${VERBOLA_DICTD}/freedict-eng-ita.index ${VERBOLA_DICTD}/freedict-ita-eng.index
  COMMENT "Converting the FreeDict sample dictionaries")
add_custom_command(
  OUTPUT ${VERBOLA_FOLDER}/Help/Help.EN.html
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/vendor/help/Help.EN.html ${VERBOLA_FOLDER}/Help/Help.EN.html
  DEPENDS ${CMAKE_SOURCE_DIR}/vendor/help/Help.EN.html)
add_custom_target(verbola_folder ALL DEPENDS ${VERBOLA_ARTICLE_FILES} ${VERBOLA_FOLDER}/Help/Help.EN.html)
