# Writes the bytes of IN as the C++ array SYMBOL (and SYMBOL_size) into OUT.
# Run by quelmo_embed at build time: cmake -DIN=... -DOUT=... -DSYMBOL=... -P EmbedFile.cmake
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}.tmp"
"// Generated from ${IN}; do not edit.
extern \"C\" {
extern const unsigned char ${SYMBOL}[];
extern const unsigned long long ${SYMBOL}_size;
alignas(16) const unsigned char ${SYMBOL}[] = {
${bytes}0};
const unsigned long long ${SYMBOL}_size = ${size};
}
")
file(RENAME "${OUT}.tmp" "${OUT}")
