# Each folder under src/ is a room: a library (or a program) whose files may include headers of
# its own folder and of the rooms it names, and no others. Headers are included by their folder
# from src/ ("editors/fm_editor.h"). varel_room(TARGET ROOM MAY_USE...) checks the room's
# includes whenever one of its files changes; an include of a room that is not named fails the
# build, so that no back-arrow (an editor reaching into the application, say) can creep in.
function(varel_room target room)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${room}/*.h
       ${PROJECT_SOURCE_DIR}/src/${room}/*.cpp)
  string(REPLACE ";" "," allowed "${room};${ARGN}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.rooms)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${PROJECT_SOURCE_DIR}/src/${room} -DALLOWED=${allowed}
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/check_rooms.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_rooms.cmake
    COMMENT "Checking the includes of src/${room}"
    VERBATIM)
  add_custom_target(${target}_rooms DEPENDS ${stamp})
  add_dependencies(${target} ${target}_rooms)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()
