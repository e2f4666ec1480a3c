# Fails unless MODULE exports exactly the platform's three VST 3 entry points.
#   Linux:   -DNM=<nm>           reads the ELF dynamic symbol table
#   Windows: -DOBJDUMP=<objdump> reads the PE export table, and also fails when
#            the DLL imports a MinGW runtime DLL (they are linked in) or takes
#            a transcendental function from the system's C runtime
if(OBJDUMP)
  execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
  set(expected "ExitDll;GetPluginFactory;InitDll")
else()
  execute_process(COMMAND ${NM} -D --defined-only ${MODULE}
                  OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
  set(expected "GetPluginFactory;ModuleEntry;ModuleExit")
endif()
if(failed)
  message(FATAL_ERROR "cannot list the symbols of ${MODULE}")
endif()

string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
set(imported)
set(imported_functions)
set(in_name_table OFF)
foreach(line ${lines})
  if(OBJDUMP)
    # "[Ordinal/Name Pointer] Table" is followed by "\t[   0] Name" lines.
    if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
      set(in_name_table ON)
    elseif(in_name_table AND line MATCHES "^\t\\[ *[0-9]+\\] (.+)$")
      list(APPEND exported ${CMAKE_MATCH_1})
    else()
      set(in_name_table OFF)
    endif()
    if(line MATCHES "DLL Name: (.+)$")
      list(APPEND imported ${CMAKE_MATCH_1})
    elseif(line MATCHES "^\t[0-9a-f]+\t +[0-9]+  ([A-Za-z0-9_]+)$")
      list(APPEND imported_functions ${CMAKE_MATCH_1})
    endif()
  else()
    string(REGEX REPLACE "^.* " "" name "${line}")
    list(APPEND exported ${name})
  endif()
endforeach()

list(SORT exported)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "${MODULE} exports: ${exported}")
endif()
message(STATUS "exports: ${exported}")

# libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll: not on a user's
# machine. Windows' own DLLs never start with "lib".
if(OBJDUMP)
  message(STATUS "imports: ${imported}")
  foreach(dll ${imported})
    if(dll MATCHES "^[Ll][Ii][Bb]")
      message(FATAL_ERROR "${MODULE} needs ${dll}, which is not part of Windows")
    endif()
  endforeach()
  # Their last bits differ between Windows versions (and Wine), and the sound
  # must be the same on every machine, Linux included: the engine computes its
  # own tanh, and sin and pow come linked in from MinGW's runtime.
  foreach(function ${imported_functions})
    if(function MATCHES "^(sin|cos|tan|asin|acos|atan|atan2|sinh|cosh|tanh|exp|exp2|expm1|log|log2|log10|log1p|pow|cbrt|hypot)f?$")
      message(FATAL_ERROR "${MODULE} takes ${function} from the system's C runtime")
    endif()
  endforeach()
endif()
