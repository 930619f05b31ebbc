# Writes the English texts of the "Localizable" context of a Qt string table
# (.ts) as a C++ source, so that the command line, which has no Qt, shows the
# same texts as the windows. The source defines
#   std::span<const std::pair<std::string_view, std::string_view>> englishStringEntries()
# Called in script mode: cmake -DINPUT=atnlingo_en.ts -DOUTPUT=... -P EnglishStrings.cmake
file(READ "${INPUT}" content)

# Lists are ";"-separated in CMake: set the texts' own semicolons aside.
string(REPLACE ";" "@SEMICOLON@" content "${content}")
string(REGEX MATCH "<context>[ \t\r\n]*<name>Localizable</name>.*" context "${content}")
string(FIND "${context}" "</context>" end)
if(context STREQUAL "" OR end EQUAL -1)
    message(FATAL_ERROR "${INPUT} has no \"Localizable\" context")
endif()
string(SUBSTRING "${context}" 0 ${end} context)

function(unescape variable text)
    string(REPLACE "&lt@SEMICOLON@" "<" text "${text}")
    string(REPLACE "&gt@SEMICOLON@" ">" text "${text}")
    string(REPLACE "&quot@SEMICOLON@" "\"" text "${text}")
    string(REPLACE "&apos@SEMICOLON@" "'" text "${text}")
    string(REPLACE "&amp@SEMICOLON@" "&" text "${text}")
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()

set(delimiter "atnlingo_txt")
set(entries "")
string(REGEX MATCHALL "<message>.*</message>" messages "${context}")
string(REPLACE "</message>" "</message>;" messages "${messages}")
foreach(message IN LISTS messages)
    if(NOT message MATCHES "<source>([^<]*)</source>")
        continue()
    endif()
    set(source "${CMAKE_MATCH_1}")
    if(NOT message MATCHES "<translation>([^<]*)</translation>")
        message(FATAL_ERROR "${INPUT}: the English text of \"${source}\" is missing or unfinished")
    endif()
    set(translation "${CMAKE_MATCH_1}")
    unescape(source "${source}")
    unescape(translation "${translation}")
    string(APPEND entries "    {R\"${delimiter}(${source})${delimiter}\", R\"${delimiter}(${translation})${delimiter}\"},\n")
endforeach()
string(REPLACE "@SEMICOLON@" ";" entries "${entries}")

file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n"
    "#include <span>\n#include <string_view>\n#include <utility>\n\n"
    "std::span<const std::pair<std::string_view, std::string_view>> englishStringEntries()\n{\n"
    "    static constexpr std::pair<std::string_view, std::string_view> entries[] = {\n"
    "${entries}    };\n"
    "    return entries;\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
