# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -DZOPFLI=<zopfli> -P gzip.cmake: one file, gzip-compressed,
# nothing else around it. zopfli writes the gzip format some 8 % smaller than gzip -9 (the splash
# picture 25,170 B instead of 27,271 B), always the same bytes, with a zero time in its header, so
# the program is the same byte for byte from build to build.
execute_process(COMMAND "${ZOPFLI}" --gzip -c "${INPUT}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE failed)
if(failed)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "zopfli could not compress ${INPUT}")
endif()
