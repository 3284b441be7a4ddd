# A quoted include is looked up beside the including file first, so "../views/x.h" would reach
# a layer above whatever the include path says. No include under src/ may climb with "..".
# -DSRC=<src dir>
file(GLOB_RECURSE files "${SRC}/*.h" "${SRC}/*.cpp")
set(found "")
foreach(file ${files})
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]*\\.\\.")
    foreach(line ${lines})
        string(APPEND found "\n${file}: ${line}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "includes that climb out of their folder:${found}")
endif()
list(LENGTH files count)
if(count LESS 100)
    message(FATAL_ERROR "only ${count} sources found under ${SRC}")
endif()
