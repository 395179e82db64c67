# lmt_add_standin(TARGET VERSION OUTPUT_DIR): builds the stand-in application as
# OUTPUT_DIR/LmtCap6.exe with the given four-part file version, e.g. 6.0.2.0.
file(GLOB LMT_STANDIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
function(lmt_add_standin target version outdir)
    string(REPLACE "." "," version_comma "${version}")
    set(gen ${CMAKE_BINARY_DIR}/standin-gen/${target})
    file(WRITE ${gen}/StandinVersion.h.in
        "#define LMT_VERSION_COMMA ${version_comma}\n#define LMT_VERSION_STR \"${version}\"\n")
    configure_file(${gen}/StandinVersion.h.in ${gen}/StandinVersion.h COPYONLY)
    add_executable(${target} WIN32 ${LMT_STANDIN_SOURCES} ${CMAKE_SOURCE_DIR}/standin/LmtCap6.rc)
    target_include_directories(${target} PRIVATE ${gen})
    target_link_libraries(${target} PRIVATE setupcore)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME LmtCap6 RUNTIME_OUTPUT_DIRECTORY ${outdir})
endfunction()
