# Builds the floor of the DLL-size figure: RuntimeFloor.cpp (a DllMain that does nothing) linked like the item
# DLL, with every symbol that the item's objects use and do not define themselves pulled in from the static
# runtime (-u). Imports of system DLLs are left out: they are the item's calls, not the runtime.
#   cmake -DLAUNCHER=<launcher> -DCOMPILER=<compiler> -DNM=<nm> -DOBJECTS=<a|b|...> -DSOURCES=<a|b> -DOUTPUT=<dll> -P RuntimeFloor.cmake
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" objects "${OBJECTS}")
list(FILTER objects INCLUDE REGEX "\\.obj$")  # not the compiled resources
string(REPLACE "|" ";" sources "${SOURCES}")

execute_process(COMMAND ${NM} --defined-only ${objects} OUTPUT_VARIABLE defined_text RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm failed on the item's objects")
endif()
execute_process(COMMAND ${NM} --undefined-only ${objects} OUTPUT_VARIABLE undefined_text)

string(REGEX MATCHALL "[0-9a-f]+ [A-Za-z] [^\n]+" defined_lines "${defined_text}")
set(defined "")
foreach(line IN LISTS defined_lines)
  string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${line}")
  list(APPEND defined "${name}")
endforeach()
string(REGEX MATCHALL " U [^\n]+" undefined_lines "${undefined_text}")
set(pulls "")
set(count 0)
foreach(line IN LISTS undefined_lines)
  string(REGEX REPLACE "^ U " "" name "${line}")
  if(name MATCHES "^__imp_" OR name IN_LIST defined OR "-Wl,-u,${name}" IN_LIST pulls)
    continue()
  endif()
  list(APPEND pulls "-Wl,-u,${name}")
  math(EXPR count "${count} + 1")
endforeach()

# Warnings as errors, as in every target: this compiler's messages are shown only when it fails.
execute_process(COMMAND ${LAUNCHER} ${COMPILER} -O2 -std=c++17 -Wall -Wextra -Wno-unused-parameter -Werror
                        -shared -static -s -Wl,--exclude-all-symbols
                        -o ${OUTPUT} ${sources} ${pulls}
                RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(failed)
  message(FATAL_ERROR "linking the runtime floor failed (${failed}):\n${out}${err}")
endif()
message(STATUS "RuntimeFloor.dll: ${count} runtime symbols of the item pulled in")
