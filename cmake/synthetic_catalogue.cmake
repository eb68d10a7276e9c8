# Writes a message source of COUNT entries (identifiers from 1000) whose texts have the shipped
# catalogues' typical length, for the benchmark's synthetic catalogue sets.
#   cmake -DOUT=file.mc -DCOUNT=n -P synthetic_catalogue.cmake
set(description "Synthetic entry for timing the lookup window. Its text has the length of a")
string(APPEND description " typical shipped description, so that fetching and splitting a message")
string(APPEND description " costs what it costs on the real catalogues. Nothing in it is meant to be")
string(APPEND description " read; the benchmark only selects it, looks it up and measures the time.")
set(content "MessageIdTypedef=DWORD\nLanguageNames=(English=0x409:MSG00409)\n\n")
math(EXPR last "1000 + ${COUNT} - 1")
foreach(id RANGE 1000 ${last})
    string(APPEND content "MessageId=${id}\nLanguage=English\n2 synthetic message ${id}•\n"
                          "${description}\n.\n\n")
endforeach()
file(WRITE "${OUT}" "${content}")
