#pragma once
// SSLCert and SSLKey of the database: the file name can be typed, and the
// ellipsis button picks an existing file.
#include "designhost/TStringProperty.h"

class TQuelmFileNameProperty : public TStringProperty {
  QUELM_CLASS(TQuelmFileNameProperty, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  void Edit() override;
  TPropertyAttributes GetAttributes() override;  // dialog only
};
