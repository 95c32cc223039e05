# Our own code builds warning-free; every target of the project calls this.
function(pelmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12's flow-based bounds warnings fire falsely inside libstdc++ once
  # std::vector and std::string code is inlined at -O2 and above. Real bounds
  # faults are caught by the sanitizer build instead.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE
      -Wno-restrict -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
  endif()
endfunction()
