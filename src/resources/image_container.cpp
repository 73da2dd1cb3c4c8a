#include "resources/image_container.h"

#include <zlib.h>

#include <cstring>

#include "resources/resources.h"

namespace quarlo {
namespace {

constexpr uint8_t kFlagText = 0x01, kFlagName = 0x08;
constexpr size_t kTrailerSize = 8;  // CRC-32 and length of the uncompressed data

[[noreturn]] void Fail() { throw EDecompressionError(frxResources().Get("clDecompressError")); }

uint32_t ReadLittleEndian32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::string Inflate(const std::string& zlibStream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) Fail();
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibStream.data()));
  z.avail_in = static_cast<uInt>(zlibStream.size());
  std::string out;
  char chunk[16384];
  int status = Z_OK;
  while (status == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    status = inflate(&z, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) break;
    out.append(chunk, sizeof chunk - z.avail_out);
    if (out.size() > kMaxImageContainerOutput) { status = Z_MEM_ERROR; break; }
  }
  inflateEnd(&z);
  if (status != Z_STREAM_END) Fail();
  return out;
}

}  // namespace

std::string InflateImageContainer(std::string_view container) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(container.data());
  const size_t size = container.size();
  // Fixed header: ID1 ID2 CM FLG MTIME(4) XFL OS.
  if (size < 10 + kTrailerSize || bytes[0] != 0x1F || bytes[1] != 0x8B || bytes[2] != 0x08) Fail();
  const uint8_t flags = bytes[3];
  // A header CRC, extra field or comment would shift the body; such a container was
  // not written by our tool, and guessing its layout could inflate the wrong bytes.
  if (flags & ~(kFlagText | kFlagName)) Fail();
  size_t position = 10;
  if (flags & kFlagName) {
    const void* end = std::memchr(bytes + position, 0, size - position);
    if (end == nullptr) Fail();
    position = static_cast<size_t>(static_cast<const unsigned char*>(end) - bytes) + 1;
  }
  if (position + kTrailerSize > size) Fail();

  std::string zlibStream;
  zlibStream.reserve(size - position - kTrailerSize + 6);
  zlibStream.push_back(static_cast<char>(0x78));
  zlibStream.push_back(static_cast<char>(0xDA));
  zlibStream.append(container.substr(position, size - position - kTrailerSize));
  zlibStream.append(container.substr(4, 4));  // MTIME, already big-endian: the Adler-32
  std::string data = Inflate(zlibStream);

  // The gzip trailer must agree too, so the container also reads as a plain gzip file.
  const unsigned char* trailer = bytes + size - kTrailerSize;
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  if (ReadLittleEndian32(trailer) != static_cast<uint32_t>(crc) ||
      ReadLittleEndian32(trailer + 4) != static_cast<uint32_t>(data.size()))
    Fail();
  return data;
}

std::string MakeImageContainer(std::string_view data) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK) Fail();
  std::string body(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(body.data());
  z.avail_out = static_cast<uInt>(body.size());
  const int status = deflate(&z, Z_FINISH);
  body.resize(body.size() - z.avail_out);
  deflateEnd(&z);
  if (status != Z_STREAM_END) Fail();

  const auto* raw = reinterpret_cast<const Bytef*>(data.data());
  const auto length = static_cast<uInt>(data.size());
  const uint32_t adler = static_cast<uint32_t>(adler32(adler32(0L, Z_NULL, 0), raw, length));
  const uint32_t crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), raw, length));
  std::string out;
  out += "\x1F\x8B\x08";
  out.push_back(static_cast<char>(kFlagName));
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((adler >> shift) & 0xFF));
  out.push_back(static_cast<char>(2));     // XFL: best compression
  out.push_back(static_cast<char>(0xFF));  // OS: unknown
  out.append("1", 2);                      // name and its terminating zero
  out += body;
  for (uint32_t value : {crc, static_cast<uint32_t>(data.size())})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
  return out;
}

}  // namespace quarlo
