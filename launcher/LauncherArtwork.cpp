#include "launcher/LauncherArtwork.h"

namespace mirto {

const std::array<TMainListImage, kMainImageCount>& MainListImages() {
  // Indexes 6 to 26 carry the list's generated names PngImage24 to PngImage44.
  static const std::array<TMainListImage, kMainImageCount> images{{
      {"Exit", "menu-exit"},
      {"Tray", "menu-tray"},
      {"Home page", "menu-home-page"},
      {"About", "menu-about"},
      {"Facebook", "menu-neutral-tiles"},
      {"Twitter", "menu-neutral-diamond"},
      {"PngImage24", "menu-3gp-avi"},
      {"PngImage25", "menu-ape-mp3"},
      {"PngImage26", "menu-audio-extractor"},
      {"PngImage27", "menu-portable"},
      {"PngImage28", "menu-avi-mp3"},
      {"PngImage29", "menu-avi-mp4"},
      {"PngImage30", "menu-flac-mp3"},
      {"PngImage31", "menu-flv-avi"},
      {"PngImage32", "menu-flv-mp3"},
      {"PngImage33", "menu-mp3-encoder"},
      {"PngImage34", "menu-mkv-avi"},
      {"PngImage35", "menu-mkv-mp4"},
      {"PngImage36", "menu-mov-avi"},
      {"PngImage37", "menu-video-mp4"},
      {"PngImage38", "menu-m4a-mp3"},
      {"PngImage39", "menu-video-ogv"},
      {"PngImage40", "menu-video"},
      {"PngImage41", "menu-flv-3gp"},
      {"PngImage42", "menu-video-webm"},
      {"PngImage43", "menu-webm-mp3"},
      {"PngImage44", "menu-wma-mp3"},
      {"execute", "menu-execute"},
      {"folder_open", "menu-folder-open"},
      {"internet", "menu-internet"},
  }};
  return images;
}

int LoadMainImageList(TPngImageList& list, int scale) {
  list.Clear();
  list.SetSize(16 * scale, 16 * scale);
  list.SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});
  int found = 0;
  TPngImage picture;
  list.BeginUpdate();
  for (const TMainListImage& image : MainListImages()) {
    // A missing picture still takes its place, so every index keeps its meaning.
    if (picture.LoadFromResourceName(image.Picture, scale)) ++found;
    const int index = list.AddPng(&picture, clWindow);
    list.PngImages().Items(index)->SetName(image.Name);
  }
  list.EndUpdate();
  return found;
}

bool LoadApplicationIcon(TIcon& icon) { return icon.LoadFromResourceName(kApplicationIcon); }

}  // namespace mirto
