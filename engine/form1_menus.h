#pragma once
// The main window's show-option and screen-effect menus. The show options are handlers of
// Form1 itself (core/form1.h, engine/form1_menus.cpp); the effect handlers below take the
// main window (engine/form1_menus_effects.cpp).
namespace core {
class Form1;
}

namespace engine {

// Connects the effect menus below to their handlers.
void ConnectEffectMenus(core::Form1& f);

// Display and erase effect: the choice, then the slit and mosaic counts the effect uses.
void mnuHKO_Click(core::Form1& f, int index);
void mnuSYOUKO_Click(core::Form1& f, int index);
// 可変 / 固定: a fixed speed greys both speed items and sets both speeds to -30.
void mnuKSPSEL_Click(core::Form1& f, int index);
// Display and erase effect speed, -999 (slowest) .. 10 (fastest).
void mnuHKSP_Click(core::Form1& f);
void mnuSKSP_Click(core::Form1& f);

}  // namespace engine
