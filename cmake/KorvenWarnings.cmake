# korven_warnings(target): the project's warning set, errors when KORVEN_WERROR is on.
function(korven_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(KORVEN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
