#include "forms/FormsClasses.h"

#include "TestDialog.h"
#include "classes/TClassRegistry.h"
#include "classes/TypInfo.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"
#include "forms/TLabel.h"
#include "forms/TMemo.h"

#include <gtest/gtest.h>

TEST(FormsClasses, UnknownPropertiesAndBadValuesAreErrors) {
  TButton button(nullptr);
  EXPECT_THROW(SetStrProp(button, "Captoin", "x"), EPropertyError);
  EXPECT_THROW(SetStrProp(button, "ModalResult", "mrOk"), EPropertyError);
}

TEST(FormsClasses, FormDefinitionsCanMakeEveryControlByClassName) {
  for (const char* name : {"TForm", "TLabel", "TButton", "TCheckBox", "TRadioGroup", "TComboBox", "TListBox", "TEdit",
                           "TMemo", "TPageControl", "TTabSheet", "TPanel", "TGroupBox", "TBevel", "TSplitter",
                           "TImage", "TPopupMenu", "TMenuItem", "TOpenDialog"}) {
    const TClassInfo* cls = TClassRegistry::Global().FindClass(name);
    ASSERT_NE(nullptr, cls) << name;
    EXPECT_TRUE(cls->CanCreate()) << name;
  }
}

TEST(FormsClasses, PropertiesAndHandlersAreSetThroughTypeInformation) {
  // What a form definition does: make the controls by class name inside the
  // form, set their properties by name, bind handlers by method name.
  auto form = CreateForm<TTestDialog>(&Application());
  const TClassRegistry& registry = TClassRegistry::Global();
  TComponent* label = registry.GetClass("TLabel").CreateComponent(form.get());
  TComponent* memo = registry.GetClass("TMemo").CreateComponent(form.get());
  TComponent* button = registry.GetClass("TButton").CreateComponent(form.get());
  label->SetName("SQLLabel");
  memo->SetName("ExtraMemo");
  button->SetName("ApplyButton");
  for (TComponent* c : {label, memo, button}) c->SetParentComponent(form->OptionsPage);
  SetStrProp(*label, "Caption", "S&QL Text:");
  SetObjectProp(*label, "FocusControl", memo);
  SetOrdProp(*memo, "ScrollBars", GetEnumValue(TypeInfoScrollStyle(), "ssVertical"));
  SetOrdProp(*button, "ModalResult", mrOk);
  SetOrdProp(*button, "Default", 1);
  SetOrdProp(*button, "TabOrder", 0);
  SetOrdProp(*button, "Anchors", TAnchors{TAnchorKind::akRight, TAnchorKind::akBottom}.Bits());
  const char* handler = "GenerateButtonClick";
  SetMethodProp(*button, "OnClick", TMethod{form->ClassType().FindMethod(handler), form.get(), handler});
  static_cast<TStrings*>(GetObjectProp(*memo, "Lines"))->SetText("select 1");

  auto& typedLabel = static_cast<TLabel&>(*label);
  EXPECT_EQ(memo, typedLabel.FocusControl());
  EXPECT_EQ('q', typedLabel.Accelerator());
  EXPECT_EQ(form->OptionsPage, static_cast<TControl*>(button)->Parent());
  EXPECT_EQ(0, static_cast<TWinControl*>(button)->TabOrder());
  EXPECT_EQ(TScrollStyle::ssVertical, static_cast<TMemo*>(memo)->ScrollBars());
  EXPECT_EQ("[akRight,akBottom]", SetToString(TypeInfoAnchors(), GetOrdProp(*button, "Anchors")));
  EXPECT_EQ(handler, GetMethodProp(*button, "OnClick").Name);
  EXPECT_EQ("select 1", static_cast<TMemo*>(memo)->Text());

  // Clicking the new button runs the bound handler; its modal result then
  // closes the form.
  form->FieldList->SetSelected(0, true);
  TFunctionModalDriver driver([](TFormUser& user) { user.Click("ApplyButton"); });
  TModalDriverGuard guard(driver);
  EXPECT_EQ(mrOk, form->ShowModal());
  EXPECT_EQ("create show(visible) generate closequery", form->LogText());
}

TEST(FormsClasses, PublishedDefaultsMatchTheNewControls) {
  // A writer leaves out a property whose value is its default; every default
  // declared must be what a new control holds.
  for (const char* name : {"TForm", "TLabel", "TButton", "TCheckBox", "TRadioGroup", "TComboBox", "TListBox", "TEdit",
                           "TMemo", "TPageControl", "TTabSheet", "TPanel", "TGroupBox", "TBevel", "TSplitter",
                           "TImage", "TPopupMenu", "TMenuItem", "TOpenDialog"}) {
    const TClassInfo& cls = TClassRegistry::Global().GetClass(name);
    std::unique_ptr<TComponent> component(cls.CreateComponent(nullptr));
    for (const TPropInfo* prop : cls.Properties()) {
      if (!prop->Default) continue;
      TValue value = GetPropValue(*component, *prop);
      ASSERT_TRUE(std::holds_alternative<int64_t>(value)) << name << "." << prop->Name;
      EXPECT_EQ(*prop->Default, std::get<int64_t>(value)) << name << "." << prop->Name;
    }
  }
}
