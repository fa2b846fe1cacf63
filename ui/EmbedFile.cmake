# Writes INPUT's bytes as a C++ array (ui::kLogoJpeg) into OUTPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n\nnamespace ui {\n\
extern const unsigned char kLogoJpeg[];\nextern const std::size_t kLogoJpegSize;\n\
const unsigned char kLogoJpeg[] = {\n${bytes}\n};\nconst std::size_t kLogoJpegSize = ${size};\n}  // namespace ui\n")
