// For the test programs that need Wine's Direct3D: Wine makes Direct3D devices only with
// its OpenGL renderer, so under WINE_D3D_CONFIG=renderer=gdi (or no3d) the program fails
// at once with a message that says so instead of testing nothing. And no message box ever
// waits for a user: every box the library would show fails the running test with its
// text instead ("3D device not found" would otherwise wait for ever).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "forms/dialogs/Responder.h"

class TDirect3DRequired : public ::testing::Environment {
public:
  void SetUp() override {
    previous_ = SetUserResponder(&responder_);
    char config[256] = "";
    GetEnvironmentVariableA("WINE_D3D_CONFIG", config, sizeof config);
    const std::string renderer = config;
    if (renderer.find("renderer=gdi") != std::string::npos || renderer.find("renderer=no3d") != std::string::npos)
      FAIL() << "this program needs Wine's OpenGL renderer for Direct3D, but WINE_D3D_CONFIG=" << renderer
             << " gives no 3D device: run it without that setting";
  }
  void TearDown() override { SetUserResponder(previous_); }

private:
  class TFailingResponder : public TUserResponder {
  public:
    int MessageBox(HWND, const std::string& text, const std::string& caption, UINT) override {
      ADD_FAILURE() << "message box \"" << caption << "\": " << text;
      return IDCANCEL;
    }
  };
  TFailingResponder responder_;
  TUserResponder* previous_ = nullptr;
};
