#pragma once
// The statements that give a fresh embedded data directory the system tables
// stored routines need (mysql.proc) and the two whose absence the server
// warns about at start (mysql.plugin, mysql.func). Each is idempotent.
#include <vector>

const std::vector<const char*>& EmbeddedSystemTableStatements();
