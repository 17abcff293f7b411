// Reading and writing the whole corpus of real form files, in both formats,
// and the same work done by Free Pascal's ObjectTextToBinary and
// ObjectBinaryToText (bench/fpc/formconv.pas, compiled when this runs).
#include "classes/TClassRegistry.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormParser.h"
#include "streaming/TFormFile.h"
#include "streaming/TextFormWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TCorpus {
  std::vector<std::string> Paths;
  std::vector<std::string> Texts;   // text files
  std::vector<std::string> Binary;  // every file as binary
  int64_t TextBytes = 0;
};

const TCorpus& Corpus() {
  static TCorpus corpus = [] {
    TCorpus c;
    fs::path root = fs::path(__FILE__).parent_path().parent_path().parent_path() / "shared";
    if (const char* env = std::getenv("QUELM_SHARED"); env && *env) root = env;
    if (!fs::is_directory(root / "corpus" / "dfm")) return c;
    for (const auto& e : fs::directory_iterator(root / "corpus" / "dfm")) c.Paths.push_back(e.path().string());
    std::sort(c.Paths.begin(), c.Paths.end());
    for (const std::string& p : c.Paths) {
      std::ifstream in(p, std::ios::binary);
      std::stringstream s;
      s << in.rdbuf();
      std::string bytes = s.str();
      if (!IsBinaryForm(bytes)) {
        c.Texts.push_back(bytes);
        c.TextBytes += static_cast<int64_t>(bytes.size());
        c.Binary.push_back(WriteFormBinary(*ParseFormText(bytes, p), true));
      } else {
        c.Binary.push_back(bytes);
      }
    }
    return c;
  }();
  return corpus;
}

void BM_ReadText(benchmark::State& state) {
  for (auto _ : state)
    for (const std::string& t : Corpus().Texts) benchmark::DoNotOptimize(ParseFormText(t, "f.dfm"));
  state.SetBytesProcessed(state.iterations() * Corpus().TextBytes);
}
BENCHMARK(BM_ReadText);

void BM_ReadWriteTextUnchanged(benchmark::State& state) {
  for (auto _ : state)
    for (const std::string& t : Corpus().Texts) benchmark::DoNotOptimize(WriteFormText(*ParseFormText(t, "f.dfm")));
  state.SetBytesProcessed(state.iterations() * Corpus().TextBytes);
}
BENCHMARK(BM_ReadWriteTextUnchanged);

void BM_TextToBinary(benchmark::State& state) {
  for (auto _ : state)
    for (const std::string& t : Corpus().Texts) benchmark::DoNotOptimize(WriteFormBinary(*ParseFormText(t, "f.dfm"), true));
  state.SetBytesProcessed(state.iterations() * Corpus().TextBytes);
}
BENCHMARK(BM_TextToBinary);

void BM_BinaryToText(benchmark::State& state) {
  for (auto _ : state)
    for (const std::string& b : Corpus().Binary) benchmark::DoNotOptimize(WriteFormText(*ParseFormBinary(b, "f.dfm")));
  state.SetBytesProcessed(state.iterations() * Corpus().TextBytes);
}
BENCHMARK(BM_BinaryToText);

// Opening as components (registry classes, references, baseline) and saving.
void BM_LoadAndSaveComponents(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& t : Corpus().Texts) {
      auto f = TFormFile::Load(t, "f.dfm", TClassRegistry::Global());
      f->ResolveReferences({});
      f->FinishLoading();
      benchmark::DoNotOptimize(f->SaveToString());
    }
  }
  state.SetBytesProcessed(state.iterations() * Corpus().TextBytes);
}
BENCHMARK(BM_LoadAndSaveComponents);

// Free Pascal over the same text files: compiled and run once, each
// direction timed over many passes; reported per pass.
struct TFpcTimes {
  bool Ok = false;
  double ToBinary = 0, ToText = 0;  // seconds per pass over the files it read
  int64_t Bytes = 0;
  std::vector<size_t> Files;        // indices into Corpus().Texts
};

const TFpcTimes& FpcTimes() {
  static TFpcTimes times = [] {
    TFpcTimes t;
    fs::path source = fs::path(__FILE__).parent_path() / "fpc" / "formconv.pas";
    fs::path dir = fs::temp_directory_path() / "quelm-fpc-bench";
    fs::create_directories(dir);
    std::string compile = "fpc -O2 -FE" + dir.string() + " " + source.string() + " > " + (dir / "build.log").string() + " 2>&1";
    if (std::system(compile.c_str()) != 0) return t;
    const int passes = 50;
    std::string run = (dir / "formconv").string() + " " + std::to_string(passes);
    for (const std::string& p : Corpus().Paths) {
      std::ifstream in(p, std::ios::binary);
      char first = 0;
      in.get(first);
      if (static_cast<unsigned char>(first) != 0xFF) run += " '" + p + "'";
    }
    run += " 2>/dev/null";
    FILE* pipe = popen(run.c_str(), "r");
    if (!pipe) return t;
    long long bytes = 0;
    int n = 0;
    double toBinary = 0, toText = 0;
    if (std::fscanf(pipe, "%lld %d %lf %lf", &bytes, &n, &toBinary, &toText) == 4 && n > 0) {
      t.Ok = true;
      t.ToBinary = toBinary / n;
      t.ToText = toText / n;
      t.Bytes = bytes;
      size_t index;
      while (std::fscanf(pipe, "%zu", &index) == 1) t.Files.push_back(index);
    }
    pclose(pipe);
    return t;
  }();
  return times;
}

void BM_FpcTextToBinary(benchmark::State& state) {
  if (!FpcTimes().Ok) {
    state.SkipWithError("fpc not available");
    return;
  }
  for (auto _ : state) state.SetIterationTime(FpcTimes().ToBinary);
  state.SetBytesProcessed(state.iterations() * FpcTimes().Bytes);
  state.counters["files"] = static_cast<double>(FpcTimes().Files.size());
}
BENCHMARK(BM_FpcTextToBinary)->UseManualTime()->Iterations(10);

void BM_FpcBinaryToText(benchmark::State& state) {
  if (!FpcTimes().Ok) {
    state.SkipWithError("fpc not available");
    return;
  }
  for (auto _ : state) state.SetIterationTime(FpcTimes().ToText);
  state.SetBytesProcessed(state.iterations() * FpcTimes().Bytes);
}
BENCHMARK(BM_FpcBinaryToText)->UseManualTime()->Iterations(10);

// Ours on exactly the files Free Pascal read, for the ratio.
void BM_TextToBinarySameFiles(benchmark::State& state) {
  const auto& fpc = FpcTimes();
  for (auto _ : state)
    for (size_t i : fpc.Files) benchmark::DoNotOptimize(WriteFormBinary(*ParseFormText(Corpus().Texts[i], "f.dfm"), true));
  state.SetBytesProcessed(state.iterations() * fpc.Bytes);
}
BENCHMARK(BM_TextToBinarySameFiles);

void BM_BinaryToTextSameFiles(benchmark::State& state) {
  const auto& fpc = FpcTimes();
  std::vector<std::string> binaries;
  for (size_t i : fpc.Files) binaries.push_back(WriteFormBinary(*ParseFormText(Corpus().Texts[i], "f.dfm"), true));
  for (auto _ : state)
    for (const std::string& b : binaries) benchmark::DoNotOptimize(WriteFormText(*ParseFormBinary(b, "f.dfm")));
  state.SetBytesProcessed(state.iterations() * fpc.Bytes);
}
BENCHMARK(BM_BinaryToTextSameFiles);

} // namespace
