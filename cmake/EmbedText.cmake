# Turns a text file into a C++ source defining
#   std::string_view <SYMBOL>()
# Called in script mode: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P EmbedText.cmake
file(READ "${INPUT}" content)
set(delimiter "atnlingo_txt")
file(WRITE "${OUTPUT}.tmp"
    "#include <string_view>\n"
    "std::string_view ${SYMBOL}()\n{\n"
    "    static constexpr std::string_view text = R\"${delimiter}(${content})${delimiter}\";\n"
    "    return text;\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
