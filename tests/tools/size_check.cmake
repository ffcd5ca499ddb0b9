# cmake -DFILE=<program.exe> -DMAX=<bytes> -P size_check.cmake: the program stays within its size.
file(SIZE "${FILE}" size)
if(size GREATER MAX)
  message(FATAL_ERROR "${FILE}: ${size} bytes, more than the ${MAX} allowed")
endif()
message(STATUS "${FILE}: ${size} bytes (at most ${MAX})")
