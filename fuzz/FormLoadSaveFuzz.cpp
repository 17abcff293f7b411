// Loads arbitrary bytes as a form file into components of the framework's
// classes (text or binary, as the bytes say), resolves references, ends
// loading and saves in both formats. Every input is loaded or refused with a
// located EFormError; a saved file must load again and save to the same bytes.
#include "FormFuzzSupport.h"
#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "forms/FormsClasses.h"
#include "rtl/Exceptions.h"
#include "startup/FrameworkStartup.h"
#include "streaming/FormTree.h"
#include "streaming/TFormFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace FormFuzz;

std::unique_ptr<TFormFile> LoadOrNull(const std::string& bytes) {
  std::unique_ptr<TFormFile> file;
  try {
    file = TFormFile::Load(bytes, FileName, TClassRegistry::Global());
  } catch (const EFormError& e) {
    RequireLocated(e);
    return nullptr;
  }
  file->ResolveReferences({});
  file->FinishLoading();
  return file;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterFrameworkClasses();
  RegisterFormsClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TFormFile> file = LoadOrNull(input);
  if (!file) return 0;
  FUZZ_REQUIRE(file->Root() != nullptr);
  for (TFormFormat format : {TFormFormat::Text, TFormFormat::Binary}) {
    std::string saved = file->SaveToString(format);
    std::unique_ptr<TFormFile> again = LoadOrNull(saved);
    FUZZ_REQUIRE(again != nullptr);  // the saved file must load
    FUZZ_REQUIRE(again->SaveToString(format) == saved);
  }
  return 0;
}
