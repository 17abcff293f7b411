// The statement scanner's throughput over a large text of realistic SQL, next
// to a plain pass that only counts the same text's bytes: the ratio says what
// the byte classes, the token strings and the walk-facing state cost.
#include "updsqled/SQLParser.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdint>
#include <string>

namespace {

constexpr size_t TextSize = 12 * 1024 * 1024;

// A fixed pseudo-random sequence, so every run scans the same text.
class TSequence {
public:
  uint32_t Next(uint32_t bound) {
    FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(FState >> 33) % bound;
  }

private:
  uint64_t FState = 42;
};

// SELECT statements with joins, aliases and quoted names, generated update
// statements, inserts with literal values, and Japanese names for the
// double-byte regime.
std::string MakeText(bool japanese) {
  static const char* const tables[] = {"customer", "orders", "\"Sales Lines\"", "invoice_item", "db.products",
                                       "warehouse_stock"};
  static const char* const columns[] = {"id", "name", "city", "postal_code", "qty", "unit_price", "created_at",
                                        "\"Order Date\"", "status", "country_code"};
  static const char* const japaneseNames[] = {"\x83\x65\x81\x5B\x83\x75\x83\x8B", "\xBC\xAE\xB3\xCB\xDD",
                                              "\x8C\xDA\x8B\x71"};
  TSequence seq;
  std::string text;
  text.reserve(TextSize + 4096);
  auto column = [&]() -> std::string {
    if (japanese && seq.Next(4) == 0) return japaneseNames[seq.Next(3)];
    return columns[seq.Next(10)];
  };
  while (text.size() < TextSize) {
    switch (seq.Next(3)) {
    case 0: {
      text += "select c.";
      text += column();
      for (int i = 0, n = 2 + seq.Next(6); i < n; ++i) text += ", c." + column();
      text += "\nfrom ";
      text += tables[seq.Next(6)];
      text += " c, ";
      text += tables[seq.Next(6)];
      text += " o\nwhere c.id = o.customer_id and o.";
      text += column();
      text += " >= " + std::to_string(seq.Next(100000)) + " and c.status = 'open'\norder by 1, 2;\n";
      break;
    }
    case 1: {
      std::string table = tables[seq.Next(6)];
      text += "update " + table + "\nset\n";
      for (int i = 0, n = 2 + seq.Next(6); i < n; ++i) {
        std::string c = column();
        text += (i ? ",\n  " : "  ") + table + "." + c + " = :" + c;
      }
      text += "\nwhere\n  " + table + ".id = :OLD_id and\n  " + table + ".version = :OLD_version;\n";
      break;
    }
    default: {
      text += "insert into ";
      text += tables[seq.Next(6)];
      text += "\n  (id, name, qty, unit_price)\nvalues\n  (" + std::to_string(seq.Next(1000000)) + ", '";
      text += column();
      text += "', -" + std::to_string(seq.Next(500)) + ", 1.5e-3);\n";
      break;
    }
    }
  }
  return text;
}

const std::string& Text(bool japanese) {
  static const std::string single = MakeText(false), farEast = MakeText(true);
  return japanese ? farEast : single;
}

// Touches every byte once, the floor any scanner stands on.
size_t CountBytes(const std::string& text) {
  size_t count = 0;
  for (const char* p = text.c_str(); *p; ++p) count += static_cast<unsigned char>(*p) > 0x20;
  return count;
}

// Processor time of this thread: the machine may be busy with other work.
double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsPerCount(const std::string& text) {
  constexpr int rounds = 20;
  double start = CpuSeconds();
  for (int i = 0; i < rounds; ++i) benchmark::DoNotOptimize(CountBytes(text));
  return (CpuSeconds() - start) / rounds;
}

void BM_ByteCount(benchmark::State& state) {
  const std::string& text = Text(state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(CountBytes(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The token loop as the designer's token listing runs it. The counter
// "times_byte_count" is the scan's time over the counting pass's, both measured
// in this run over the same text.
void BM_Scanner(benchmark::State& state) {
  bool japanese = state.range(0) != 0;
  const std::string& text = Text(japanese);
  TSQLParser parser(text, TLocaleFacts::ForCodePage(japanese ? 932 : 1252));
  size_t tokens = 0;
  double start = CpuSeconds();
  for (auto _ : state) {
    parser.Reset();
    tokens = 1;
    while (parser.NextToken() != stEnd) ++tokens;
    benchmark::DoNotOptimize(tokens);
  }
  double scan = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["tokens"] = static_cast<double>(tokens);
  state.counters["MB"] = static_cast<double>(text.size()) / (1024 * 1024);
  state.counters["times_byte_count"] = scan / SecondsPerCount(text);
}

} // namespace

BENCHMARK(BM_ByteCount)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scanner)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
