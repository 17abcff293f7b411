#include "forms/FormsClasses.h"

#include "classes/TClassRegistry.h"
#include "forms/TBevel.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TCustomEdit.h"
#include "forms/TFont.h"
#include "forms/TForm.h"
#include "forms/TGraphics.h"
#include "forms/TGroupBox.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TOpenDialog.h"
#include "forms/TPageControl.h"
#include "forms/TPanel.h"
#include "forms/TPopupMenu.h"
#include "forms/TRadioGroup.h"
#include "forms/TSplitter.h"

void RegisterFormsClasses() {
  TClassRegistry& registry = TClassRegistry::Global();
  for (const TClassInfo* cls :
       {&TControl::StaticClass(), &TWinControl::StaticClass(), &TForm::StaticClass(), &TLabel::StaticClass(),
        &TButton::StaticClass(), &TCheckBox::StaticClass(), &TRadioGroup::StaticClass(), &TComboBox::StaticClass(),
        &TListBox::StaticClass(), &TEdit::StaticClass(), &TMemo::StaticClass(), &TPageControl::StaticClass(),
        &TTabSheet::StaticClass(), &TPanel::StaticClass(), &TGroupBox::StaticClass(), &TBevel::StaticClass(),
        &TSplitter::StaticClass(), &TImage::StaticClass(), &TPicture::StaticClass(), &TBitmap::StaticClass(),
        &TSizeConstraints::StaticClass(), &TFont::StaticClass(), &TMenuItem::StaticClass(), &TPopupMenu::StaticClass(),
        &TOpenDialog::StaticClass()})
    registry.RegisterClass(*cls);
}
