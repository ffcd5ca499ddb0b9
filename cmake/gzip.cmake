# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P gzip.cmake: one file, gzip-compressed, nothing else around it.
# The gzip header would carry the time of the build; a fixed zero keeps the program the same byte for byte.
set(ENV{SOURCE_DATE_EPOCH} 0)
file(ARCHIVE_CREATE OUTPUT "${OUTPUT}" PATHS "${INPUT}" FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
