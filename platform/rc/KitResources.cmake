# kit_resources(TARGET SCRIPT.rc)
# Compiles the resource script at build time and builds its resources into TARGET. The script
# may #include the platform's headers (win/styles.h) and name the kit's icons and bitmaps
# (platform/rc/art) by their file names.
function(kit_resources target script)
  get_filename_component(script_path ${script} ABSOLUTE)
  get_filename_component(script_name ${script} NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_${script_name}_resources.cpp)
  set(rc_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  add_custom_command(
    OUTPUT ${output}
    COMMAND kit-rc -I ${rc_dir}/../include -I ${rc_dir}/art ${script_path} ${output} ${output}.d
    DEPENDS kit-rc ${script_path}
    DEPFILE ${output}.d
    COMMENT "Compiling resource script ${script}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  # Appended as a property so that it works whichever form the target's own links use.
  set_property(TARGET ${target} APPEND PROPERTY LINK_LIBRARIES platform_rc)
endfunction()
