#pragma once
// The one entry point of the graphical design host library. The program
// quelm-designer loads the library with dlopen only for --gui, so that the
// command-line host never needs the toolkit; it hands over what it set up
// (the loaded package's resources) and the words after --gui.
#include <cstdint>

struct TResourceTable;

extern "C" {

struct TDesignerWindowStart {
  int Size;                         // sizeof(TDesignerWindowStart), for the library to check
  int WordCount;
  const char* const* Words;         // connection options, then form files
  const TResourceTable* Resources;  // the package's resources: the palette's bitmaps
};

// Runs the main window until it closes; returns the program's exit code
// (2 for bad words, 1 for files that cannot be opened).
int QuelmRunDesignerWindow(const TDesignerWindowStart* start);
using TQuelmRunDesignerWindowProc = int (*)(const TDesignerWindowStart*);

}

inline constexpr const char* DesignerWindowEntryName = "QuelmRunDesignerWindow";
inline constexpr const char* DesignerWindowLibraryName = "libquelm-gui.so";
