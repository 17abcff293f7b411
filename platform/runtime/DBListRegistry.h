#pragma once
// The writing side of DBList, for TQuelmDatabase's constructor and destructor.
class TQuelmDatabase;

namespace DBListRegistry {
void Add(TQuelmDatabase* database);
void Remove(TQuelmDatabase* database);
} // namespace DBListRegistry
