// The sizing arithmetic declared in WindowSizing.h. Roundings go to the nearest integer,
// ties to even; "div" truncates toward zero.
#include "explorer/screen/WindowSizing.h"

#include "explorer/navigation/Navigation.h"

TWindowSize SizedWindow(const TFrameMetrics& m, TWindowSize proposed, bool force43,
                        std::int32_t dockedHeight) {
  const std::int32_t frame = m.CaptionHeight + m.MenuHeight + 2 * m.SizeFrameHeight;
  const std::int32_t side = 2 * m.SizeFrameWidth;
  const std::int32_t clientWidth = (proposed.Width - side) / 4 * 4;
  const std::int32_t clientHeight =
      force43 ? RoundToEven(clientWidth * 0.75L) / 4 * 4
              : (proposed.Height - frame - dockedHeight) / 4 * 4;
  return TWindowSize{clientWidth + side, frame + clientHeight + dockedHeight};
}

TWindowSize WideScreenSurface(std::int32_t displayWidth, std::int32_t displayHeight) {
  if (displayHeight >= 0.75L * displayWidth)
    return TWindowSize{displayWidth, RoundToEven(0.75L * displayWidth)};
  return TWindowSize{RoundToEven(displayHeight / 0.75L), displayHeight};
}

bool IsFourByThree(std::int32_t width, std::int32_t height) {
  return std::int64_t(width) * 3 == std::int64_t(height) * 4;
}

std::uint16_t DockedPanelHeight(std::int32_t pixelsPerInch) {
  return static_cast<std::uint16_t>(RoundToEven(pixelsPerInch / 96.0L * 100));
}

bool InBottomEdgeBand(std::int32_t bottom, std::int32_t y) {
  return RoundToEven(bottom / 10.0L) == RoundToEven(y / 10.0L) || bottom / 10 == y / 10;
}
