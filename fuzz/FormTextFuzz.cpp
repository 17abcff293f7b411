// Runs the text form reader over arbitrary bytes. Every input is read or
// refused with a located EFormError; any other exception, crash or leak is a
// finding. What is read is written back as text and must read again.
#include "FormFuzzSupport.h"
#include "streaming/FormParser.h"
#include "streaming/FormTree.h"
#include "streaming/TextFormWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace FormFuzz;
  std::string input(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TFormDocument> doc;
  try {
    doc = ParseFormText(input, FileName);
  } catch (const EFormError& e) {
    RequireLocated(e);
    return 0;
  }
  FUZZ_REQUIRE(doc && doc->Root);
  std::string written = WriteFormText(*doc);
  try {
    ParseFormText(written, FileName);
  } catch (const EFormError&) {
    FUZZ_REQUIRE(false);  // the writer wrote what the reader refuses
  }
  return 0;
}
