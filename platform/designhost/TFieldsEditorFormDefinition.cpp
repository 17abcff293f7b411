#include "designhost/TFieldsEditorFormDefinition.h"

const char* const FieldsEditorFormDefinition = R"DFM(object FieldsEditorForm: TFieldsEditorForm
  Left = 220
  Top = 140
  ActiveControl = FieldList
  BorderStyle = bsDialog
  Caption = 'Fields Editor'
  ClientHeight = 401
  ClientWidth = 465
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object FieldListLabel: TLabel
    Left = 8
    Top = 8
    Width = 30
    Height = 13
    Caption = '&Fields'
    FocusControl = FieldList
  end
  object AvailableLabel: TLabel
    Left = 240
    Top = 8
    Width = 80
    Height = 13
    Caption = '&Available fields'
    FocusControl = AvailableList
  end
  object NewNameLabel: TLabel
    Left = 8
    Top = 244
    Width = 54
    Height = 13
    Caption = 'New &name'
    FocusControl = NewNameEdit
  end
  object NewTypeLabel: TLabel
    Left = 120
    Top = 244
    Width = 24
    Height = 13
    Caption = '&Type'
    FocusControl = NewTypeCombo
  end
  object NewSizeLabel: TLabel
    Left = 232
    Top = 244
    Width = 20
    Height = 13
    Caption = 'Si&ze'
    FocusControl = NewSizeEdit
  end
  object NewKindLabel: TLabel
    Left = 288
    Top = 244
    Width = 21
    Height = 13
    Caption = '&Kind'
    FocusControl = NewKindCombo
  end
  object LookupDataSetLabel: TLabel
    Left = 8
    Top = 292
    Width = 78
    Height = 13
    Caption = 'Lookup data&set'
    FocusControl = LookupDataSetCombo
  end
  object KeyFieldsLabel: TLabel
    Left = 120
    Top = 292
    Width = 50
    Height = 13
    Caption = 'Ke&y fields'
    FocusControl = KeyFieldsCombo
  end
  object LookupKeysLabel: TLabel
    Left = 232
    Top = 292
    Width = 62
    Height = 13
    Caption = 'L&ookup keys'
    FocusControl = LookupKeysCombo
  end
  object ResultFieldLabel: TLabel
    Left = 344
    Top = 292
    Width = 57
    Height = 13
    Caption = '&Result field'
    FocusControl = ResultFieldCombo
  end
  object MessageLabel: TLabel
    Left = 8
    Top = 340
    Width = 449
    Height = 13
    AutoSize = False
    Caption = ''
  end
  object FieldList: TListBox
    Left = 8
    Top = 24
    Width = 217
    Height = 177
    ItemHeight = 13
    MultiSelect = True
    TabOrder = 0
  end
  object AvailableList: TListBox
    Left = 240
    Top = 24
    Width = 217
    Height = 177
    ItemHeight = 13
    MultiSelect = True
    TabOrder = 1
  end
  object UpButton: TButton
    Left = 8
    Top = 208
    Width = 51
    Height = 25
    Caption = '&Up'
    TabOrder = 2
    OnClick = UpButtonClick
  end
  object DownButton: TButton
    Left = 64
    Top = 208
    Width = 51
    Height = 25
    Caption = 'Do&wn'
    TabOrder = 3
    OnClick = DownButtonClick
  end
  object DeleteButton: TButton
    Left = 120
    Top = 208
    Width = 105
    Height = 25
    Caption = '&Delete'
    TabOrder = 4
    OnClick = DeleteButtonClick
  end
  object AddFieldsButton: TButton
    Left = 240
    Top = 208
    Width = 105
    Height = 25
    Caption = 'Add fi&elds'
    TabOrder = 5
    OnClick = AddFieldsButtonClick
  end
  object AddAllButton: TButton
    Left = 352
    Top = 208
    Width = 105
    Height = 25
    Caption = 'Add a&ll fields'
    TabOrder = 6
    OnClick = AddAllButtonClick
  end
  object NewNameEdit: TEdit
    Left = 8
    Top = 260
    Width = 105
    Height = 21
    TabOrder = 7
  end
  object NewTypeCombo: TComboBox
    Left = 120
    Top = 260
    Width = 105
    Height = 21
    Style = csDropDownList
    TabOrder = 8
  end
  object NewSizeEdit: TEdit
    Left = 232
    Top = 260
    Width = 49
    Height = 21
    TabOrder = 9
  end
  object NewKindCombo: TComboBox
    Left = 288
    Top = 260
    Width = 105
    Height = 21
    Style = csDropDownList
    TabOrder = 10
    OnChange = NewKindComboChange
  end
  object LookupDataSetCombo: TComboBox
    Left = 8
    Top = 308
    Width = 105
    Height = 21
    Style = csDropDownList
    TabOrder = 11
    OnChange = LookupDataSetComboChange
  end
  object KeyFieldsCombo: TComboBox
    Left = 120
    Top = 308
    Width = 105
    Height = 21
    TabOrder = 12
  end
  object LookupKeysCombo: TComboBox
    Left = 232
    Top = 308
    Width = 105
    Height = 21
    TabOrder = 13
  end
  object ResultFieldCombo: TComboBox
    Left = 344
    Top = 308
    Width = 113
    Height = 21
    TabOrder = 14
  end
  object NewFieldButton: TButton
    Left = 400
    Top = 258
    Width = 57
    Height = 25
    Caption = 'Ne&w'
    TabOrder = 15
    OnClick = NewFieldButtonClick
  end
  object CloseButton: TButton
    Left = 382
    Top = 368
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Close'
    Default = True
    ModalResult = 1
    TabOrder = 16
  end
end
)DFM";
