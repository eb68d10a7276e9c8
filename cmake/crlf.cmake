# cmake -DIN=<file> -DOUT=<file> -P crlf.cmake
# Message texts must carry CR LF line breaks (the text layout skips two characters after the
# separator), whatever line ends the source file has on disk.
file(READ "${IN}" content)
string(REPLACE "\r\n" "\n" content "${content}")
string(REPLACE "\n" "\r\n" content "${content}")
file(WRITE "${OUT}" "${content}")
