# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P gzip.cmake: one file, gzip-compressed, nothing else around it.
file(ARCHIVE_CREATE OUTPUT "${OUTPUT}" PATHS "${INPUT}" FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
