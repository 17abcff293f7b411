#include "LinkFieldsTestSupport.h"

QUELM_DEFINE_CLASS(TSettingsAdapter, TQuelmFieldLinkProperty)
