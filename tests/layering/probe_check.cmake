# Builds one layering probe and judges the result. A probe that must fail passes only when the
# compiler says that the header it includes, which does exist in src/, cannot be found: any
# other failure (a typo, a syntax error, a missing target) fails the probe.
# -DBUILD=<build dir> -DPROBE=<target> -DHEADER=<path below src/> -DSRC=<src dir> -DEXPECT=FAILS|COMPILES
if(NOT EXISTS "${SRC}/${HEADER}")
    message(FATAL_ERROR "the probe includes ${HEADER}, which is not in src/")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD}" --target "${PROBE}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(EXPECT STREQUAL "COMPILES")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${PROBE} should compile:\n${out}")
    endif()
    return()
endif()
string(REPLACE "." "\\." header_re "${HEADER}")
if(result EQUAL 0 OR NOT out MATCHES "${header_re}: No such file or directory")
    message(FATAL_ERROR "${PROBE} should fail only because ${HEADER} is out of its sight:\n${out}")
endif()
