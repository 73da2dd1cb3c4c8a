// JPEG through libjpeg. The library reports fatal errors through a callback that must
// not return; it jumps back here, and everything allocated so far is released.

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "objects/image_decode.h"

namespace quarlo {

namespace {

struct JpegError {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool dataEnded = false;  // the scan data ran out (file end or the next marker): the rest is filler
};

void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

void NoteJpegWarning(j_common_ptr info, int level) {
  const int code = info->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) {
    reinterpret_cast<JpegError*>(info->err)->dataEnded = true;
  }
}

}  // namespace

DecodedImage DecodeJpeg(std::string_view bytes) {
  DecodedImage out;
  if (bytes.size() < 4) {
    out.error = "JPEG data is truncated";
    return out;
  }
  jpeg_decompress_struct info{};
  JpegError err{};
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnJpegError;
  err.base.output_message = IgnoreJpegMessage;
  err.base.emit_message = NoteJpegWarning;
  // Everything that must survive the jump lives outside this frame's registers.
  std::vector<std::uint8_t> row;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    DecodedImage failed;
    failed.error = std::string("JPEG data is broken: ") + err.message;
    return failed;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (std::string size = CheckImageSize(info.image_width, info.image_height); !size.empty()) {
    jpeg_destroy_decompress(&info);
    out.error = size;
    return out;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  const int w = static_cast<int>(info.output_width), h = static_cast<int>(info.output_height);
  const int comps = info.output_components;
  out.image.width = w;
  out.image.height = h;
  out.image.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0xFFFFFFFFu);
  row.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(comps));
  // Adobe writes CMYK inverted; that is what every CMYK JPEG in practice carries.
  const bool inverted = cmyk && info.saw_Adobe_marker;
  // A short file claiming millions of pixels would otherwise decode filler row by row;
  // once a single-scan file's data has ended, the rows left stay white.
  const bool singleScan = !jpeg_has_multiple_scans(&info);
  bool stoppedEarly = false;
  while (info.output_scanline < info.output_height) {
    if (singleScan && err.dataEnded) {
      stoppedEarly = true;
      break;
    }
    JSAMPROW rows[1] = {row.data()};
    const int y = static_cast<int>(info.output_scanline);
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    std::uint32_t* dst = out.image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = row.data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(comps);
      std::uint32_t r, g, b;
      if (cmyk) {
        unsigned c = p[0], m = p[1], yy = p[2], k = p[3];
        if (!inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
        r = c * k / 255, g = m * k / 255, b = yy * k / 255;
      } else if (comps == 1) {
        r = g = b = p[0];
      } else {
        r = p[0], g = p[1], b = p[2];
      }
      dst[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  }
  if (stoppedEarly) {
    jpeg_abort_decompress(&info);
  } else {
    jpeg_finish_decompress(&info);
  }
  jpeg_destroy_decompress(&info);
  return out;
}

}  // namespace quarlo
