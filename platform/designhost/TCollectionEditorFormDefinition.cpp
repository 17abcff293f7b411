#include "designhost/TCollectionEditorFormDefinition.h"

const char* const CollectionEditorFormDefinition = R"DFM(object CollectionEditorForm: TCollectionEditorForm
  Left = 220
  Top = 140
  ActiveControl = ItemList
  BorderStyle = bsDialog
  Caption = 'Editing'
  ClientHeight = 345
  ClientWidth = 465
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object ItemListLabel: TLabel
    Left = 8
    Top = 8
    Width = 30
    Height = 13
    Caption = '&Items'
    FocusControl = ItemList
  end
  object PropertyListLabel: TLabel
    Left = 200
    Top = 8
    Width = 50
    Height = 13
    Caption = '&Properties'
    FocusControl = PropertyList
  end
  object ValueLabel: TLabel
    Left = 200
    Top = 244
    Width = 27
    Height = 13
    Caption = '&Value'
    FocusControl = ValueEdit
  end
  object MessageLabel: TLabel
    Left = 8
    Top = 292
    Width = 449
    Height = 13
    AutoSize = False
    Caption = ''
  end
  object ItemList: TListBox
    Left = 8
    Top = 24
    Width = 177
    Height = 209
    ItemHeight = 13
    TabOrder = 0
    OnClick = ItemListClick
  end
  object PropertyList: TListBox
    Left = 200
    Top = 24
    Width = 257
    Height = 209
    ItemHeight = 13
    TabOrder = 1
  end
  object AddButton: TButton
    Left = 8
    Top = 240
    Width = 41
    Height = 25
    Caption = '&Add'
    TabOrder = 2
    OnClick = AddButtonClick
  end
  object DeleteButton: TButton
    Left = 52
    Top = 240
    Width = 41
    Height = 25
    Caption = '&Delete'
    TabOrder = 3
    OnClick = DeleteButtonClick
  end
  object UpButton: TButton
    Left = 96
    Top = 240
    Width = 41
    Height = 25
    Caption = '&Up'
    TabOrder = 4
    OnClick = UpButtonClick
  end
  object DownButton: TButton
    Left = 140
    Top = 240
    Width = 45
    Height = 25
    Caption = 'Do&wn'
    TabOrder = 5
    OnClick = DownButtonClick
  end
  object ValueEdit: TEdit
    Left = 240
    Top = 240
    Width = 153
    Height = 21
    TabOrder = 6
  end
  object SetButton: TButton
    Left = 400
    Top = 238
    Width = 57
    Height = 25
    Caption = '&Set'
    TabOrder = 7
    OnClick = SetButtonClick
  end
  object CloseButton: TButton
    Left = 382
    Top = 312
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Close'
    ModalResult = 1
    TabOrder = 8
  end
end
)DFM";
