#include "db/FieldClasses.h"

QUELM_DEFINE_CLASS(TStringField, TField, b.ComponentFactory();
                   b.Property("FixedChar", TypeInfoBoolean(), &TStringField::FixedChar, &TStringField::SetFixedChar)
                       .Default(0))
TStringField::TStringField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftString);
  SetSize(20);
}

QUELM_DEFINE_CLASS(TNumericField, TField,
                   b.Property("DisplayFormat", TypeInfoString(), &TNumericField::DisplayFormat,
                              &TNumericField::SetDisplayFormat);
                   b.Property("EditFormat", TypeInfoString(), &TNumericField::EditFormat, &TNumericField::SetEditFormat))
TNumericField::TNumericField(TComponent* owner) : TField(owner) { SetAlignment(TAlignment::taRightJustify); }

#define QUELM_DEFINE_FIELD_CLASS(Class, Base, type)                          \
  QUELM_DEFINE_CLASS(Class, Base, b.ComponentFactory())                      \
  Class::Class(TComponent* owner) : Base(owner) { SetDataType(TFieldType::type); }

QUELM_DEFINE_FIELD_CLASS(TWideStringField, TStringField, ftWideString)
QUELM_DEFINE_FIELD_CLASS(TIntegerField, TNumericField, ftInteger)
QUELM_DEFINE_FIELD_CLASS(TSmallintField, TIntegerField, ftSmallint)
QUELM_DEFINE_FIELD_CLASS(TShortintField, TIntegerField, ftShortint)
QUELM_DEFINE_FIELD_CLASS(TByteField, TIntegerField, ftByte)
QUELM_DEFINE_FIELD_CLASS(TWordField, TIntegerField, ftWord)
QUELM_DEFINE_FIELD_CLASS(TLongWordField, TIntegerField, ftLongWord)
QUELM_DEFINE_FIELD_CLASS(TAutoIncField, TIntegerField, ftAutoInc)
QUELM_DEFINE_FIELD_CLASS(TLargeintField, TNumericField, ftLargeint)
QUELM_DEFINE_FIELD_CLASS(TFloatField, TNumericField, ftFloat)
QUELM_DEFINE_FIELD_CLASS(TSingleField, TFloatField, ftSingle)
QUELM_DEFINE_FIELD_CLASS(TCurrencyField, TFloatField, ftCurrency)
QUELM_DEFINE_FIELD_CLASS(TExtendedField, TNumericField, ftExtended)
QUELM_DEFINE_CLASS(TBCDField, TNumericField, b.ComponentFactory();
                   b.Property("Precision", TypeInfoInteger(), &TBCDField::Precision, &TBCDField::SetPrecision)
                       .Default(0))
TBCDField::TBCDField(TComponent* owner) : TNumericField(owner) { SetDataType(TFieldType::ftBCD); }
QUELM_DEFINE_CLASS(TFMTBCDField, TNumericField, b.ComponentFactory();
                   b.Property("Precision", TypeInfoInteger(), &TFMTBCDField::Precision, &TFMTBCDField::SetPrecision)
                       .Default(0))
TFMTBCDField::TFMTBCDField(TComponent* owner) : TNumericField(owner) { SetDataType(TFieldType::ftFMTBcd); }
QUELM_DEFINE_FIELD_CLASS(TBooleanField, TField, ftBoolean)
QUELM_DEFINE_FIELD_CLASS(TDateTimeField, TField, ftDateTime)
QUELM_DEFINE_FIELD_CLASS(TDateField, TDateTimeField, ftDate)
QUELM_DEFINE_FIELD_CLASS(TTimeField, TDateTimeField, ftTime)
QUELM_DEFINE_FIELD_CLASS(TSQLTimeStampField, TField, ftTimeStamp)
QUELM_DEFINE_FIELD_CLASS(TBinaryField, TField, ftBytes)
QUELM_DEFINE_FIELD_CLASS(TBytesField, TBinaryField, ftBytes)
QUELM_DEFINE_FIELD_CLASS(TVarBytesField, TBytesField, ftVarBytes)
QUELM_DEFINE_FIELD_CLASS(TBlobField, TField, ftBlob)
QUELM_DEFINE_FIELD_CLASS(TMemoField, TBlobField, ftMemo)
QUELM_DEFINE_FIELD_CLASS(TWideMemoField, TBlobField, ftWideMemo)
QUELM_DEFINE_FIELD_CLASS(TGraphicField, TBlobField, ftGraphic)
QUELM_DEFINE_FIELD_CLASS(TGuidField, TStringField, ftGuid)
QUELM_DEFINE_FIELD_CLASS(TVariantField, TField, ftVariant)

const TClassInfo& FieldClassForType(TFieldType type) {
  switch (type) {
  case TFieldType::ftString: case TFieldType::ftFixedChar: return TStringField::StaticClass();
  case TFieldType::ftWideString: case TFieldType::ftFixedWideChar: return TWideStringField::StaticClass();
  case TFieldType::ftSmallint: return TSmallintField::StaticClass();
  case TFieldType::ftShortint: return TShortintField::StaticClass();
  case TFieldType::ftByte: return TByteField::StaticClass();
  case TFieldType::ftInteger: return TIntegerField::StaticClass();
  case TFieldType::ftWord: return TWordField::StaticClass();
  case TFieldType::ftLongWord: return TLongWordField::StaticClass();
  case TFieldType::ftAutoInc: return TAutoIncField::StaticClass();
  case TFieldType::ftLargeint: return TLargeintField::StaticClass();
  case TFieldType::ftFloat: return TFloatField::StaticClass();
  case TFieldType::ftSingle: return TSingleField::StaticClass();
  case TFieldType::ftExtended: return TExtendedField::StaticClass();
  case TFieldType::ftCurrency: return TCurrencyField::StaticClass();
  case TFieldType::ftBCD: return TBCDField::StaticClass();
  case TFieldType::ftFMTBcd: return TFMTBCDField::StaticClass();
  case TFieldType::ftBoolean: return TBooleanField::StaticClass();
  case TFieldType::ftDate: return TDateField::StaticClass();
  case TFieldType::ftTime: return TTimeField::StaticClass();
  case TFieldType::ftDateTime: return TDateTimeField::StaticClass();
  case TFieldType::ftTimeStamp: return TSQLTimeStampField::StaticClass();
  case TFieldType::ftBytes: return TBytesField::StaticClass();
  case TFieldType::ftVarBytes: return TVarBytesField::StaticClass();
  case TFieldType::ftMemo: case TFieldType::ftFmtMemo: return TMemoField::StaticClass();
  case TFieldType::ftWideMemo: return TWideMemoField::StaticClass();
  case TFieldType::ftGraphic: return TGraphicField::StaticClass();
  case TFieldType::ftGuid: return TGuidField::StaticClass();
  case TFieldType::ftVariant: return TVariantField::StaticClass();
  default: return TBlobField::StaticClass();
  }
}

std::vector<const TClassInfo*> FieldClasses() {
  return {&TField::StaticClass(), &TStringField::StaticClass(), &TNumericField::StaticClass(),
          &TWideStringField::StaticClass(), &TIntegerField::StaticClass(), &TSmallintField::StaticClass(),
          &TShortintField::StaticClass(), &TByteField::StaticClass(), &TWordField::StaticClass(),
          &TLongWordField::StaticClass(), &TAutoIncField::StaticClass(), &TLargeintField::StaticClass(),
          &TFloatField::StaticClass(), &TSingleField::StaticClass(), &TCurrencyField::StaticClass(),
          &TExtendedField::StaticClass(), &TBCDField::StaticClass(), &TFMTBCDField::StaticClass(),
          &TBooleanField::StaticClass(), &TDateTimeField::StaticClass(), &TDateField::StaticClass(),
          &TTimeField::StaticClass(), &TSQLTimeStampField::StaticClass(), &TBinaryField::StaticClass(),
          &TBytesField::StaticClass(), &TVarBytesField::StaticClass(), &TBlobField::StaticClass(),
          &TMemoField::StaticClass(), &TWideMemoField::StaticClass(), &TGraphicField::StaticClass(),
          &TGuidField::StaticClass(), &TVariantField::StaticClass()};
}
