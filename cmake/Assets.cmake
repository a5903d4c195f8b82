# Files compiled into the program: the platform's alarm sound and the
# program's pictures and help file. The sound and the pictures are made at
# build time by generators kept in the tree; every file becomes a byte array
# (EmbedFile.cmake) in the library that ships it.

set(OWEBOOK_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)

# owebook_embed(target namespace symbol file): `namespace::symbol` and
# `namespace::symbol_size` in `target`.
function(owebook_embed target namespace symbol file)
  set(out ${OWEBOOK_ASSET_DIR}/embedded/${symbol}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol} -DNAMESPACE=${namespace}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${symbol}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# Generators run on the build machine at build time: no sanitizers, so that a
# sanitized build does not fail on the libraries' own leaks at exit.
function(owebook_generator target)
  add_executable(${target} ${ARGN})
  set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra" LINK_OPTIONS "")
endfunction()

# The platform's files for the device's \windows folder and the step that puts
# them there.
file(GLOB _device_files_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/system/devicefiles/*.cpp)
target_sources(platform_system PRIVATE ${_device_files_src})
owebook_generator(make_alarm_sound ${CMAKE_SOURCE_DIR}/platform/system/devicefiles/synth/MakeAlarmSound.cpp)
add_custom_command(OUTPUT ${OWEBOOK_ASSET_DIR}/alarm2.WAV
  COMMAND make_alarm_sound ${OWEBOOK_ASSET_DIR}/alarm2.WAV
  DEPENDS make_alarm_sound
  COMMENT "Synthesizing alarm2.WAV"
  VERBATIM)
owebook_embed(platform_system platform::embedded alarm2_wav ${OWEBOOK_ASSET_DIR}/alarm2.WAV)

# The program's pictures (tools/pictures draws them) and its help file.
file(GLOB _draw_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/pictures/*.cpp)
owebook_generator(draw_pictures ${_draw_src})
target_link_libraries(draw_pictures PRIVATE Qt6::Gui)
set(_pictures home_what_i_owe home_owed_to_me home_whats_due home_all_items about_logo reminder_clock rule)
list(TRANSFORM _pictures APPEND .bmp OUTPUT_VARIABLE _picture_files)
list(TRANSFORM _picture_files PREPEND ${OWEBOOK_ASSET_DIR}/pictures/)
add_custom_command(OUTPUT ${_picture_files}
  COMMAND draw_pictures ${OWEBOOK_ASSET_DIR}/pictures
  DEPENDS draw_pictures
  COMMENT "Drawing the pictures"
  VERBATIM)
foreach(_picture ${_pictures})
  owebook_embed(owebook_lib embedded ${_picture}_bmp ${OWEBOOK_ASSET_DIR}/pictures/${_picture}.bmp)
endforeach()
owebook_embed(owebook_lib embedded Owebook_htm ${CMAKE_SOURCE_DIR}/owebook/res/Owebook.htm)

# `cmake --build <dir> --target picture_preview`: every picture as PNG at 1x
# and 2x in <dir>/assets/preview, to look at.
add_custom_target(picture_preview
  COMMAND draw_pictures ${OWEBOOK_ASSET_DIR}/preview-bmp --preview ${OWEBOOK_ASSET_DIR}/preview
  DEPENDS draw_pictures
  VERBATIM)
