# One static library per source folder, each allowed to see only its own headers and those of
# the layers it links. Every layer gets an include root of its own in the build tree holding a
# single link, <root>/<folder> -> src/<folder>; a layer's include path is its root plus the roots
# of the layers below it (they come with target_link_libraries). An #include that points up the
# layers therefore names a header the compiler cannot find, and the build fails there.
function(spectrane_layer folder)
    cmake_parse_arguments(ARG "QT" "" "DEPENDS;EXCLUDE" ${ARGN})
    set(target spectrane_${folder})
    set(source_dir ${PROJECT_SOURCE_DIR}/src/${folder})
    file(GLOB sources CONFIGURE_DEPENDS ${source_dir}/*.cpp)
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources ${source_dir}/${excluded})
    endforeach()
    if(ARG_QT)
        file(GLOB headers CONFIGURE_DEPENDS ${source_dir}/*.h)
        list(APPEND sources ${headers}) # for moc
    endif()
    add_library(${target} STATIC ${sources})
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
    set(root ${PROJECT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${folder})
        file(CREATE_LINK ${source_dir} ${root}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
endfunction()
