#pragma once
// Test helpers that check barcodes the way a reader would: rasterise bars into a grey
// image with quiet zones, then let an independent decoder read it: the zbar command-line
// tool or the zxing-cpp library (through its Python module).
#include <string>
#include <vector>

namespace quarlo::scan {

struct BarRun {
  int width = 0;  // in modules
  bool dark = false;
  bool shortBar = false;  // 2/5 of the bar height, standing on the bottom edge
};

struct RasterOptions {
  int modulePixels = 3;
  int quietModules = 15;
  int barHeight = 90;
  int margin = 12;  // white rows above and below
};

struct GreyImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;  // row-major, 0 black .. 255 white
};

// Runs side by side, left to right; a gap is simply a light run.
GreyImage RasteriseRuns(const std::vector<BarRun>& runs, const RasterOptions& options = {});

// Writes a binary PGM (P5) file; returns false when the file cannot be written.
bool WritePgm(const GreyImage& image, const std::string& path);

bool ZbarAvailable();

// Decodes the image with zbarimg and returns its lines "SYMBOLOGY:data". `settings`
// are passed as -S options ("upca.enable", "ean5.enable"). Empty when nothing is read.
std::vector<std::string> ZbarDecode(const GreyImage& image,
                                    const std::vector<std::string>& settings = {});

bool ZxingAvailable();

// Decodes the image with zxing-cpp and returns "Format:data" ("Code128:10ABC"), empty
// when nothing is read. Each call decodes one image in a process of its own: the
// library's Python module can abort the whole process on some images.
std::string ZxingDecode(const GreyImage& image);

}  // namespace quarlo::scan
