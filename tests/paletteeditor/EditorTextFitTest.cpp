// The editor's windows as a user sees them with the system's real fonts: every caption,
// label, button, check box and radio item fits the room its control gives it, the colour
// label with the widest text it can show among them.
#include <gtest/gtest.h>

#include "tests/paletteeditor/EditorTestSupport.h"
#include "tests/support/TextFit.h"

namespace {

using EditorTexts = EditorTest;

TEST_F(EditorTexts, MainWindowHoldsTheWidestColourLabel) {
  for (TMenuItem* grid : {FrmMain->N16x161, FrmMain->N32x81}) {
    Command(grid);
    WorkPalette[255] = pal::MakeColour(255, 255, 255);
    FrmMain->SelectEntry(255);
    PumpFor(50);
    const auto misfits = TextMisfits(FrmMain);
  
    EXPECT_TRUE(misfits.empty()) << grid->Caption() << ":\n" << Describe(misfits);
  }
}

TEST_F(EditorTexts, EveryDialogHoldsItsTexts) {
  for (TForm* dialog : std::initializer_list<TForm*>{Form1, Form2, Form4, FrmAbout, FrmCopyColours,
                                                     FrmGradient}) {
    dialog->Show();
    PumpFor(50);
    const auto misfits = TextMisfits(dialog);
    EXPECT_TRUE(misfits.empty()) << dialog->Caption() << ":\n" << Describe(misfits);
    dialog->Hide();
  }
}

}  // namespace
