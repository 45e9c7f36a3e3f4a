// Gallery section: the two popup menu styles, each with a selected entry, a
// disabled entry and separators, and the smoothed title label over the
// title bar's gradient.

#include <QStringList>

#include "components/KvoMenuPainter.h"
#include "components/KvoTitleLabel.h"
#include "graphics/PngImageList.h"
#include "launcher/MirtoVersion.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/EmbeddedPictures.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ShortCut.h"
#include "tools/gallery/GallerySheet.h"

namespace mirto::gallery {
namespace {

// One of the program's menu images, by name.
void AddArtwork(TPngImageList& list, const char* name) {
  TPngImage png;
  png.LoadFromBytes(EmbeddedPicture(QString::fromLatin1(name)));
  list.AddPng(&png, clWindow);
}

void AddEntry(TPopupMenu& menu, const QString& caption, int image, bool enabled = true,
              TShortCut shortCut = scNone) {
  auto* item = new TMenuItem();
  item->SetCaption(caption);
  item->SetImageIndex(image);
  item->SetEnabled(enabled);
  item->SetShortCut(shortCut);
  menu.Items()->Add(item);
}

void MenuShot(TSection& section, const QString& label, const TKvoMenuStyle& style,
              const TPopupMenu& menu, int selected) {
  const TKvoMenuPainter painter(style);
  TBitmap measure;
  const TSize size = painter.PaintPreview(measure.Canvas(), {0, 0}, menu, selected);
  TBitmap& picture = section.Add(label, size.cx + 20, size.cy + 20, 0x00D6D6D6);
  painter.PaintPreview(picture.Canvas(), {10, 10}, menu, selected);
}

void DrawMenusAndTitle(TSection& section) {
  TPngImageList images;
  images.SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});
  for (const char* name : {"menu-audio-extractor", "menu-m4a-mp3", "menu-flac-mp3", "menu-ape-mp3",
                           "menu-execute", "menu-folder-open", "menu-internet"})
    AddArtwork(images, name);

  TPopupMenu audio;
  audio.SetImages(&images);
  AddEntry(audio, "Audio Converter && Extractor", 0, true, ShortCut('1', {ssAlt}));
  AddEntry(audio, "-", -1);
  AddEntry(audio, "CATEGORY:   Audio -> MP3", -1, true, ShortCut('2', {ssAlt}));
  AddEntry(audio, "M4A, AAC -> MP3 / WAV", 1);
  AddEntry(audio, "FLAC -> MP3 / WAV", 2, false);
  AddEntry(audio, "-", -1);
  AddEntry(audio, "APE CUE Splitter", 3);
  MenuShot(section, "amsDark: selected, disabled, separators", DarkMenuStyle(), audio, 3);

  TPopupMenu button;
  button.SetImages(&images);
  AddEntry(button, "Run program", 4);
  AddEntry(button, "-", -1);
  AddEntry(button, "Open program folder", 5, false);
  AddEntry(button, "https://www.example.com/", 6);
  MenuShot(section, "amsLight: selected, disabled, separator", LightMenuStyle(), button, 3);
  section.NewRow();

  TFont font;
  font.SetName(kWindowFontName);
  font.SetHeight(-17);
  font.SetStyle({fsBold});
  TKvoTitleLook look;
  look.Text = look.ShadowText = QStringLiteral("Mirto " MIRTO_VERSION_TEXT " [64-bit]");
  look.Font = &font;
  ApplyTitleCaptionLook(look);
  constexpr int kBarWidth = 615, kBarHeight = 41;
  TBitmap& bar = section.Add("title label over the title bar", kBarWidth, kBarHeight);
  GradientFillCanvas(bar.Canvas(), kTitleBarTop, kTitleBarBottom, {0, 0, kBarWidth, kBarHeight},
                     gdHorizontal);
  const TSize size = MeasureTitle(look);
  DrawTitle(bar.Canvas(), {kBarWidth / 2 - size.cx / 2, 11}, look);
}

const TSectionRegistration registration(70, "Styled popup menus and title label",
                                        &DrawMenusAndTitle);

}  // namespace
}  // namespace mirto::gallery
