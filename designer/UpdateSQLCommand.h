#pragma once
// "updatesql": the UpdateSQL editor on an update object of a form file, with
// the choices made through the dialog's controls as a person would make them.
struct TDesignToolContext;

inline constexpr const char* UpdateSQLUsage =
    "usage: quelm-designer updatesql FORM COMPONENT [--table T] [--dataset-defaults] [--primary-keys]\n"
    "                                [--keys A,B] [--update C,D] [--quote-fields] [--yes] [--dry-run]\n"
    "                                [connection options] [--json]\n"
    "\n"
    "Opens the UpdateSQL editor on the update object COMPONENT and, in the order a\n"
    "person would: chooses the table T, presses Dataset Defaults, Select Primary\n"
    "Keys, selects the key fields A,B and the update fields C,D, ticks Quote Field\n"
    "Names, presses Generate SQL and OK (--yes answers Yes when the editor asks for\n"
    "confirmation). Prints the four statements and saves the form file unless\n"
    "--dry-run. Connection options apply to this run only and are never saved.\n";

int RunUpdateSQLCommand(TDesignToolContext& ctx);
