#pragma once
// "palette": the palette pages and their components in palette order, and
// with --json the component and property editor registrations too.
struct TDesignToolContext;

inline constexpr const char* PaletteUsage =
    "usage: quelm-designer palette [--json]\n"
    "\n"
    "Shows the palette pages the loaded packages registered, each with its\n"
    "components in palette order. With --json also the component editors and\n"
    "property editors, in the order they were registered.\n";

int RunPaletteCommand(TDesignToolContext& ctx);
