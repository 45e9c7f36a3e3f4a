#pragma once

// The two views of the main window's main area: the category view (two
// headings over the category buttons) and the group view (a group's title
// and description over its program buttons). Each rebuild empties the area
// first: labels go at once, buttons are hidden and destroyed once none of
// their handlers can still be running, so however often the views are
// rebuilt the number of controls stays flat.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "platform/toolkit/Control.h"

namespace mirto {

class TButtonEx;
class TForm;
class TLabel;
struct TButtonParams;

class TMainViews {
 public:
  // area is the panel the views fill, homeButton the permanent button on it
  // that leads back to the categories, window the window that holds both.
  TMainViews(TForm& window, TWinControl& area, TControl& homeButton);

  // Handlers the new buttons get.
  TNotifyEvent OnCategoryClick;
  TNotifyEvent OnProgramClick;
  TMouseEvent OnProgramMouseDown;
  // Files dropped on a program button.
  std::function<void(TObject* sender, const QStringList& files)> OnProgramFilesDropped;

  // Hides every view button and destroys every label of the area; the
  // permanent button stays. Repaints the window.
  void ClearGroup();
  // Rebuilds the area as the category view; the home button is disabled.
  void DisplayCategories();
  // Rebuilds the area as the group's view; the home button is shown and
  // enabled. An unknown group leaves the area hidden and empty.
  void DisplayGroup(int GroupID);
  // Rebuilds the area as the find view: the typed text as title, a line that
  // says how many programs match (or that none does), then the programs'
  // buttons laid out as in a group view, as many as fit the area.
  void DisplayFind(const QString& text, const std::vector<int>& programIDs);

  // The visible buttons of the current view, in the order they were made.
  std::vector<TButtonEx*> ViewButtons() const;

  // Shows or hides the focus frame of the view's buttons (and of those the
  // next views make): keyboard users see where the focus is, mouse users
  // see the buttons as they always were.
  void ShowFocusCues(bool shown);

 private:
  TButtonEx* NewButton(const TButtonParams& params, const QString& caption);
  void FinishButton(TButtonEx& button, const TButtonParams& params);
  TLabel* NewLabel(const QString& caption, const std::function<void(TFont&)>& styleFont);
  // The title and description of a group or find view, the buttons of
  // programIDs under them (those that fit, when onlyWhatFits), the area
  // shown. Returns how many buttons it made.
  int BuildProgramView(const QString& titleText, const QString& descriptionText,
                       const std::vector<int>& programIDs, bool onlyWhatFits);

  TForm& window_;
  TWinControl& area_;
  TControl& homeButton_;
  bool focusCues_ = false;
};

}  // namespace mirto
