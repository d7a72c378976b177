#include "platform/window_display.h"

bool HasWindowDisplay()
{
    return true;
}
