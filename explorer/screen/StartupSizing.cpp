// The start-up client size declared in StartupSizing.h.
#include "explorer/screen/StartupSizing.h"

#include <algorithm>

#include "explorer/navigation/Navigation.h"

std::int32_t StartupClientWidth(const TStartupMetrics& m, bool force43) {
  if (force43) {
    const long double byWidth = m.ScreenWidth / 1.6L;
    const long double byHeight =
        (m.ScreenHeight - (m.CaptionHeight + m.MenuHeight + 2 * m.FrameHeight)) / 0.75L;
    return RoundToEven(std::min(byWidth, byHeight));
  }
  return RoundToEven(m.ScreenWidth * 0.75L) / 4 * 4;
}

std::int32_t StartupClientHeight(const TStartupMetrics& m, bool force43,
                                 std::int32_t clientWidthReadBack) {
  if (force43) return RoundToEven(clientWidthReadBack * 0.75L);
  return RoundToEven(m.ScreenHeight * 0.75L) / 4 * 4;
}
