# Writes the linker's dynamic list of the symbols the printing module takes
# from the program: its undefined symbols without a version (ours; those of
# the system libraries carry one).
# cmake -DNM=<nm> -DMODULE=<module> -DOUT=<list> -P ModuleImports.cmake
execute_process(COMMAND "${NM}" -D --undefined-only --format=posix "${MODULE}"
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not list the symbols of ${MODULE}")
endif()
string(REPLACE "\n" ";" lines "${symbols}")
set(list "{\n")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^[^ @]+ [Uw]" entry "${line}")
  if(entry)
    string(REGEX REPLACE " [Uw]$" "" name "${entry}")
    string(APPEND list "  ${name};\n")
  endif()
endforeach()
string(APPEND list "};\n")
# Rewritten only when it changes, so that the program is not linked again
# for nothing.
file(CONFIGURE OUTPUT "${OUT}" CONTENT "${list}" @ONLY)
