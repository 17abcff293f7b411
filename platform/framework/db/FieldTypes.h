#pragma once
// Field data types and kinds, in the host's ordinal order (form files store
// them by name).
#include "classes/TAlignment.h"
#include "classes/TValue.h"
#include "classes/TypeInfo.h"

enum class TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
  ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
  ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT,
  ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid,
  ftTimeStamp, ftFMTBcd, ftFixedWideChar, ftWideMemo, ftOraTimeStamp, ftOraInterval, ftLongWord,
  ftShortint, ftByte, ftExtended, ftConnection, ftParams, ftStream, ftTimeStampOffset, ftObject, ftSingle,
};

enum class TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

enum class TIndexOption { ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression, ixNonMaintained };
using TIndexOptions = TSet<TIndexOption>;

enum class TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue,
                           dsOldValue, dsCurValue, dsBlockRead, dsInternalCalc, dsOpening };

const TTypeInfo& TypeInfoFieldType();
const TTypeInfo& TypeInfoFieldKind();
const TTypeInfo& TypeInfoIndexOption();
const TTypeInfo& TypeInfoIndexOptions();
const TTypeInfo& TypeInfoParamType();
const TTypeInfo& TypeInfoDataSetNotifyEvent();
const TTypeInfo& TypeInfoDataSetErrorEvent();
const TTypeInfo& TypeInfoFilterRecordEvent();
const TTypeInfo& TypeInfoFieldNotifyEvent();
const TTypeInfo& TypeInfoFieldGetTextEvent();
const TTypeInfo& TypeInfoFieldSetTextEvent();
