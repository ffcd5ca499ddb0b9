# cmake -DINPUT=<file> -DOUTPUT=<file.gz> [-DZOPFLI=<zopfli>] -P gzip.cmake: one file, gzip-compressed,
# nothing else around it. The gzip header would carry the time of the build; a fixed zero keeps the
# program the same byte for byte. zopfli writes the same format some 8 % smaller (the splash picture
# 25,170 B instead of 27,271 B), always the same bytes, and with a zero time of its own.
if(ZOPFLI)
  execute_process(COMMAND "${ZOPFLI}" --gzip -c "${INPUT}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "zopfli could not compress ${INPUT}")
  endif()
else()
  set(ENV{SOURCE_DATE_EPOCH} 0)
  file(ARCHIVE_CREATE OUTPUT "${OUTPUT}" PATHS "${INPUT}" FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
endif()
