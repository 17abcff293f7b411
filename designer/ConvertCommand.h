#pragma once
// "convert": reads one form file and writes it again, as text or binary.
struct TDesignToolContext;

inline constexpr const char* ConvertUsage =
    "usage: quelm-designer convert IN -o OUT [--format text|binary] [--codepage NAME]\n"
    "\n"
    "Reads the form file IN (text or binary) and writes it to OUT, in the format\n"
    "of IN unless --format says otherwise. A file written back in its own format\n"
    "is byte-identical. OUT is written through a temporary file and a rename, so\n"
    "on any error it is left as it was. --codepage names the code page of an\n"
    "8-bit file (the default is windows-1252); bytes are kept whatever it is.\n";

int RunConvertCommand(TDesignToolContext& ctx);
