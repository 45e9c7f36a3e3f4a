#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

#include "catalog/MirtoApps.h"
#include "components/ButtonEx.h"
#include "launcher/MainViews.h"
#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/CatalogSeam.h"
#include "tests/support/PixelBoard.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

struct Placed {
  int Tag;
  int Left;
  int Top;
  friend bool operator==(const Placed&, const Placed&) = default;
};

void PrintTo(const Placed& p, std::ostream* os) {
  *os << "{" << p.Tag << " at " << p.Left << "," << p.Top << "}";
}

// A main area of the layout's size with its permanent button.
class MainViews : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCatalog(QStringLiteral("/nonexistent/pack/mirto"));
    form_ = std::make_unique<TForm>();
    form_->SetBorderStyle(bsNone);
    form_->Font().SetName(QStringLiteral("Segoe UI"));
    form_->Font().SetHeight(-11);
    form_->SetBounds(0, 0, 615, 336);
    area_ = new TCustomPanel(form_.get());
    area_->SetParent(form_.get());
    area_->SetBounds(6, 47, 603, 258);
    area_->Font().SetName(QStringLiteral("Segoe UI"));
    area_->Font().SetHeight(-13);
    home_ = new TBitBtn(area_);
    home_->SetParent(area_);
    home_->SetBounds(3, 3, 90, 22);
    views_ = std::make_unique<TMainViews>(*form_, *area_, *home_);
  }
  void TearDown() override {
    views_.reset();
    form_.reset();
    FinalizeCatalog();
  }

  static void Settle() { QCoreApplication::processEvents(); }

  std::vector<Placed> VisibleButtons() const {
    std::vector<Placed> placed;
    for (int i = 0; i < area_->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TButtonEx*>(area_->Controls(i)); b && b->Visible())
        placed.push_back({static_cast<int>(b->Tag()), b->Left(), b->Top()});
    return placed;
  }
  std::vector<TLabel*> Labels() const {
    std::vector<TLabel*> labels;
    for (int i = 0; i < area_->ControlCount(); ++i)
      if (auto* l = dynamic_cast<TLabel*>(area_->Controls(i))) labels.push_back(l);
    return labels;
  }

  std::unique_ptr<TForm> form_;
  TCustomPanel* area_ = nullptr;
  TBitBtn* home_ = nullptr;
  std::unique_ptr<TMainViews> views_;
};

TEST_F(MainViews, CategoryViewHasThreeColumnsAndTheAudioHalfBelowTheSecondVideoRow) {
  views_->DisplayCategories();
  const std::vector<TLabel*> labels = Labels();
  ASSERT_EQ(labels.size(), 2u);
  const TLabel& video = *labels[0];
  const TLabel& audio = *labels[1];
  EXPECT_EQ(video.Caption(), "Video Converters");
  EXPECT_EQ(audio.Caption(), "Audio Converters");
  EXPECT_EQ(video.Top(), 10);
  EXPECT_EQ(video.Left(), 603 / 2 - video.Width() / 2);
  EXPECT_EQ(video.Font().Size(), 11);
  EXPECT_TRUE(video.Font().Style().Contains(fsBold));
  const int row1 = video.Top() + video.Height() + 10;
  const int row2 = row1 + 43;
  EXPECT_EQ(audio.Top(), row2 + 33 + 20);
  const int audioRow = audio.Top() + audio.Height() + 10;
  const std::vector<Placed> expected = {
      {10, 10, row1},       {20, 211, row1},         {30, 412, row1},     {40, 10, row2},
      {50, 211, row2},      {60, 412, row2},         {200, 10, audioRow}, {110, 211, audioRow},
      {120, 412, audioRow}, {130, 10, audioRow + 43}};
  EXPECT_EQ(VisibleButtons(), expected);
  EXPECT_FALSE(home_->Enabled());
  EXPECT_TRUE(area_->Visible());
}

// The category headings showed white on the light main area: the white is
// the labels' own background colour, which a transparent label never paints.
TEST_F(MainViews, CategoryHeadingsDrawInTheWindowTextColour) {
  views_->DisplayCategories();
  form_->Show();
  Settle();
  const QImage shown = testing_support::Grab(*area_);
  for (TLabel* heading : Labels()) {
    SCOPED_TRACE(heading->Caption().toStdString());
    EXPECT_EQ(heading->Color(), clWhite);
    const TRect place = heading->BoundsRect();
    testing_support::PixelBoard expected(place.Width(), place.Height(), area_->Color());
    TCanvas& canvas = expected.Canvas();
    canvas.Font().Assign(&heading->Font());
    canvas.Font().SetColor(clWindowText);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(0, 0, heading->Caption());
    EXPECT_EQ(testing_support::FirstDifference(testing_support::ReadPixels(expected.Bitmap()),
                                               testing_support::GridOf(shown, place)),
              "");
  }
}

TEST_F(MainViews, RebuildsKeepTheControlCountFlat) {
  for (int i = 0; i < 200; ++i) {
    views_->DisplayGroup(10);
    views_->DisplayCategories();
    if (i % 20 == 0) Settle();
  }
  Settle();
  EXPECT_EQ(Labels().size(), 2u);
  EXPECT_EQ(VisibleButtons().size(), 10u);
  // The permanent button, two headings and ten category buttons: nothing
  // hidden is left over once the events have run.
  EXPECT_EQ(area_->ControlCount(), 13);
  EXPECT_EQ(area_->ComponentCount(), 13);
  EXPECT_FALSE(home_->Enabled());
}

TEST_F(MainViews, GroupViewsUseTwoColumnsAroundTheMiddle) {
  struct Case {
    int group;
    std::vector<Placed> expected;  // top relative to the first button row
  };
  const Case cases[] = {
      {10, {{14, 91, 0}, {25, 311, 0}, {12, 91, 43}, {15, 311, 43}, {13, 91, 86}, {26, 311, 86}}},
      {20, {{27, 91, 0}, {35, 311, 0}, {36, 91, 43}}},
      {130, {{30, 31, 0}, {37, 311, 0}}},
      {200, {{21, 201, 0}}},
  };
  for (const Case& c : cases) {
    views_->DisplayGroup(c.group);
    const std::vector<TLabel*> labels = Labels();
    ASSERT_EQ(labels.size(), 2u) << c.group;
    const TLabel& title = *labels[0];
    const TLabel& description = *labels[1];
    EXPECT_EQ(title.Top(), 20);
    EXPECT_EQ(title.Left(), 301 - title.Width() / 2) << c.group;
    EXPECT_EQ(title.Font().Style(), TFontStyles{fsBold});
    EXPECT_EQ(title.Font().Size(), 12);
    EXPECT_EQ(description.Top(), 20 + title.Height() + 10);
    EXPECT_EQ(description.Font().Size(), 10);
    const int firstRow = description.Top() + description.Height() + 20;
    std::vector<Placed> expected = c.expected;
    for (Placed& p : expected) p.Top += firstRow;
    EXPECT_EQ(VisibleButtons(), expected) << c.group;
    EXPECT_TRUE(home_->Enabled());
    EXPECT_TRUE(area_->Visible());
  }
}

TEST_F(MainViews, GroupTitlesShowOneAmpersandAndMissingProgramsSayWhy) {
  views_->DisplayGroup(200);
  const std::vector<TLabel*> labels = Labels();
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0]->Caption(), "Audio && Video -> MP3/AAC/WMA/OGG/M4A/AC3/FLAC/WAV");
  EXPECT_TRUE(labels[0]->ShowAccelChar());
  auto* button = dynamic_cast<TButtonEx*>(area_->Controls(area_->ControlCount() - 1));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->Hint().startsWith(
      "Not installed: " + QDir::toNativeSeparators("/nonexistent/pack/apps64/AudioExtractor/")));
}

#if !defined(_WIN32)  // Windows runs its own programs
// Group 30 shows programs 16 and 12: a Windows program and a native one.
TEST_F(MainViews, AWindowsProgramsHintNamesWineAndThePackageOnlyWhileWineIsMissing) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  FinalizeCatalog();
  InitCatalog(temp.path() + "/mirto");
  auto place = [](int id, const QByteArray& contents, QFileDevice::Permissions permissions) {
    const TProgramInfo& program = Programs[IndexOfProgram(id)];
    ASSERT_TRUE(QDir().mkpath(program.Dir));
    QFile file(program.Dir + "/" + program.ExeFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.setPermissions(permissions);
  };
  QByteArray windows(0x40, '\0');
  windows[0] = 'M';
  windows[1] = 'Z';
  windows[0x3C] = 0x40;
  place(16, windows + QByteArray("PE\0\0", 4), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  place(12, "#!/bin/sh\n", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const QString bin = temp.path() + "/bin";
  ASSERT_TRUE(QDir().mkpath(bin));
  const QByteArray savedPath = qgetenv("PATH");

  struct Case {
    QString wine;  // a wine program to put on the PATH, or none
    const char* hint16;
  };
  const Case cases[] = {
      {"", "Wine is not installed; this Windows program needs it (install the package \"wine\"): "},
      {bin + "/wine", ""},
  };
  for (const Case& c : cases) {
    if (!c.wine.isEmpty()) {
      QFile wine(c.wine);
      ASSERT_TRUE(wine.open(QIODevice::WriteOnly));
      wine.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    qputenv("PATH", bin.toUtf8());
    views_->DisplayGroup(30);
    qputenv("PATH", savedPath);
    const std::vector<TButtonEx*> buttons = views_->ViewButtons();
    ASSERT_EQ(buttons.size(), 2u);
    ASSERT_EQ(buttons[0]->Tag(), 16);
    const TProgramInfo& program = Programs[IndexOfProgram(16)];
    const QString hint16 = *c.hint16 ? c.hint16 + program.Dir + "/" + program.ExeFile : "";
    EXPECT_EQ(buttons[0]->Hint(), hint16) << c.wine.toStdString();
    EXPECT_EQ(buttons[1]->Hint(), "") << "a native program needs no Wine";
  }
}
#endif

TEST_F(MainViews, AnUnknownProgramLeavesNoHoleAndAnUnknownGroupLeavesTheAreaHidden) {
  // A group that lists a program the catalog does not have.
  testing::AddGroupForTest({70, mcVideo, "Mixed", "Some missing", {27, 11, 35, 36}});
  views_->DisplayGroup(70);
  std::vector<Placed> placed = VisibleButtons();
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[1], (Placed{35, 311, placed[0].Top}));
  EXPECT_EQ(placed[2], (Placed{36, 91, placed[0].Top + 43}));

  views_->DisplayCategories();
  ASSERT_FALSE(home_->Enabled());
  views_->DisplayGroup(999);
  EXPECT_FALSE(area_->Visible());
  EXPECT_TRUE(VisibleButtons().empty());
  EXPECT_TRUE(Labels().empty());
  EXPECT_FALSE(home_->Enabled());
}

// A rebuild inside one of a button's own events (a right press opens its
// popup, and a timer rebuilds the view inside the menu's loop) keeps that
// button until the event is over, and then destroys it.
TEST_F(MainViews, ARebuildInsideAButtonsOwnEventKeepsThatButtonUntilTheEventEnds) {
  views_->DisplayGroup(30);
  auto* button = dynamic_cast<TButtonEx*>(area_->Controls(area_->ControlCount() - 1));
  ASSERT_NE(button, nullptr);
  const TLifeWatch watch = button->LifeWatch();
  bool keptDuringTheEvent = false;
  views_->OnProgramMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    views_->DisplayCategories();  // as a timer firing inside a popup's loop
    Settle();
    keptDuringTheEvent = watch.Alive() && !button->Visible() && button->Tag() == 12;
  };
  button->OnMouseDown = views_->OnProgramMouseDown;
  form_->Show();
  testing_support::SendMouse(*button, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
  EXPECT_TRUE(keptDuringTheEvent);
  Settle();
  EXPECT_FALSE(watch.Alive());
  EXPECT_EQ(area_->ComponentCount(), 13);
}

}  // namespace
}  // namespace mirto
