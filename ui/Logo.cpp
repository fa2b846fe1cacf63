#include "ui/Logo.h"

#include <QtGlobal>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>

namespace ui {

extern const unsigned char kLogoJpeg[];
extern const std::size_t kLogoJpegSize;

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: jump back.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ExitWithError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings about a damaged but readable picture: the picture still shows.
void IgnoreMessage(j_common_ptr) {}

struct RawImage {
  unsigned char* pixels = nullptr;  // malloc'd RGB rows
  unsigned width = 0;
  unsigned height = 0;
};

// Plain C state only between setjmp and longjmp: nothing here has a destructor.
bool DecodeRaw(const unsigned char* data, std::size_t size, RawImage* out, ErrorManager* errors) {
  jpeg_decompress_struct info;
  info.err = jpeg_std_error(&errors->pub);
  errors->pub.error_exit = ExitWithError;
  errors->pub.output_message = IgnoreMessage;
  errors->message[0] = '\0';
  if (setjmp(errors->jump) != 0) {
    jpeg_destroy_decompress(&info);
    std::free(out->pixels);
    out->pixels = nullptr;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out->width = info.output_width;
  out->height = info.output_height;
  out->pixels = static_cast<unsigned char*>(std::malloc(std::size_t{out->width} * out->height * 3));
  if (out->pixels == nullptr) {
    std::strcpy(errors->message, "out of memory");
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->pixels + std::size_t{info.output_scanline} * out->width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size, std::string* error) {
  RawImage raw;
  ErrorManager errors;
  if (!DecodeRaw(data, size, &raw, &errors)) {
    if (error != nullptr) *error = errors.message;
    return {};
  }
  QImage image(static_cast<int>(raw.width), static_cast<int>(raw.height), QImage::Format_RGB888);
  for (unsigned y = 0; y < raw.height; ++y) {
    std::memcpy(image.scanLine(static_cast<int>(y)), raw.pixels + std::size_t{y} * raw.width * 3,
                std::size_t{raw.width} * 3);
  }
  std::free(raw.pixels);
  return image;
}

const QImage& LogoImage() {
  static const QImage logo = [] {
    std::string error;
    QImage image = DecodeJpeg(kLogoJpeg, kLogoJpegSize, &error);
    // The picture is part of the program; a failure here is a build fault, not a user's.
    if (image.isNull()) qWarning("The logo cannot be decoded: %s", error.c_str());
    return image;
  }();
  return logo;
}

}  // namespace ui
