# quorvane_picture_asset(<dir>): the picture (assets/picture_gen.py) drawn at build time into
# <dir>/picture.png, and the library quorvane_picture_asset with the same bytes as an array
# (ui/picture/picture_asset.h). Sets QUORVANE_PICTURE_PNG to the PNG's path.
include_guard(GLOBAL)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(quorvane_picture_asset dir)
  set(generator "${PROJECT_SOURCE_DIR}/assets/picture_gen.py")
  add_custom_command(
    OUTPUT "${dir}/picture.png" "${dir}/picture_asset.cpp"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
    COMMAND Python3::Interpreter "${generator}" "${dir}/picture.png" --cpp "${dir}/picture_asset.cpp"
    DEPENDS "${generator}"
    COMMENT "Drawing the picture"
    VERBATIM)
  add_custom_target(quorvane_picture_png DEPENDS "${dir}/picture.png")
  add_library(quorvane_picture_asset STATIC "${dir}/picture_asset.cpp")
  target_include_directories(quorvane_picture_asset PUBLIC "${PROJECT_SOURCE_DIR}")
  set(QUORVANE_PICTURE_PNG "${dir}/picture.png" PARENT_SCOPE)
endfunction()
