#include "support/barcode_scan.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quarlo::scan {

GreyImage RasteriseRuns(const std::vector<BarRun>& runs, const RasterOptions& options) {
  int modules = 2 * options.quietModules;
  for (const BarRun& run : runs) modules += run.width;
  GreyImage image;
  image.width = modules * options.modulePixels;
  image.height = options.barHeight + 2 * options.margin;
  image.pixels.assign(static_cast<size_t>(image.width) * image.height, 255);

  const int shortTop = options.margin + options.barHeight - options.barHeight * 2 / 5;
  int x = options.quietModules * options.modulePixels;
  for (const BarRun& run : runs) {
    const int w = run.width * options.modulePixels;
    if (run.dark) {
      const int top = run.shortBar ? shortTop : options.margin;
      for (int y = top; y < options.margin + options.barHeight; ++y) {
        for (int i = 0; i < w; ++i) image.pixels[static_cast<size_t>(y) * image.width + x + i] = 0;
      }
    }
    x += w;
  }
  return image;
}

bool WritePgm(const GreyImage& image, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P5\n" << image.width << ' ' << image.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size()));
  return static_cast<bool>(out);
}

bool ZbarAvailable() { return std::system("zbarimg --version >/dev/null 2>&1") == 0; }

std::vector<std::string> ZbarDecode(const GreyImage& image,
                                    const std::vector<std::string>& settings) {
  static std::atomic<int> counter{0};
  const auto path = std::filesystem::temp_directory_path() /
                    ("quarlo-barcode-" + std::to_string(getpid()) + "-" +
                     std::to_string(counter++) + ".pgm");
  std::vector<std::string> lines;
  if (!WritePgm(image, path.string())) return lines;

  std::string command = "zbarimg -q --nodbus";
  for (const std::string& setting : settings) command += " -S" + setting;
  command += " '" + path.string() + "' 2>/dev/null";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::string output;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
    size_t start = 0;
    while (start < output.size()) {
      size_t end = output.find('\n', start);
      if (end == std::string::npos) end = output.size();
      lines.push_back(output.substr(start, end - start));
      start = end + 1;
    }
  }
  std::filesystem::remove(path);
  return lines;
}

}  // namespace quarlo::scan
