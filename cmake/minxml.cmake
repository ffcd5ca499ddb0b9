# cmake -DINPUT=<file.xml> -DOUTPUT=<file> -P minxml.cmake: the same XML without its comments and the
# white space between its tags, which Windows does not read; what the program carries is that much smaller.
file(READ "${INPUT}" xml)
string(REGEX REPLACE "<!--[^>]*-->" "" xml "${xml}")
string(REGEX REPLACE ">[ \t\r\n]+<" "><" xml "${xml}")
string(STRIP "${xml}" xml)
file(WRITE "${OUTPUT}" "${xml}")
