#include "platform/drawing/PicturesAhead.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/drawing/EmbeddedPictures.h"
#include "platform/drawing/PicturesAhead_p.h"
#include "platform/drawing/PngImage.h"

namespace mirto {

struct TPicturesAhead::Store {
  struct Picture {
    QString name;
    // Read by the thread that made the store: the decoding thread touches
    // nothing of the toolkit's, which takes the first thread that makes one
    // of its objects for the program's main thread.
    QByteArray file;
  };
  std::vector<Picture> pictures;  // in the order the thread decodes them
  std::mutex mutex;
  std::condition_variable decoded;
  std::size_t done = 0;  // how many of the pictures the thread has been through
  std::map<QString, TPngPixels> ready;
  std::thread thread;

  bool Pending(const QString& name) const {
    return std::any_of(pictures.begin() + std::ptrdiff_t(done), pictures.end(),
                       [&](const Picture& picture) { return picture.name == name; });
  }

  void Run() {
    for (const Picture& picture : pictures) {
      std::optional<TPngPixels> pixels;
      const QByteArray& data = picture.file;
      if (!data.isEmpty() && std::size_t(data.size()) <= TPngImage::kMaxFileBytes) {
        try {
          pixels = DecodePng(std::span<const std::uint8_t>(
              reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())));
        } catch (const EPngError&) {
          // Left to the load, which reports it.
        }
      }
      {
        const std::lock_guard lock(mutex);
        ++done;
        if (pixels) ready.insert_or_assign(picture.name, std::move(*pixels));
      }
      decoded.notify_all();
    }
  }
};

namespace {

// The pictures ahead now, if any.
std::mutex g_currentMutex;
std::weak_ptr<TPicturesAhead::Store> g_current;

}  // namespace

TPicturesAhead::TPicturesAhead(const QStringList& names) : store_(std::make_shared<Store>()) {
  const std::lock_guard current(g_currentMutex);
  if (!g_current.expired() || names.isEmpty()) return;
  for (const QString& name : names) store_->pictures.push_back({name, EmbeddedPicture(name)});
  try {
    store_->thread = std::thread([store = store_.get()] { store->Run(); });
  } catch (const std::system_error&) {
    store_->pictures.clear();  // no thread: every picture decodes when loaded
    return;
  }
  g_current = store_;
}

TPicturesAhead::~TPicturesAhead() {
  Wait();
  const std::lock_guard current(g_currentMutex);
  if (g_current.lock() == store_) g_current.reset();
}

void TPicturesAhead::Wait() {
  if (store_->thread.joinable()) store_->thread.join();
}

std::size_t TPicturesAhead::Waiting() const {
  const std::lock_guard lock(store_->mutex);
  return store_->ready.size();
}

std::optional<TPngPixels> TakePictureDecodedAhead(const QString& name) {
  std::shared_ptr<TPicturesAhead::Store> store;
  {
    const std::lock_guard current(g_currentMutex);
    store = g_current.lock();
  }
  if (!store) return std::nullopt;
  std::unique_lock lock(store->mutex);
  store->decoded.wait(lock, [&] { return !store->Pending(name); });
  const auto it = store->ready.find(name);
  if (it == store->ready.end()) return std::nullopt;
  TPngPixels pixels = std::move(it->second);
  store->ready.erase(it);
  return pixels;
}

}  // namespace mirto
