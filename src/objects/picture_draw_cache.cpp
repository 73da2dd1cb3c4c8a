#include "objects/picture_draw_cache.h"

#include <functional>
#include <list>
#include <mutex>

namespace quarlo {

namespace {

struct Entry {
  std::size_t hash;
  std::size_t length;
  TGraphicKind kind;
  std::shared_ptr<const DecodedImage> image;
};

struct Cache {
  std::mutex lock;
  std::list<Entry> entries;  // most recent first
  std::size_t pixels = 0;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

}  // namespace

std::shared_ptr<const DecodedImage> DecodedPicture(const TPicture& picture) {
  const std::string& data = picture.Data();
  const std::size_t hash = std::hash<std::string_view>{}(data);
  Cache& cache = TheCache();
  {
    std::lock_guard guard(cache.lock);
    for (auto it = cache.entries.begin(); it != cache.entries.end(); ++it) {
      if (it->hash == hash && it->length == data.size() && it->kind == picture.Kind()) {
        cache.entries.splice(cache.entries.begin(), cache.entries, it);
        return it->image;
      }
    }
  }
  auto decoded = std::make_shared<const DecodedImage>(DecodeGraphic(picture.Kind(), data));
  const std::size_t size = decoded->image.Size();
  std::lock_guard guard(cache.lock);
  if (size <= kDecodedCachePixels) {
    cache.entries.push_front(Entry{hash, data.size(), picture.Kind(), decoded});
    cache.pixels += size;
    while (cache.pixels > kDecodedCachePixels || cache.entries.size() > 256) {
      cache.pixels -= cache.entries.back().image->image.Size();
      cache.entries.pop_back();
    }
  }
  return decoded;
}

void ClearDecodedPictures() {
  Cache& cache = TheCache();
  std::lock_guard guard(cache.lock);
  cache.entries.clear();
  cache.pixels = 0;
}

}  // namespace quarlo
