#pragma once
// Registers the design host's database services for TQuelmDatabase.
void RegisterQuelmDatabaseServices();
