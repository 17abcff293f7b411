#pragma once
// The host's field classes, one per kind of column. Form files name them
// (TStringField, TIntegerField, ...); a dataset creates them for its columns.
#include "db/TField.h"

#define QUELM_FIELD_CLASS(Class, Base)                                       \
  class Class : public Base {                                                \
    QUELM_CLASS(Class, Base)                                                 \
  public:                                                                    \
    explicit Class(TComponent* owner);                                       \
  };

class TStringField : public TField {
  QUELM_CLASS(TStringField, TField)
public:
  explicit TStringField(TComponent* owner);
  bool FixedChar() const { return FFixedChar; }
  void SetFixedChar(bool fixed) { FFixedChar = fixed; }

private:
  bool FFixedChar = false;
};

class TNumericField : public TField {
  QUELM_CLASS(TNumericField, TField)
public:
  explicit TNumericField(TComponent* owner);
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& f) { FDisplayFormat = f; }
  const std::string& EditFormat() const { return FEditFormat; }
  void SetEditFormat(const std::string& f) { FEditFormat = f; }

private:
  std::string FDisplayFormat;
  std::string FEditFormat;
};

QUELM_FIELD_CLASS(TWideStringField, TStringField)
QUELM_FIELD_CLASS(TIntegerField, TNumericField)
QUELM_FIELD_CLASS(TSmallintField, TIntegerField)
QUELM_FIELD_CLASS(TShortintField, TIntegerField)
QUELM_FIELD_CLASS(TByteField, TIntegerField)
QUELM_FIELD_CLASS(TWordField, TIntegerField)
QUELM_FIELD_CLASS(TLongWordField, TIntegerField)
QUELM_FIELD_CLASS(TAutoIncField, TIntegerField)
QUELM_FIELD_CLASS(TLargeintField, TNumericField)
QUELM_FIELD_CLASS(TFloatField, TNumericField)
QUELM_FIELD_CLASS(TSingleField, TFloatField)
QUELM_FIELD_CLASS(TCurrencyField, TFloatField)
QUELM_FIELD_CLASS(TExtendedField, TNumericField)
// Decimal numbers: Precision digits in all, Size of them after the point.
class TBCDField : public TNumericField {
  QUELM_CLASS(TBCDField, TNumericField)
public:
  explicit TBCDField(TComponent* owner);
  int Precision() const { return FPrecision; }
  void SetPrecision(int precision) { FPrecision = precision; }

private:
  int FPrecision = 0;
};

class TFMTBCDField : public TNumericField {
  QUELM_CLASS(TFMTBCDField, TNumericField)
public:
  explicit TFMTBCDField(TComponent* owner);
  int Precision() const { return FPrecision; }
  void SetPrecision(int precision) { FPrecision = precision; }

private:
  int FPrecision = 0;
};
QUELM_FIELD_CLASS(TBooleanField, TField)
QUELM_FIELD_CLASS(TDateTimeField, TField)
QUELM_FIELD_CLASS(TDateField, TDateTimeField)
QUELM_FIELD_CLASS(TTimeField, TDateTimeField)
QUELM_FIELD_CLASS(TSQLTimeStampField, TField)
QUELM_FIELD_CLASS(TBinaryField, TField)
QUELM_FIELD_CLASS(TBytesField, TBinaryField)
QUELM_FIELD_CLASS(TVarBytesField, TBytesField)
QUELM_FIELD_CLASS(TBlobField, TField)
QUELM_FIELD_CLASS(TMemoField, TBlobField)
QUELM_FIELD_CLASS(TWideMemoField, TBlobField)
QUELM_FIELD_CLASS(TGraphicField, TBlobField)
QUELM_FIELD_CLASS(TGuidField, TStringField)
QUELM_FIELD_CLASS(TVariantField, TField)

// The field class a dataset creates for a column of that type.
const TClassInfo& FieldClassForType(TFieldType type);
// Every field class above, for registration with the class registry.
std::vector<const TClassInfo*> FieldClasses();
