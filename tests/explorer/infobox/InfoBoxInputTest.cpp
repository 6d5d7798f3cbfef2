// The info box driven as a person drives it: the picture clicked through the box's mouse
// messages replays the animation, which ends with the key help on the screen; the maker's
// label clicked asks the shell to open the maker's page; the system menu's Close stops
// the player and hides the picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "tests/support/UserInput.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/infobox/InfoBox.h"
#include "forms/core/SysUtils.h"
#include "forms/graphics/Bitmap.h"

namespace {

// The shell's "open" of https addresses, for the test's time, writes the address it was
// given into a file instead of starting a browser.
class TShellOpenRecorder {
public:
  explicit TShellOpenRecorder(const std::string& file) : file_(file) {
    DeleteFileA(file_.c_str());
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS)
      return;
    char old[1024];
    DWORD size = sizeof old, type = 0;
    hadOld_ = RegQueryValueExA(key_, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    if (hadOld_) old_.assign(old, size ? size - 1 : 0);
    const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + file_ + "\"";
    ready_ = RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
  }
  ~TShellOpenRecorder() {
    if (!key_) return;
    if (hadOld_)
      RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>(old_.size() + 1));
    else
      RegDeleteValueA(key_, nullptr);
    RegCloseKey(key_);
    DeleteFileA(file_.c_str());
  }
  bool Ready() const { return ready_; }
  // The address the shell was asked to open, once the command has written it.
  std::string Opened() const {
    HANDLE f = CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "";
    char buffer[512];
    DWORD got = 0;
    ReadFile(f, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(f);
    std::string text(buffer, got);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
  }

private:
  static constexpr const char* kKey = "https\\shell\\open\\command";
  std::string file_;
  HKEY key_ = nullptr;
  bool hadOld_ = false, ready_ = false;
  std::string old_;
};

class InfoBoxInput : public ::testing::Test {
protected:
  void SetUp() override {
    savedDir_ = ProgramDir;
    ProgramDir = ExtractFilePath(Application->ExeName());
    Form3 = New<TForm3>(Application);
  }
  void TearDown() override {
    if (Form3->Visible()) Form3->Close();
    Form3->Free();
    Form3 = nullptr;
    ProgramDir = savedDir_;
  }

  // The picture's pixel, and the box's pixel on the screen where the picture shows it.
  COLORREF PictureAt(int x, int y) { return Form3->Image1->Canvas()->Pixels(x, y) & 0xFFFFFF; }
  COLORREF ShownAt(int x, int y) {
    HDC dc = GetDC(Form3->Handle());
    const COLORREF c = GetPixel(dc, Form3->Image1->Left() + x, Form3->Image1->Top() + y) & 0xFFFFFF;
    ReleaseDC(Form3->Handle(), dc);
    return c;
  }
  // Points of the screen along the first key-help line that differ from the picture.
  int HelpLineMisses() {
    const int top = KeyHelpLineTop(DpiScale, 0);
    int misses = 0;
    for (int y = top + 1; y < top + 12; y += 2)
      for (int x = 30; x < 220; x += 2)
        if (ShownAt(x, y) != PictureAt(x, y)) ++misses;
    return misses;
  }
  // The last frame's light blue above the help, in the picture.
  int SkyPixels() {
    int n = 0;
    for (int y = 0; y < 100; y += 4)
      for (int x = 0; x < 240; x += 4) {
        const COLORREF c = PictureAt(x, y);
        if (GetBValue(c) > 200 && GetRValue(c) < 200) ++n;
      }
    return n;
  }

  std::string savedDir_;
};

struct Row {
  const char* Control;
  const char* Input;
  std::function<void()> Give;
  std::function<void()> Effect;
};

TEST_F(InfoBoxInput, EveryControlTakesWhatTheUserGivesIt) {
  TRecordingResponder responder;
  TShellOpenRecorder shell(ExtractFilePath(Application->ExeName()) + "shell-open.txt");
  ASSERT_TRUE(shell.Ready());
  Form3->Show();
  ASSERT_TRUE(PumpUntil([&] { return Form3->Image1->Visible(); }, 15000)) << "no end of play";
  ASSERT_TRUE(PumpUntil([&] { return HelpLineMisses() == 0; }, 3000)) << "the first play's help";
  const std::vector<Row> rows = {
      {"Image1", "clicked after the animation ended",
       [&] {
         // A picture of another colour, so that only the replay's capture brings the frame back.
         Form3->Image1->Canvas()->Brush()->SetColor(clRed);
         Form3->Image1->Canvas()->FillRect(RECT{0, 0, 240, 180});
         ASSERT_EQ(SkyPixels(), 0);
         ClickOn(Form3->Image1);
         ASSERT_TRUE(PumpUntil([&] { return SkyPixels() > 20; }, 15000)) << "the replay did not end";
       },
       [&] {
         // The key help is on the screen as in the picture, with nothing else repainting.
         EXPECT_TRUE(PumpUntil([&] { return HelpLineMisses() == 0; }, 3000)) << HelpLineMisses() << " points differ";
         EXPECT_EQ(ShownAt(31, KeyHelpLineTop(DpiScale, 0) + 2), RGB(0, 0, 0));
       }},
      {"Label2 (the maker)", "clicked",
       [&] { ClickOn(Form3->Label2); },
       [&] {
         EXPECT_TRUE(PumpUntil([&] { return !shell.Opened().empty(); }, 10000));
         EXPECT_EQ(shell.Opened(), MakerWebAddress);
       }},
      {"system menu \"Close\"", "chosen",
       [&] {
         ChooseSystemMenuItem(Form3, SC_CLOSE);
         PumpFor(50);
       },
       [&] {
         EXPECT_FALSE(Form3->Visible());
         EXPECT_FALSE(Form3->Image1->Visible());
         EXPECT_FALSE(Form3->MediaPlayer1->IsOpen());
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Control) + ": " + row.Input);
    row.Give();
    row.Effect();
  }
  EXPECT_TRUE(responder.boxes.empty());
}

}  // namespace
