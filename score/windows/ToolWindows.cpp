#include "score/windows/ToolWindows.h"

#include <QScreen>

#include "score/render/PageFonts.h"

namespace tool_windows {

QFont font() { return page_fonts::gothic12(); }

void placeBeside(QWidget &tool, const QWidget &main) {
  const QRect frame = main.frameGeometry();
  const int top = frame.top() + 96;
  const int width = tool.frameGeometry().width();
  const QScreen *screen = main.screen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  if (room.isValid() && frame.right() + 4 + width <= room.right())
    tool.move(frame.right() + 4, top);
  else
    tool.move(frame.right() - width - 24, top);
}

}  // namespace tool_windows
