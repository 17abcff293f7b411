#include "runtime/TQuelmAboutCompDefinition.h"

// The layout of the about box, read into each new box.
const char* const QuelmAboutCompDefinition = R"DFM(object QuelmAboutComp: TQuelmAboutComp
  Left = 240
  Top = 160
  ActiveControl = OkButton
  BorderStyle = bsDialog
  Caption = 'About Dorvik for Quelm'
  ClientHeight = 121
  ClientWidth = 289
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object LogoImage: TImage
    Left = 12
    Top = 12
    Width = 24
    Height = 24
  end
  object ProductCaption: TLabel
    Left = 48
    Top = 12
    Width = 90
    Height = 13
    Caption = 'Dorvik for Quelm'
  end
  object VersionCaption: TLabel
    Left = 48
    Top = 32
    Width = 228
    Height = 13
    AutoSize = False
    Caption = ''
  end
  object ComponentCaption: TLabel
    Left = 48
    Top = 52
    Width = 228
    Height = 13
    AutoSize = False
    Caption = ''
  end
  object OkButton: TButton
    Left = 107
    Top = 86
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 0
  end
end
)DFM";
