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

namespace {

// A PGM file of the image, removed with this object.
class ScratchImage {
 public:
  explicit ScratchImage(const GreyImage& image) {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("quarlo-barcode-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".pgm");
    written_ = WritePgm(image, path_.string());
  }
  ~ScratchImage() { std::filesystem::remove(path_); }
  bool Written() const { return written_; }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  bool written_ = false;
};

std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

// The Debian interpreter, where the distribution's zxing-cpp module is installed.
constexpr const char* kPython = "/usr/bin/python3";
// One line, in single quotes on the command line.
constexpr const char* kZxingScript =
    "import sys, zxingcpp; from PIL import Image; "
    "r = zxingcpp.read_barcode(Image.open(sys.argv[1]).convert(\"L\")); "
    "r and r.valid and sys.stdout.write(str(r.format).split(\".\")[-1] + \":\" + r.text)";

}  // namespace

std::vector<std::string> ZbarDecode(const GreyImage& image,
                                    const std::vector<std::string>& settings) {
  std::vector<std::string> lines;
  const ScratchImage file(image);
  if (!file.Written()) return lines;
  std::string command = "zbarimg -q --nodbus";
  for (const std::string& setting : settings) command += " -S" + setting;
  command += " '" + file.Path() + "' 2>/dev/null";
  const std::string output = Output(command);
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    lines.push_back(output.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool ZxingAvailable() {
  return std::system((std::string(kPython) + " -c 'import zxingcpp, PIL' >/dev/null 2>&1").c_str()) == 0;
}

std::string ZxingDecode(const GreyImage& image) {
  const ScratchImage file(image);
  if (!file.Written()) return {};
  return Output(std::string(kPython) + " -c '" + kZxingScript + "' '" + file.Path() + "' 2>/dev/null");
}

}  // namespace quarlo::scan
