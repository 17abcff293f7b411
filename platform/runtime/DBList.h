#pragma once
// The live TQuelmDatabase components of the process, in creation order. A
// database enters when it is constructed and leaves when it is destroyed.
#include "rtl/TList.h"

class TQuelmDatabase;

const TList<TQuelmDatabase>& DBList();
