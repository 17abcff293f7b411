object SQLEditForm: TSQLEditForm
  Left = 200
  Top = 120
  Width = 750
  Height = 447
  Caption = 'SQL Editor'
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 742
    Height = 19
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 2
    object TableListLabel: TLabel
      Left = 4
      Top = 4
      Width = 36
      Height = 13
      Caption = '&Tables:'
      FocusControl = TableList
    end
    object SQLLabel: TLabel
      Left = 132
      Top = 4
      Width = 24
      Height = 13
      Caption = '&SQL:'
    end
    object CheckResultLabel: TLabel
      Left = 168
      Top = 4
      Width = 570
      Height = 13
      Anchors = [akLeft, akTop, akRight]
      AutoSize = False
    end
  end
  object ButtonPanel: TPanel
    Left = 0
    Top = 385
    Width = 742
    Height = 35
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 0
    object Image1: TImage
      Left = 240
      Top = 12
      Width = 10
      Height = 6
      Transparent = True
      Visible = False
    end
    object OkButton: TButton
      Left = 500
      Top = 5
      Width = 75
      Height = 25
      Anchors = [akRight, akBottom]
      Caption = '&OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object CancelButton: TButton
      Left = 582
      Top = 5
      Width = 75
      Height = 25
      Anchors = [akRight, akBottom]
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
    object HelpButton: TButton
      Left = 664
      Top = 5
      Width = 75
      Height = 25
      Anchors = [akRight, akBottom]
      Caption = '&Help'
      TabOrder = 2
      OnClick = HelpButtonClick
    end
    object chbSystemObjects: TCheckBox
      Left = 4
      Top = 9
      Width = 200
      Height = 17
      Caption = 'Sho&w system tables and fields'
      TabOrder = 3
      OnClick = chbSystemObjectsClick
    end
    object CheckButton: TButton
      Left = 212
      Top = 5
      Width = 110
      Height = 25
      Caption = 'Chec&k on Server'
      TabOrder = 4
      OnClick = CheckButtonClick
    end
  end
  object MetaInfoPanel: TPanel
    Left = 0
    Top = 19
    Width = 129
    Height = 366
    Align = alLeft
    BevelOuter = bvNone
    TabOrder = 1
    object TableListPanel: TPanel
      Left = 0
      Top = 0
      Width = 129
      Height = 115
      Align = alTop
      BevelOuter = bvNone
      TabOrder = 0
      object TableList: TListBox
        Left = 0
        Top = 0
        Width = 129
        Height = 90
        Anchors = [akLeft, akTop, akRight, akBottom]
        ItemHeight = 13
        TabOrder = 0
        OnClick = TableListClick
        OnDblClick = AddTableButtonClick
        OnEnter = SQLMemoExit
      end
      object AddTableButton: TButton
        Left = 0
        Top = 91
        Width = 129
        Height = 23
        Anchors = [akLeft, akRight, akBottom]
        Caption = 'Add T&able to SQL'
        TabOrder = 1
        OnClick = AddTableButtonClick
      end
    end
    object TableFieldsSplitter: TSplitter
      Left = 0
      Top = 115
      Width = 129
      Height = 3
      Align = alTop
      Beveled = True
      MinSize = 1
      OnCanResize = TableFieldsSplitterCanResize
    end
    object FieldsPanel: TPanel
      Left = 0
      Top = 118
      Width = 129
      Height = 248
      Align = alClient
      BevelOuter = bvNone
      TabOrder = 1
      object FieldListLabel: TLabel
        Left = 4
        Top = 2
        Width = 30
        Height = 13
        Caption = '&Fields:'
        FocusControl = FieldList
      end
      object FieldList: TListBox
        Left = 0
        Top = 17
        Width = 129
        Height = 206
        Anchors = [akLeft, akTop, akRight, akBottom]
        ItemHeight = 13
        MultiSelect = True
        TabOrder = 0
        OnDblClick = AddFieldButtonClick
        OnEnter = SQLMemoExit
      end
      object AddFieldButton: TButton
        Left = 0
        Top = 224
        Width = 129
        Height = 23
        Anchors = [akLeft, akRight, akBottom]
        Caption = 'Add F&ield to SQL'
        TabOrder = 1
        OnClick = AddFieldButtonClick
      end
    end
  end
  object MetaInfoSQLSplitter: TSplitter
    Left = 129
    Top = 19
    Width = 3
    Height = 366
    MinSize = 100
    OnCanResize = MetaInfoSQLSplitterCanResize
    OnMoved = MetaInfoSQLSplitterMoved
  end
  object SQLMemoPanel: TPanel
    Left = 132
    Top = 19
    Width = 610
    Height = 366
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 3
  end
end
