// Start values of the main window's globals declared in ExplorerState.h; the create
// handler sets those that start otherwise.
#include "explorer/app/ExplorerState.h"

#include "explorer/render/ColorSettings.h"
#include "explorer/render/RenderState.h"

namespace {
constexpr std::int32_t StartAnimDelay = 10;  // ms per frame
}  // namespace

std::int32_t HasSSE = 0;
std::int32_t HasSSE2 = 0;
std::int32_t Has3DNow = 0;

std::uint8_t ThemesOnAtStart = 0;
std::int32_t AlwaysOnTop = 0;
HMENU SystemMenuHandle = nullptr;
std::string ProgramDir;
std::int32_t ColorScale100 = 0;

std::int32_t SelectionActive = 0;
TSelPoint SelStart;
TSelPoint SelEnd;
RECT ClipRect = {0, 0, 0, 0};

TSavedView SavedView;

bool WideScreen43 = false;
std::uint16_t DockedHeight = 0;
std::int32_t ParamsDocked = 0;
std::int32_t ParamsDockedBeforeFullScreen = 0;
std::int32_t LastFrameHeight = 0;
std::int32_t RenderOnNextPaint = 0;
long double CornerX1 = 0;
long double CornerY1 = 0;

std::atomic<std::uint8_t> AnimStop{0};
std::atomic<std::int32_t> AnimDelay{StartAnimDelay};
std::atomic<std::uint8_t> AnimDirection{0};
HANDLE AnimThreadHandles[2] = {nullptr, nullptr};
std::atomic<std::uint32_t> FpsFrames{0};
std::atomic<std::uint32_t> FpsStartTime{0};

CRITICAL_SECTION PaletteLock;

void ResetExplorerState() {
  HasSSE = 0;
  HasSSE2 = 0;
  Has3DNow = 0;
  ThemesOnAtStart = 0;
  AlwaysOnTop = 0;
  SystemMenuHandle = nullptr;
  ProgramDir.clear();
  ColorScale100 = 0;
  SelectionActive = 0;
  SelStart = TSelPoint{};
  SelEnd = TSelPoint{};
  ClipRect = RECT{0, 0, 0, 0};
  SavedView = TSavedView{};
  WideScreen43 = false;
  DockedHeight = 0;
  ParamsDocked = 0;
  ParamsDockedBeforeFullScreen = 0;
  LastFrameHeight = 0;
  RenderOnNextPaint = 0;
  CornerX1 = 0;
  CornerY1 = 0;
  AnimStop = 0;
  AnimDelay = StartAnimDelay;
  AnimDirection = 0;
  FpsFrames = 0;
  FpsStartTime = 0;
  ResetRenderSettings();
  ResetRenderState();
  ResetColorSettings();
}
