#pragma once
// "add", "rename" and "delete": what a form designer does first with a
// component, through the design session; the unit beside the form follows.
struct TDesignToolContext;

inline constexpr const char* AddUsage =
    "usage: quelm-designer add FORM CLASS [--name NAME] [--left X --top Y] [--parent NAME] [--json] [FORM...]\n"
    "\n"
    "Drops a component of CLASS on FORM, owned by the form, named as designers\n"
    "name a dropped component (TQuelmTable: QuelmTable1, then QuelmTable2) unless\n"
    "--name gives a name, at the design position --left/--top. --parent puts a\n"
    "field in a dataset. When FORM.pas lies beside the form, its form class gets\n"
    "the field declaration and its interface uses clause the class's unit.\n"
    "Further FORMs (words ending in .dfm or holding a '/') are opened with it.\n";

inline constexpr const char* RenameUsage =
    "usage: quelm-designer rename FORM NAME NEWNAME [--json] [FORM...]\n"
    "\n"
    "Renames component NAME of FORM. References to it in every open form follow\n"
    "(open the forms that refer to it as further FORMs), and so does its field\n"
    "declaration in the unit beside FORM. A name that is no identifier, or that\n"
    "another component has, is refused and nothing is written. Components\n"
    "inherited from an ancestor form or frame cannot be renamed.\n";

inline constexpr const char* DeleteUsage =
    "usage: quelm-designer delete FORM NAME... [--json] [FORM...]\n"
    "\n"
    "Deletes the components with the components they hold (a dataset's fields).\n"
    "References to them in every open form are cleared, and their field\n"
    "declarations leave the unit beside FORM. Components inherited from an\n"
    "ancestor form or frame cannot be deleted; then nothing is deleted.\n";

int RunAddCommand(TDesignToolContext& ctx);
int RunRenameCommand(TDesignToolContext& ctx);
int RunDeleteCommand(TDesignToolContext& ctx);
