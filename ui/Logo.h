#pragma once
// The maker's logo shown in the window's top-right corner, decoded with libjpeg.

#include <QImage>
#include <cstddef>
#include <string>

namespace ui {

// Decodes a JPEG held in memory to an RGB image. On failure returns a null image and puts
// libjpeg's reason into *error.
QImage DecodeJpeg(const unsigned char* data, std::size_t size, std::string* error);

// The logo compiled into the program (158 x 42). Decoded once.
const QImage& LogoImage();

}  // namespace ui
