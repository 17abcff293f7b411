#include "forms/FormDefinitionLoader.h"

#include "classes/TClassRegistry.h"
#include "forms/TForm.h"
#include "streaming/FormDefinitionReader.h"

void InstallFormDefinitionLoader() {
  TForm::SetDefinitionLoader([](TForm& form) { ReadFormDefinitionResource(form, TClassRegistry::Global()); });
}
