#include "rtl/TList.h"

void RaiseListIndexError(int index) { throw EListError(Format(HostText::ListIndexError, {index})); }
