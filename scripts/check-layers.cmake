# Fails when a source file includes a folder that its folder may not include: the library's layers
# run one way (cli -> standalone -> library folders -> host), and inside the library each folder
# includes only the folders below it. Run as
#   cmake -DSOURCE_DIR=<tree> -P scripts/check-layers.cmake
# (ctest runs it on the source tree). Includes are written from the tree's root ("host/mesh.h");
# a folder may always include itself, tests/ and bench/ may include anything.

cmake_minimum_required(VERSION 3.25)

# The folders from the bottom up; a folder may include only folders listed before it, and only
# those named in its ALLOWED_ entry.
set(LAYERS host resources services script bone_export objects mesh_export utilities exchange
    plugin standalone cli)
# Everything below the class table, which names every class and is the top of the library.
set(BELOW_TABLE host resources services script bone_export objects mesh_export utilities exchange)

set(ALLOWED_host "")
set(ALLOWED_resources "")
set(ALLOWED_services host resources)
set(ALLOWED_script host)
set(ALLOWED_bone_export host resources services script)
set(ALLOWED_objects host resources services bone_export)
set(ALLOWED_mesh_export host resources services script bone_export objects)
set(ALLOWED_utilities host resources services script objects mesh_export)
set(ALLOWED_exchange host resources services script objects)
set(ALLOWED_plugin ${BELOW_TABLE})
set(ALLOWED_standalone ${BELOW_TABLE} plugin)
set(ALLOWED_cli ${BELOW_TABLE} plugin standalone)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "check-layers: give the tree as -DSOURCE_DIR=<folder>")
endif()

# The table itself must run one way.
set(below "")
foreach(folder IN LISTS LAYERS)
    foreach(allowed IN LISTS ALLOWED_${folder})
        if(NOT allowed IN_LIST below)
            message(FATAL_ERROR "check-layers: ${folder} may include ${allowed}, which is not below it")
        endif()
    endforeach()
    list(APPEND below ${folder})
endforeach()

set(problems 0)
foreach(folder IN LISTS LAYERS)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
         ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(file IN LISTS files)
        file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" path "${line}")
            if(NOT path MATCHES "/")
                continue()  # a header beside the file
            endif()
            string(REGEX MATCH "^[^/]+" target "${path}")
            if(target STREQUAL folder OR target IN_LIST ALLOWED_${folder})
                continue()
            endif()
            list(JOIN ALLOWED_${folder} ", " allowedText)
            if(allowedText STREQUAL "")
                set(allowedText "nothing outside itself")
            endif()
            message(SEND_ERROR "${file} includes \"${path}\": ${folder}/ may include ${allowedText}")
            math(EXPR problems "${problems} + 1")
        endforeach()
    endforeach()
endforeach()

if(problems GREATER 0)
    message(FATAL_ERROR "check-layers: ${problems} include(s) against the layers")
endif()
