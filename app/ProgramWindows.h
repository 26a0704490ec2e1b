#pragma once

#include "app/WindowRegistry.h"

namespace zephlan {

// The welcome, main and about windows, each created on demand and linked to the others.
void registerProgramWindows(WindowRegistry &registry);

} // namespace zephlan
