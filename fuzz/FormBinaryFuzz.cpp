// Runs the binary form reader over arbitrary bytes three ways: as the bytes
// are, behind the stream signature "TPF0", and behind a resource header whose
// declared size is the stream's. Every input is read or refused with a
// located EFormError. What is read is written back, with and without the
// resource header, and must read again to the same bytes.
#include "FormFuzzSupport.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormTree.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace FormFuzz;

std::string ResourceHeader(const std::string& stream) {
  std::string header("\xFF\x0A\x00", 3);
  header += "TFORM1";
  header += '\0';
  header += "\x30\x10";
  uint32_t size = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) header += static_cast<char>((size >> (8 * i)) & 0xFF);
  return header + stream;
}

void ReadAndRewrite(const std::string& bytes) {
  std::unique_ptr<TFormDocument> doc;
  try {
    doc = ParseFormBinary(bytes, FileName);
  } catch (const EFormError& e) {
    RequireLocated(e);
    return;
  }
  FUZZ_REQUIRE(doc && doc->Root);
  for (bool withHeader : {false, true}) {
    std::string written = WriteFormBinary(*doc, withHeader);
    std::unique_ptr<TFormDocument> again;
    try {
      again = ParseFormBinary(written, FileName);
    } catch (const EFormError&) {
      FUZZ_REQUIRE(false);  // the writer wrote what the reader refuses
    }
    FUZZ_REQUIRE(WriteFormBinary(*again, withHeader) == written);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  ReadAndRewrite(input);
  std::string stream = "TPF0" + input;
  ReadAndRewrite(stream);
  ReadAndRewrite(ResourceHeader(stream));
  return 0;
}
