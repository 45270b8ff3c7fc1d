# Delay-loaded DLLs of the Windows builds. vireloc_delay_import(<var> <name>...) makes, for each
# <name>.dll, an import library whose functions load the DLL at their first call instead of at
# start, and sets <var> to their paths. Under Wine a DLL loaded at start holds private memory
# for the program's whole life (comctl32 decodes three 256x256 icons as it loads, bcrypt starts
# GnuTLS), so the DLLs that only a dialog or the update check needs wait until then.
#
# Made when the tree is configured, from the MinGW import library's own list of functions, so
# every function stays reachable. Link the MinGW library after it: its data objects (in6addr_any)
# still come from there, and the delay library answers every import before it.
find_program(VIRELOC_NM NAMES ${MINGW_TRIPLET}-nm REQUIRED)
find_program(VIRELOC_DLLTOOL NAMES ${MINGW_TRIPLET}-dlltool REQUIRED)

function(vireloc_delay_import var)
  set(made "")
  set(folder ${PROJECT_BINARY_DIR}/delay)
  file(MAKE_DIRECTORY ${folder})
  foreach(name IN LISTS ARGN)
    find_library(VIRELOC_IMPORT_${name} NAMES ${name} REQUIRED NO_CACHE)
    execute_process(COMMAND ${VIRELOC_NM} -g ${VIRELOC_IMPORT_${name}}
      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # x86-64: "__imp_Name"; i686: "__imp__Name@12" (dlltool adds the underscore back).
    string(REGEX MATCHALL "I __imp__?[A-Za-z0-9_@]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^I __imp_" "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      list(TRANSFORM imports REPLACE "^_" "")
      set(kill_at --kill-at)
    else()
      set(kill_at "")
    endif()
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n" lines)
    file(WRITE ${folder}/${name}.def "EXPORTS\n${lines}\n")
    execute_process(COMMAND ${VIRELOC_DLLTOOL} ${kill_at} --input-def ${folder}/${name}.def
      --dllname ${name}.dll --output-delaylib ${folder}/lib${name}_delay.a
      COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND made ${folder}/lib${name}_delay.a)
  endforeach()
  set(${var} ${made} PARENT_SCOPE)
endfunction()
