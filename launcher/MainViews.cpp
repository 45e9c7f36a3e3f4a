#include "launcher/MainViews.h"

#include <optional>

#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "components/ButtonEx.h"
#include "launcher/ViewLayout.h"
#include "platform/system/FileSystem.h"
#include "platform/system/WindowsExecutable.h"
#include "platform/toolkit/FileDrop.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"

namespace mirto {

namespace {

void SetFontParams(TFont& font, const TFontParams& params) {
  font.SetSize(params.Size);
  font.SetColor(params.Color);
  font.SetStyle(params.Style);
}

// The focus frame in the caption's colours, which stand out on every
// button's face.
void ApplyFocusCue(TButtonEx& button, bool shown) {
  if (shown) {
    button.SetColorFocusRect(button.Font().Color());
    button.SetColorFocusRectOver(button.FontOver().Color());
    button.SetColorFocusRectDown(button.FontDown().Color());
  }
  button.SetShowFocusRect(shown);
}

}  // namespace

TMainViews::TMainViews(TForm& window, TWinControl& area, TControl& homeButton)
    : window_(window), area_(area), homeButton_(homeButton) {}

void TMainViews::ClearGroup() {
  for (int i = area_.ControlCount() - 1; i >= 0; --i) {
    TControl* child = area_.Controls(i);
    if (auto* button = dynamic_cast<TButtonEx*>(child)) {
      button->Hide();
      // Destroyed once the current event is over: the rebuild may run
      // inside an event of one of the buttons, even inside a nested loop
      // that event opened (a popup menu).
      button->Release();
    } else if (dynamic_cast<TCustomLabel*>(child) != nullptr) {
      delete child;
    }
  }
  window_.Repaint();
}

// Caption and font are given while the label loads, so it measures itself
// once, in the font it shows, and no font it never shows is prepared.
TLabel* TMainViews::NewLabel(const QString& caption, const std::function<void(TFont&)>& styleFont) {
  auto* label = new TLabel(&area_);
  label->BeginLoading();
  label->SetParent(&area_);
  label->SetCaption(caption);
  styleFont(label->Font());
  label->EndLoading();
  return label;
}

// Caption, size and fonts: the steps every view button starts with.
TButtonEx* TMainViews::NewButton(const TButtonParams& params, const QString& caption) {
  auto* button = new TButtonEx(&area_);
  button->SetParent(&area_);
  button->SetCaption(caption);
  button->SetWidth(params.Width);
  button->SetHeight(params.Height);
  return button;
}

// Pens, borders, state fonts, fills and text placement from the catalog.
void TMainViews::FinishButton(TButtonEx& button, const TButtonParams& params) {
  button.SetPenWidth(2);
  button.SetPenWidthDefault(0);
  button.SetColorBorder(params.ColorBorder);
  button.SetColorBorderOver(params.ColorBorderOver);
  button.SetColorBorderDown(params.ColorBorderDown);
  SetFontParams(button.FontOver(), params.FontOver);
  SetFontParams(button.FontDown(), params.FontDown);
  SetFontParams(button.FontFocus(), params.FontFocus);
  button.SetColorBg(params.ColorBg);
  button.SetColorBgGradientStart(params.ColorBgGradientStart);
  button.SetColorOver(params.ColorOver);
  button.SetColorOverGradientStart(params.ColorOverGradientStart);
  button.SetColorDown(params.ColorDown);
  button.SetColorDownGradientStart(params.ColorDownGradientStart);
  button.SetUseGradient(false);
  button.SetTextAlignment(taCenter);
  button.SetTextMargin(0);
  ApplyFocusCue(button, focusCues_);
}

std::vector<TButtonEx*> TMainViews::ViewButtons() const {
  std::vector<TButtonEx*> buttons;
  for (int i = 0; i < area_.ControlCount(); ++i)
    if (auto* button = dynamic_cast<TButtonEx*>(area_.Controls(i)); button && button->Visible())
      buttons.push_back(button);
  return buttons;
}

void TMainViews::ShowFocusCues(bool shown) {
  focusCues_ = shown;
  for (TButtonEx* button : ViewButtons()) ApplyFocusCue(*button, shown);
}

void TMainViews::DisplayCategories() {
  area_.Hide();
  ClearGroup();
  const int width = area_.Width();
  TCategoryViewLayout layout(width);
  const auto addHeading = [&](const QString& caption) {
    TLabel* heading = NewLabel(caption, [](TFont& font) {
      font.SetSize(11);
      font.SetStyle(font.Style() + TFontStyles{fsBold});
    });
    heading->SetTop(layout.HeadingTop());
    heading->SetLeft(CenteredLeft(width, heading->Width()));
    // White is the label's own background, never painted: the label is
    // transparent, and its text keeps the area's font colour.
    heading->SetColor(clWhite);
    heading->SetTransparent(true);
    layout.HeadingPlaced(heading->Top(), heading->Height());
  };
  const auto addButtons = [&](TMainCategory half) {
    for (const TCategoryInfo& category : Categories) {
      if (category.MainCategory != half) continue;
      const TButtonParams& params = category.Button;
      TButtonEx* button = NewButton(params, category.Title);
      SetFontParams(button->Font(), params.Font);
      button->Font().SetName(window_.Font().Name());
      button->FontOver().SetName(button->Font().Name());
      button->FontDown().SetName(button->Font().Name());
      button->FontFocus().SetName(button->Font().Name());
      const TPoint place = layout.NextButton(params.Width, params.Height);
      button->SetTop(place.Y);
      button->SetLeft(place.X);
      button->OnClick = OnCategoryClick;
      button->SetTag(category.ID);
      FinishButton(*button, params);
      button->SetVisible(true);
    }
  };
  addHeading(QStringLiteral("Video Converters"));
  addButtons(mcVideo);
  layout.HalfDone();
  addHeading(QStringLiteral("Audio Converters"));
  addButtons(mcAudio);
  window_.Repaint();
  area_.Repaint();
  area_.Show();
  homeButton_.SetEnabled(false);
}

void TMainViews::DisplayGroup(int GroupID) {
  area_.Hide();
  ClearGroup();
  const int groupIndex = IndexOfGroup(GroupID);
  if (groupIndex < 0) return;
  const TProgramGroup group = Groups[static_cast<std::size_t>(groupIndex)];
  BuildProgramView(group.Title, group.Description, group.IDs, false);
}

void TMainViews::DisplayFind(const QString& text, const std::vector<int>& programIDs) {
  area_.Hide();
  ClearGroup();
  // The title is shown as typed: a typed "&" is no accelerator mark.
  QString title = text;
  title.replace(QStringLiteral("&"), QStringLiteral("&&"));
  const int count = static_cast<int>(programIDs.size());
  const QString found = count == 0   ? QStringLiteral("No program matches")
                        : count == 1 ? QStringLiteral("1 program matches")
                                     : QStringLiteral("%1 programs match").arg(count);
  const int shown = BuildProgramView(title, found, programIDs, true);
  if (shown < count) {
    // The description is the area's last label.
    for (int i = area_.ControlCount() - 1; i >= 0; --i) {
      if (auto* label = dynamic_cast<TLabel*>(area_.Controls(i))) {
        label->SetCaption(found + QStringLiteral(" (%1 shown; type more to narrow)").arg(shown));
        label->SetLeft(CenteredLeft(area_.Width(), label->Width()));
        break;
      }
    }
  }
}

int TMainViews::BuildProgramView(const QString& titleText, const QString& descriptionText,
                                 const std::vector<int>& programIDs, bool onlyWhatFits) {
  const int width = area_.Width();
  TGroupViewLayout layout(width, static_cast<int>(programIDs.size()));

  TLabel* title = NewLabel(titleText, [](TFont& font) {
    font.SetSize(12);
    font.SetStyle({fsBold});
  });
  title->SetVisible(true);
  title->SetTransparent(true);
  title->SetLeft(CenteredLeft(width, title->Width()));
  title->SetTop(TGroupViewLayout::TitleTop);
  layout.TitlePlaced(title->Top(), title->Height());

  TLabel* description = NewLabel(descriptionText, [](TFont& font) {
    font.SetSize(10);
    font.SetStyle({});
  });
  description->SetTop(layout.DescriptionTop());
  description->SetLeft(CenteredLeft(width, description->Width()));
  description->SetTransparent(true);
  layout.DescriptionPlaced(description->Height());

  // Looked up once per view, and only when it shows a Windows program.
  std::optional<bool> wineFound;
  int made = 0;
  for (const int id : programIDs) {
    const int programIndex = IndexOfProgram(id);
    if (programIndex < 0) continue;
    const TProgramInfo program = Programs[static_cast<std::size_t>(programIndex)];
    const TButtonParams& params = program.Button;
    const TPoint place = layout.NextButton(params.Width, params.Height);
    if (onlyWhatFits && place.Y + params.Height > area_.Height()) break;
    TButtonEx* button = NewButton(params, program.DisplayName);
    button->OnMouseDown = OnProgramMouseDown;
    button->Font().SetSize(params.Font.Size);
    button->Font().SetColor(params.Font.Color);
    button->Font().SetStyle({});
    button->Font().SetName(window_.Font().Name());
    button->FontOver().SetName(button->Font().Name());
    button->FontDown().SetName(button->Font().Name());
    button->FontFocus().SetName(button->Font().Name());
    button->SetTop(place.Y);
    button->SetLeft(place.X);
    button->OnClick = OnProgramClick;
    AcceptFileDrops(*button, [this](TControl& target, const QStringList& files) {
      CallHandler(OnProgramFilesDropped, &target, files);
    });
    button->SetTag(program.ID);
    FinishButton(*button, params);
    ++made;
    // A click still asks the shell, but the pointer already says why
    // nothing will start.
    const QString executable = ProgramExecutable(program);
    if (!IsFile(executable)) {
      button->SetHint(QStringLiteral("Not installed: ") + executable);
      button->SetShowHint(true);
    } else if (StartsThroughWine(executable)) {
      if (!wineFound) wineFound = !FindWine().isEmpty();
      if (!*wineFound) {
        button->SetHint(QStringLiteral("Wine is not installed; this Windows program needs it "
                                       "(install the package \"wine\"): ") +
                        executable);
        button->SetShowHint(true);
      }
    }
  }

  window_.Repaint();
  area_.Repaint();
  area_.Show();
  homeButton_.Show();
  homeButton_.SetEnabled(true);
  return made;
}

}  // namespace mirto
