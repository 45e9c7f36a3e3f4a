// Gallery section: panel backgrounds and borders, and the main window's
// background built from its four panels.

#include "components/KvoPanel.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Canvas.h"
#include "tools/gallery/GallerySheet.h"

namespace mirto::gallery {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 64;

void Shot(TSection& section, TKvoPanel& panel, const QString& label, TColor behind = clWhite) {
  TBitmap& picture = section.Add(label, panel.Width(), panel.Height(), behind);
  panel.PaintTo(picture.Canvas());
}

void Gradient(TKvoGradientEx& g, std::uint32_t from, std::uint32_t to) {
  g.SetColorFrom(TColorFromUnsigned(from));
  g.SetColorTo(TColorFromUnsigned(to));
}

void SetAllBorders(TKvoPanel& panel, TColor color, int width, bool border3D) {
  TKvoPanelBorders& b = panel.Appearance().Borders();
  for (TKvoPanelBorder* side : {&b.Left(), &b.Right(), &b.Top(), &b.Bottom()}) {
    side->Pen().SetColor(color);
    side->Pen().SetWidth(width);
    side->SetBorder3D(border3D);
  }
}

void DrawBackgrounds(TSection& section) {
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    Shot(section, panel, QStringLiteral("new panel"));
  }
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    panel.Appearance().SetDrawGradient(false);
    panel.Appearance().SetBackgroundColor(RGB(255, 236, 200));
    Shot(section, panel, QStringLiteral("DrawGradient false"));
  }
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    Gradient(panel.Appearance().UpperGradient(), 0x00F0C080, 0x00A06020);
    Gradient(panel.Appearance().BottomGradient(), 0x00402000, 0x00A06020);
    panel.Appearance().SetUpperGradientPercent(25);
    Shot(section, panel, QStringLiteral("upper 25 %"));
  }
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    SetAllBorders(panel, RGB(110, 110, 110), 3, true);
    panel.Appearance().SetBorderToGradientMargin(3);
    panel.Appearance().SetBackgroundColor(RGB(255, 255, 255));
    Shot(section, panel, QStringLiteral("borders 3, margin 3"));
  }
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    TKvoPanelBorders& b = panel.Appearance().Borders();
    b.Left().Pen().SetColor(clRed);
    b.Right().Pen().SetColor(clBlue);
    b.Top().Pen().SetColor(RGB(0, 160, 0));
    b.Bottom().Pen().SetColor(RGB(200, 140, 0));
    for (TKvoPanelBorder* side : {&b.Left(), &b.Right(), &b.Top(), &b.Bottom()})
      side->Pen().SetWidth(6);
    Shot(section, panel, QStringLiteral("borders 6, mitred"));
    for (TKvoPanelBorder* side : {&b.Left(), &b.Right(), &b.Top(), &b.Bottom()})
      side->SetBorder3D(false);
    Shot(section, panel, QStringLiteral("borders 6, flat"));
    b.Top().SetVisible(false);
    panel.Appearance().SetDrawBorder(true);
    Shot(section, panel, QStringLiteral("top border hidden"));
  }
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    panel.SetParentBackground(true);
    SetAllBorders(panel, RGB(200, 0, 0), 2, true);
    Shot(section, panel, QStringLiteral("ParentBackground"), RGB(180, 210, 240));
  }
  section.NewRow();
  {
    TKvoPanel panel;
    panel.SetBounds(0, 0, kWidth, kHeight);
    panel.Appearance().UpperGradient().SetOrientation(dgdAngle);
    panel.Appearance().UpperGradient().SetBalanceMode(bmMirror);
    Gradient(panel.Appearance().UpperGradient(), 0x00A06020, 0x00F0E0C0);
    panel.Appearance().SetUpperGradientPercent(100);
    Shot(section, panel, QStringLiteral("angle 45, mirrored"));
    panel.Appearance().UpperGradient().SetOrientation(dgdRadial);
    Shot(section, panel, QStringLiteral("radial"));
  }
}

// The main window's background: pnBg with pnAppTitle on top, pnBottom at
// the bottom and pnMain between them, 6 pixels in.
void DrawMainWindow(TSection& section) {
  TBitmap& window = section.Add(QStringLiteral("main window background, 615 x 336"), 615, 336);
  const struct {
    void (*look)(TKvoPanel&);
    TRect place;
  } panels[] = {{&ApplyBackgroundPanelLook, Bounds(0, 0, 615, 336)},
                {&ApplyTitleBarLook, Bounds(0, 0, 615, 41)},
                {&ApplyMainAreaLook, Bounds(6, 47, 603, 258)},
                {&ApplyBottomBarLook, Bounds(0, 311, 615, 25)}};
  for (const auto& each : panels) {
    TKvoPanel panel;
    panel.SetBounds(0, 0, each.place.Width(), each.place.Height());
    each.look(panel);
    TBitmap layer;
    layer.SetSize(panel.Width(), panel.Height());
    panel.PaintTo(layer.Canvas());
    window.Canvas().Draw(each.place.Left, each.place.Top, layer);
  }
}

const TSectionRegistration backgrounds(10, "Panel backgrounds and borders (TKvoPanel)",
                                       &DrawBackgrounds);
const TSectionRegistration mainWindow(11, "Panels of the main window", &DrawMainWindow);

}  // namespace
}  // namespace mirto::gallery
