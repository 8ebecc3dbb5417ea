// The program's pictures and help page are compiled into the static UI
// library, where nothing else makes the linker keep them.
#pragma once

namespace tav::ui {
// Registers the resources; safe to call more than once.
void ensure_resources();
}  // namespace tav::ui
