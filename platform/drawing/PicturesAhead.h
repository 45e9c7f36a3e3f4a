#pragma once

#include <QStringList>
#include <cstddef>
#include <memory>

namespace mirto {

// Decodes embedded pictures (EmbeddedPictures.h) on a thread of its own while
// the program starts the toolkit, so that the windows built next find them
// ready: TPngImage::LoadFromResourceName takes a picture decoded here instead
// of decoding it again, and waits for one still being decoded. Each picture
// is taken once; a later load decodes it as usual. Where no thread can be
// started, nothing is decoded ahead. One set of pictures is ahead at a time;
// a second object, while the first lives, decodes nothing.
class TPicturesAhead {
 public:
  explicit TPicturesAhead(const QStringList& names);
  ~TPicturesAhead();  // waits for the thread; pictures not taken are dropped
  TPicturesAhead(const TPicturesAhead&) = delete;
  TPicturesAhead& operator=(const TPicturesAhead&) = delete;

  // Returns once every picture is decoded (or found missing or damaged).
  void Wait();
  // Pictures decoded and not yet taken.
  std::size_t Waiting() const;

  struct Store;

 private:
  std::shared_ptr<Store> store_;
};

}  // namespace mirto
