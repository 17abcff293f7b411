#pragma once
// "verbs" and "verb": a component's context-menu commands through its
// registered component editor.
struct TDesignToolContext;

inline constexpr const char* VerbsUsage =
    "usage: quelm-designer verbs FORM COMPONENT [connection options] [--json]\n"
    "\n"
    "Lists the context-menu verbs that COMPONENT's component editor offers,\n"
    "with their indexes, as the menu shows them now.\n";

inline constexpr const char* VerbUsage =
    "usage: quelm-designer verb FORM COMPONENT INDEX [--script FILE] [--check] [connection options] [--json]\n"
    "\n"
    "Executes verb INDEX of COMPONENT's component editor. A dialog the verb opens\n"
    "is played by the script FILE, one operation a line:\n"
    "  click NAME | select LIST ITEM... | deselect LIST ITEM... | pick COMBO ITEM\n"
    "  type CONTROL \"TEXT\" | clear CONTROL | key CONTROL KEY | tick NAME | untick NAME\n"
    "  radio GROUP ITEM | page SHEET | popup CONTROL ITEM | focus CONTROL | close\n"
    "  answer Yes|No|OK|Cancel | file \"NAME\" | file-cancel      (# starts a comment)\n"
    "Without a script a dialog is cancelled. The form file is saved when the\n"
    "verb told the designer that the form changed; message boxes shown are printed.\n"
    "--check presses Check on Server in each dialog that has it as the dialog opens,\n"
    "before the script plays it, prints the server's answer per statement and\n"
    "exits with 1 when the server refused one.\n";

int RunVerbsCommand(TDesignToolContext& ctx);
int RunVerbCommand(TDesignToolContext& ctx);
