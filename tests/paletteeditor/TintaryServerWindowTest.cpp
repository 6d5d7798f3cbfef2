// The automation server inside the real editor, in-process: what Set_Palette and
// Get_Palette do to the main window (entry 0 selected, label and grid showing the new
// colours, file state untouched), the Server menu's registration, and the close question
// while an object is alive.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include "tests/paletteeditor/EditorTestSupport.h"
#include "paletteeditor/server/Tintarycom.h"
#include "paletteeditor/server/TintaryServer.h"
#include "tests/paletteeditor/TintaryServerTestSupport.h"
#include "forms/comserver/ComConsts.h"
#include "forms/comserver/ComRegistry.h"
#include "forms/comserver/ComServ.h"

using Microsoft::WRL::ComPtr;

namespace {

class ServerWindow : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    TintaryServerBind();
    ASSERT_EQ(TintarycomFactory().CreateInstance(nullptr, IID_ITintarycom, &object), S_OK);
  }
  void TearDown() override {
    object.Reset();
    CoUninitialize();
    EditorTest::TearDown();
  }

  ComPtr<ITintarycom> object;
};

std::string LabelFor(int index, std::uint32_t colour) {
  return std::to_string(index) + " (0x" + IntToHex(static_cast<unsigned>(index), 3) + ") = RGB(" +
         std::to_string(colour & 0xFF) + "," + std::to_string((colour >> 8) & 0xFF) + "," +
         std::to_string((colour >> 16) & 0xFF) + ")";
}

TEST_F(ServerWindow, SetPaletteSelectsEntry0AndShowsTheNewColours) {
  FrmMain->SelectEntry(37);
  const EditorState before = CurrentState();
  std::vector<std::uint32_t> colours = TestColours(224, 17);
  TVariant array;
  MakeI4Array(array, colours);
  ASSERT_EQ(object->Set_Palette(0, 223, array.v), S_OK);

  for (int i = 0; i < 224; ++i) EXPECT_EQ(WorkPalette[i], colours[i]) << "entry " << i;
  for (int i = 224; i < 256; ++i) EXPECT_EQ(WorkPalette[i], before.palette[i]) << "entry " << i;
  EXPECT_EQ(FrmMain->SelectedIndex(), 0);
  EXPECT_EQ(FrmMain->lblActiveColour->Caption(), LabelFor(0, colours[0]));
  // The grid repaints with the new colours (a colour value is a COLORREF).
  const POINT cell = CellCentre(1);
  EXPECT_TRUE(PumpUntil([&] { return GridPixel(cell.x, cell.y) == colours[1]; }))
      << std::hex << GridPixel(cell.x, cell.y) << " for " << colours[1];
  const POINT last = CellCentre(255);
  EXPECT_EQ(GridPixel(last.x, last.y), before.palette[255]);
  // Neither the file nor the caption changes.
  EXPECT_EQ(PaletteFileName, before.fileName);
  EXPECT_EQ(PaletteFormat, before.format);
  EXPECT_EQ(FrmMain->Caption(), before.caption);
  EXPECT_TRUE(FrmMain->PaletteActive());

  TVariant got;
  ASSERT_EQ(object->Get_Palette(0, 255, &got.v), S_OK);
  TArrayShape shape = ShapeOf(got.v);
  ASSERT_EQ(shape.values.size(), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(static_cast<std::uint32_t>(shape.values[i]), WorkPalette[i]);
}

TEST_F(ServerWindow, RefusedSetLeavesTheWindowAsItWas) {
  FrmMain->SelectEntry(9);
  const EditorState before = CurrentState();
  const std::string label = FrmMain->lblActiveColour->Caption();
  TVariant array;
  MakeI4Array(array, {1, 2}, 5);
  EXPECT_EQ(object->Set_Palette(0, 1, array.v), DISP_E_BADINDEX);
  ExpectSameState(before, "after a refused Set_Palette");
  EXPECT_EQ(FrmMain->SelectedIndex(), 9);
  EXPECT_EQ(FrmMain->lblActiveColour->Caption(), label);
}

TEST_F(ServerWindow, SetWithNothingToWriteStillSelectsEntry0) {
  FrmMain->SelectEntry(200);
  const EditorState before = CurrentState();
  TVariant nothing;
  EXPECT_EQ(object->Set_Palette(20, 19, nothing.v), S_OK);
  ExpectSameState(before, "after an empty Set_Palette");
  EXPECT_EQ(FrmMain->SelectedIndex(), 0);
  EXPECT_EQ(FrmMain->lblActiveColour->Caption(), LabelFor(0, WorkPalette[0]));
}

TEST_F(ServerWindow, GetPaletteSeesTheEditorsOwnEdits) {
  FrmMain->SelectEntry(0);
  WorkPalette[16] = 0x00123456;  // as a tool would have left it
  TVariant got;
  ASSERT_EQ(object->Get_Palette(16, 16, &got.v), S_OK);
  EXPECT_EQ(ShapeOf(got.v).values, std::vector<std::int32_t>{0x123456});
}

TEST_F(ServerWindow, ClosingWithTheObjectAliveAsksFirst) {
  TintaryServerAttach();
  responder.answer = IDNO;
  EXPECT_FALSE(FrmMain->CloseQuery());
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].caption, SComServerWarningCaption);
  EXPECT_EQ(responder.boxes[0].text, std::string(SNoCloseActiveServer1) + SNoCloseActiveServer2);
  object.Reset();
  EXPECT_TRUE(FrmMain->CloseQuery());
  EXPECT_EQ(responder.boxes.size(), 1u);
}

TEST_F(ServerWindow, ServerMenuRegistersAndUnregisters) {
  const std::string progID = "TINTARY.Tintarycom";
  const std::string classKey = "CLSID\\" + GUIDToString(CLSID_Tintarycom);
  std::string value;
  Command(FrmMain->Register1);
  EXPECT_TRUE(GetRegStringValue(progID + "\\Clsid", "", value));
  EXPECT_EQ(value, GUIDToString(CLSID_Tintarycom));
  EXPECT_TRUE(GetRegStringValue(classKey + "\\LocalServer32", "", value));
  Command(FrmMain->Unregister1);
  EXPECT_FALSE(GetRegStringValue(progID, "", value));
  EXPECT_FALSE(GetRegStringValue(classKey, "", value));
  EXPECT_TRUE(responder.boxes.empty());

  // A registry that cannot take the class's keys: the default handler shows the error.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, classKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  Command(FrmMain->Register1);
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, SCreateRegKeyError);
  Command(FrmMain->Unregister1);
  EXPECT_FALSE(GetRegStringValue(classKey, "", value));
}

}  // namespace
