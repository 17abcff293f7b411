object QuelmUpdateSQLEditForm: TQuelmUpdateSQLEditForm
  Left = 300
  Top = 200
  ActiveControl = CancelButton
  BorderStyle = bsDialog
  ClientHeight = 298
  ClientWidth = 473
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 13
  object PageControl: TPageControl
    Left = 7
    Top = 7
    Width = 459
    Height = 253
    ActivePage = FieldsPage
    TabOrder = 0
    object FieldsPage: TTabSheet
      Caption = 'Options'
      object GroupBox1: TGroupBox
        Left = 4
        Top = 4
        Width = 443
        Height = 217
        Caption = ' SQL Generation '
        TabOrder = 0
        object Label1: TLabel
          Left = 9
          Top = 16
          Width = 61
          Height = 13
          Caption = 'Table &Name:'
          FocusControl = UpdateTableName
        end
        object Label3: TLabel
          Left = 143
          Top = 16
          Width = 56
          Height = 13
          Caption = '&Key Fields:'
          FocusControl = KeyFieldList
        end
        object Label4: TLabel
          Left = 292
          Top = 16
          Width = 69
          Height = 13
          Caption = 'Update &Fields:'
          FocusControl = UpdateFieldList
        end
        object UpdateTableName: TComboBox
          Left = 9
          Top = 32
          Width = 123
          Height = 21
          TabOrder = 0
          OnChange = UpdateTableNameChange
          OnClick = UpdateTableNameClick
        end
        object GetTableFieldsButton: TButton
          Left = 9
          Top = 59
          Width = 123
          Height = 25
          Caption = 'Get &Table Fields'
          TabOrder = 1
          OnClick = GetTableFieldsButtonClick
        end
        object DefaultButton: TButton
          Left = 9
          Top = 88
          Width = 123
          Height = 25
          Caption = '&Dataset Defaults'
          Enabled = False
          TabOrder = 2
          OnClick = DefaultButtonClick
        end
        object PrimaryKeyButton: TButton
          Left = 9
          Top = 117
          Width = 123
          Height = 25
          Caption = 'Select &Primary Keys'
          TabOrder = 3
          OnClick = PrimaryKeyButtonClick
        end
        object GenerateButton: TButton
          Left = 9
          Top = 146
          Width = 123
          Height = 25
          Caption = '&Generate SQL'
          TabOrder = 4
          OnClick = GenerateButtonClick
        end
        object QuoteFields: TCheckBox
          Left = 9
          Top = 182
          Width = 123
          Height = 17
          Caption = '&Quote Field Names'
          TabOrder = 5
          OnClick = SettingsChanged
        end
        object KeyFieldList: TListBox
          Left = 143
          Top = 32
          Width = 140
          Height = 158
          ItemHeight = 13
          MultiSelect = True
          PopupMenu = FieldListPopup
          TabOrder = 6
          OnClick = SettingsChanged
        end
        object UpdateFieldList: TListBox
          Left = 292
          Top = 32
          Width = 140
          Height = 158
          ItemHeight = 13
          MultiSelect = True
          PopupMenu = FieldListPopup
          TabOrder = 7
          OnClick = SettingsChanged
        end
        object KeyHintLabel: TLabel
          Left = 143
          Top = 194
          Width = 289
          Height = 13
          AutoSize = False
        end
      end
    end
    object SQLPage: TTabSheet
      Caption = 'SQL'
      object Label2: TLabel
        Left = 8
        Top = 52
        Width = 48
        Height = 13
        Caption = 'S&QL Text:'
        FocusControl = SQLMemo
      end
      object StatementType: TRadioGroup
        Left = 6
        Top = 4
        Width = 439
        Height = 42
        Caption = 'Statement Type'
        Columns = 4
        ItemIndex = 0
        Items.Strings = (
          '&Modify'
          '&Insert'
          '&Delete'
          '&Refresh Record')
        TabOrder = 0
        OnClick = StatementTypeClick
      end
      object SQLMemo: TMemo
        Left = 6
        Top = 68
        Width = 439
        Height = 100
        ScrollBars = ssVertical
        TabOrder = 1
        OnKeyPress = SQLMemoKeyPress
      end
      object CheckButton: TButton
        Left = 6
        Top = 174
        Width = 105
        Height = 25
        Caption = 'Chec&k on Server'
        TabOrder = 2
        OnClick = CheckButtonClick
      end
      object CheckResultList: TListBox
        Left = 117
        Top = 174
        Width = 328
        Height = 44
        ItemHeight = 13
        TabOrder = 3
      end
    end
  end
  object OkButton: TButton
    Left = 227
    Top = 267
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
    OnClick = OkButtonClick
  end
  object CancelButton: TButton
    Left = 309
    Top = 267
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
  object HelpButton: TButton
    Left = 391
    Top = 267
    Width = 75
    Height = 25
    Caption = '&Help'
    TabOrder = 3
    OnClick = HelpButtonClick
  end
  object FieldListPopup: TPopupMenu
    Left = 16
    Top = 264
    object miSelectAll: TMenuItem
      Caption = '&Select All'
      OnClick = SelectAllClick
    end
    object miClearAll: TMenuItem
      Caption = '&Clear All'
      OnClick = ClearAllClick
    end
    object miSelectWritable: TMenuItem
      Caption = 'Select &Writable Fields'
      OnClick = SelectWritableClick
    end
  end
end
