#include "db/FieldTypes.h"

const TTypeInfo& TypeInfoFieldType() {
  static const TTypeInfo info = MakeEnumType(
      "TFieldType",
      {"ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat", "ftCurrency", "ftBCD",
       "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic",
       "ftFmtMemo", "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString",
       "ftLargeint", "ftADT", "ftArray", "ftReference", "ftDataSet", "ftOraBlob", "ftOraClob", "ftVariant",
       "ftInterface", "ftIDispatch", "ftGuid", "ftTimeStamp", "ftFMTBcd", "ftFixedWideChar", "ftWideMemo",
       "ftOraTimeStamp", "ftOraInterval", "ftLongWord", "ftShortint", "ftByte", "ftExtended", "ftConnection",
       "ftParams", "ftStream", "ftTimeStampOffset", "ftObject", "ftSingle"});
  return info;
}
const TTypeInfo& TypeInfoFieldKind() {
  static const TTypeInfo info =
      MakeEnumType("TFieldKind", {"fkData", "fkCalculated", "fkLookup", "fkInternalCalc", "fkAggregate"});
  return info;
}
const TTypeInfo& TypeInfoIndexOption() {
  static const TTypeInfo info = MakeEnumType(
      "TIndexOption", {"ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive", "ixExpression", "ixNonMaintained"});
  return info;
}
const TTypeInfo& TypeInfoIndexOptions() {
  static const TTypeInfo info = MakeSetType("TIndexOptions", TypeInfoIndexOption());
  return info;
}
const TTypeInfo& TypeInfoParamType() {
  static const TTypeInfo info =
      MakeEnumType("TParamType", {"ptUnknown", "ptInput", "ptOutput", "ptInputOutput", "ptResult"});
  return info;
}
const TTypeInfo& TypeInfoDataSetNotifyEvent() {
  static const TTypeInfo info = MakeMethodType("TDataSetNotifyEvent", "(DataSet: TDataSet)");
  return info;
}
const TTypeInfo& TypeInfoDataSetErrorEvent() {
  static const TTypeInfo info =
      MakeMethodType("TDataSetErrorEvent", "(DataSet: TDataSet; E: EDatabaseError; var Action: TDataAction)");
  return info;
}
const TTypeInfo& TypeInfoFilterRecordEvent() {
  static const TTypeInfo info = MakeMethodType("TFilterRecordEvent", "(DataSet: TDataSet; var Accept: Boolean)");
  return info;
}
const TTypeInfo& TypeInfoFieldNotifyEvent() {
  static const TTypeInfo info = MakeMethodType("TFieldNotifyEvent", "(Sender: TField)");
  return info;
}
const TTypeInfo& TypeInfoFieldGetTextEvent() {
  static const TTypeInfo info =
      MakeMethodType("TFieldGetTextEvent", "(Sender: TField; var Text: string; DisplayText: Boolean)");
  return info;
}
const TTypeInfo& TypeInfoFieldSetTextEvent() {
  static const TTypeInfo info = MakeMethodType("TFieldSetTextEvent", "(Sender: TField; const Text: string)");
  return info;
}
