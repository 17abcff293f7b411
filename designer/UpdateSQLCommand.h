#pragma once
// "updatesql": the UpdateSQL editor on an update object of a form file, with
// the choices made through the dialog's controls as a person would make them.
struct TDesignToolContext;

inline constexpr const char* UpdateSQLUsage =
    "usage: quelm-designer updatesql FORM COMPONENT [--table T] [--dataset-defaults] [--primary-keys]\n"
    "                                [--keys A,B] [--update C,D] [--writable-fields] [--quote-fields]\n"
    "                                [--check] [--yes] [--dry-run]\n"
    "                                [connection options] [--json]\n"
    "\n"
    "Opens the UpdateSQL editor on the update object COMPONENT and, in the order a\n"
    "person would: chooses the table T, presses Dataset Defaults, Select Primary\n"
    "Keys, selects the key fields A,B and the update fields C,D, chooses Select\n"
    "Writable Fields on the update field list, ticks Quote Field Names, presses\n"
    "Generate SQL, Check on Server (--check) and OK (--yes answers Yes when the\n"
    "editor asks for confirmation). Prints the four statements and the server's\n"
    "answer per statement, and saves the form file unless --dry-run. When the\n"
    "server refuses a statement, the editor is cancelled, nothing is written and\n"
    "the exit code is 1. Connection options apply to this run only and are never\n"
    "saved.\n";

int RunUpdateSQLCommand(TDesignToolContext& ctx);
