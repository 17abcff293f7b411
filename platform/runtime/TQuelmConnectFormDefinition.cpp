#include "runtime/TQuelmConnectFormDefinition.h"

// The layout of the connection dialog, read into each new dialog.
const char* const QuelmConnectFormDefinition = R"DFM(object QuelmConnectForm: TQuelmConnectForm
  Left = 200
  Top = 120
  ActiveControl = HostEdit
  BorderStyle = bsDialog
  Caption = 'Database Connection'
  ClientHeight = 372
  ClientWidth = 385
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object HostLabel: TLabel
    Left = 8
    Top = 12
    Width = 25
    Height = 13
    Caption = '&Host'
    FocusControl = HostEdit
  end
  object PortLabel: TLabel
    Left = 264
    Top = 12
    Width = 20
    Height = 13
    Caption = 'P&ort'
    FocusControl = PortEdit
  end
  object SocketLabel: TLabel
    Left = 8
    Top = 40
    Width = 33
    Height = 13
    Caption = '&Socket'
    FocusControl = SocketEdit
  end
  object UserLabel: TLabel
    Left = 8
    Top = 68
    Width = 26
    Height = 13
    Caption = '&User'
    FocusControl = UserEdit
  end
  object PasswordLabel: TLabel
    Left = 8
    Top = 96
    Width = 46
    Height = 13
    Caption = '&Password'
    FocusControl = PasswordEdit
  end
  object DatabaseLabel: TLabel
    Left = 8
    Top = 148
    Width = 46
    Height = 13
    Caption = '&Database'
    FocusControl = DatabaseEdit
  end
  object CharacterSetLabel: TLabel
    Left = 8
    Top = 176
    Width = 68
    Height = 13
    Caption = '&Character set'
    FocusControl = CharacterSetEdit
  end
  object SSLCertLabel: TLabel
    Left = 8
    Top = 204
    Width = 66
    Height = 13
    Caption = 'SSL c&ertificate'
    FocusControl = SSLCertEdit
  end
  object SSLKeyLabel: TLabel
    Left = 8
    Top = 232
    Width = 39
    Height = 13
    Caption = 'SSL &key'
    FocusControl = SSLKeyEdit
  end
  object SSLCALabel: TLabel
    Left = 8
    Top = 260
    Width = 36
    Height = 13
    Caption = 'SSL C&A'
    FocusControl = SSLCAEdit
  end
  object TestResultLabel: TLabel
    Left = 8
    Top = 316
    Width = 369
    Height = 13
    AutoSize = False
    Caption = ''
  end
  object HostEdit: TEdit
    Left = 96
    Top = 8
    Width = 161
    Height = 21
    TabOrder = 0
  end
  object PortEdit: TEdit
    Left = 296
    Top = 8
    Width = 81
    Height = 21
    TabOrder = 1
  end
  object SocketEdit: TEdit
    Left = 96
    Top = 36
    Width = 281
    Height = 21
    TabOrder = 2
  end
  object UserEdit: TEdit
    Left = 96
    Top = 64
    Width = 281
    Height = 21
    TabOrder = 3
  end
  object PasswordEdit: TEdit
    Left = 96
    Top = 92
    Width = 281
    Height = 21
    PasswordChar = '*'
    TabOrder = 4
  end
  object StorePasswordBox: TCheckBox
    Left = 96
    Top = 120
    Width = 281
    Height = 17
    Caption = 'S&tore the password in the form'
    TabOrder = 5
  end
  object DatabaseEdit: TEdit
    Left = 96
    Top = 144
    Width = 281
    Height = 21
    TabOrder = 6
  end
  object CharacterSetEdit: TEdit
    Left = 96
    Top = 172
    Width = 281
    Height = 21
    TabOrder = 7
  end
  object SSLCertEdit: TEdit
    Left = 96
    Top = 200
    Width = 281
    Height = 21
    TabOrder = 8
  end
  object SSLKeyEdit: TEdit
    Left = 96
    Top = 228
    Width = 281
    Height = 21
    TabOrder = 9
  end
  object SSLCAEdit: TEdit
    Left = 96
    Top = 256
    Width = 281
    Height = 21
    TabOrder = 10
  end
  object TestButton: TButton
    Left = 8
    Top = 284
    Width = 113
    Height = 25
    Caption = 'Test co&nnection'
    TabOrder = 11
    OnClick = TestButtonClick
  end
  object OkButton: TButton
    Left = 214
    Top = 340
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 12
  end
  object CancelButton: TButton
    Left = 302
    Top = 340
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 13
  end
end
)DFM";
