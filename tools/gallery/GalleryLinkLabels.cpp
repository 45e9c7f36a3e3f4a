// Gallery section: the link label in each of its five looks, with the
// pointer it shows.

#include "components/KvoLinkLabel.h"
#include "platform/drawing/Canvas.h"
#include "tools/gallery/GallerySheet.h"

namespace mirto::gallery {
namespace {

class PreviewLabel : public TKvoLinkLabel {
 public:
  using TKvoLinkLabel::MouseEnter;
  using TKvoLinkLabel::MouseLeave;
};

void Shot(TSection& section, PreviewLabel& label, const QString& state) {
  TBitmap& picture =
      section.Add(state + (label.Cursor() == crHandPoint ? QStringLiteral(", hand")
                                                         : QStringLiteral(", arrow")),
                  230, 28, RGB(250, 250, 250));
  TCanvas& canvas = picture.Canvas();
  canvas.Font().Assign(&label.Font());
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(6, 6, label.Caption());
}

void DrawLinkLabels(TSection& section) {
  const struct {
    const char* font;
    int size;
  } faces[] = {{"Tahoma", 8}, {"Segoe UI", 10}};
  for (const auto& face : faces) {
    PreviewLabel label;
    label.SetCaption(QStringLiteral("www.example.com/converters"));
    label.SetFontsNameAndSize(QString::fromUtf8(face.font), face.size);
    const QString suffix =
        QStringLiteral(" (%1 %2)").arg(QString::fromUtf8(face.font)).arg(face.size);
    Shot(section, label, QStringLiteral("normal") + suffix);
    label.MouseEnter();
    Shot(section, label, QStringLiteral("hot"));
    label.SetVisited(true);
    label.MouseLeave();
    Shot(section, label, QStringLiteral("visited"));
    label.MouseEnter();
    Shot(section, label, QStringLiteral("visited, hot"));
    label.MouseLeave();
    label.SetEnabled(false);
    Shot(section, label, QStringLiteral("disabled"));
    section.NewRow();
  }
}

const TSectionRegistration registration(30, "Link label (TKvoLinkLabel)", &DrawLinkLabels);

}  // namespace
}  // namespace mirto::gallery
