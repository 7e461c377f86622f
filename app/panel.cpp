#include "app/panel.h"

namespace paint {

void drawPanel(ToolId tool) { (void)tool; }

}  // namespace paint
