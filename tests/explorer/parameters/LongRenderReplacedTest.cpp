// A render at the highest iteration limit, replaced by a short one as a user does it in
// the parameters window: each worker is then inside one kernel call that runs for many
// seconds and cannot be cut short. The main window must keep answering meanwhile, and the
// short render's picture must appear once the old workers have left.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "explorer/app/MainForm.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "forms/controls/StdCtrls.h"
#include "forms/windows/Menus.h"
#include "tests/explorer/parameters/ParametersWindowFixture.h"
#include "tests/support/UserInput.h"

namespace {

// Asks a window from another thread, again and again, whether it answers within a few
// seconds, as the system does before it calls a window hung.
class TAnswerWatch {
public:
  explicit TAnswerWatch(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result)) ++missed_;
            ++asked_;
            Sleep(100);
          }
        }) {}
  ~TAnswerWatch() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int Missed() const { return missed_; }
  int Asked() const { return asked_; }

private:
  std::atomic<bool> stop_{false};
  std::atomic<int> missed_{0};
  std::atomic<int> asked_{0};
  std::thread thread_;
};

using LongRender = ParametersWindowFixture;

TEST_F(LongRender, ReplacedByAShortOneTheWindowKeepsAnsweringAndShowsTheShortOne) {
  Open(640, 480);
  ASSERT_NE(UseMultiThreading, 0) << "the render runs on workers on this machine";
  PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Parameters1->Command(), 0), 0);
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(Form2->Visible());
  HWND limit = Form2->Edit1->Handle();
  HWND ok = Form2->Button1->Handle();

  // The x87 kernel, the slowest, so that one call of the limit lasts many seconds.
  if (Form2->CheckBox2->Checked()) PostClick(Form2->CheckBox2->Handle());
  if (Form2->CheckBox4->Checked()) PostClick(Form2->CheckBox4->Handle());
  PostRetype(limit, "2147483647");
  PostClick(ok);
  ASSERT_TRUE(PumpUntil([&] { return RenderMaxIterations == 2147483647; }, 10000))
      << "the highest limit was not accepted";
  ASSERT_EQ(RenderKernel, TRenderKernel::FPU);
  PumpFor(3000);

  TAnswerWatch watch(form->Handle());
  PostRetype(limit, "150");
  PostClick(ok);
  ASSERT_TRUE(PumpUntil([&] { return RenderMaxIterations == 150 && RenderIdle(); }, 180000))
      << "the short render did not follow";
  watch.Stop();
  EXPECT_EQ(watch.Missed(), 0) << "of " << watch.Asked() << " questions";
  EXPECT_GT(watch.Asked(), 0);
  EXPECT_EQ(MaxIterations, 150);
  // Nothing of the long render reached the picture: it is what the short render gives
  // when it starts afresh.
  const std::vector<std::uint32_t> replaced = SurfacePixels();
  const int starts = renderStarts;
  PostClick(ok);
  ASSERT_TRUE(PumpUntil([&] { return renderStarts > starts && RenderIdle(); }, 60000));
  EXPECT_TRUE(SurfacePixels() == replaced) << "the picture is the short render's";
}

}  // namespace
