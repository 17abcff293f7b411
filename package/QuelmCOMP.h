#pragma once
// The registration unit: what the package puts on the palette and which
// editors serve the suite's components and properties.
extern "C" void Register();
void RegisterPropertyEditors();

// The palette page of the suite; its last character is the trade-mark sign.
inline constexpr const char* QuelmPaletteName = "Dorvik for Quelm\u2122";
