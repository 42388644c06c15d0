// The morphological dictionary: reading it from data/morph, and declining a
// thousand names of the kinds builders give objects and mobiles once it is read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/winutf8.h"
#include "text/declension.h"
#include "text/morphology.h"

namespace zm::bench {
namespace {

std::filesystem::path MorphDir() {
  return std::filesystem::path(ZEMLEMER_SOURCE_DIR) / "data" / "morph";
}

const morph::Dictionary& Loaded() {
  static const morph::Dictionary dict = [] {
    morph::Dictionary d;
    std::string error;
    if (!d.Load(MorphDir(), error)) throw std::runtime_error(WinToUtf8(error));
    return d;
  }();
  return dict;
}

// Resident memory in bytes, from /proc.
size_t Resident() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

// Adjectives, nouns (some of them plural only or unknown to the dictionary)
// and what may follow a head, as object and mobile names combine them.
std::vector<std::string> Names(size_t n) {
  const std::vector<const char*> adjectives = {"",          "",         "старый",    "длинный",
                                               "кожаный",   "железный", "ржавый",    "огромный",
                                               "маленький", "зеленый",  "черный",    "светящийся",
                                               "костяной",  "дубовый",  "волшебный", "простой"};
  const std::vector<const char*> nouns = {
      "меч",    "нож",    "кинжал", "палица",   "фляга", "сапоги",  "доспехи",  "кольцо",
      "свиток", "кусок",  "шлем",   "щит",      "волк",  "крыса",   "стражник", "ведьма",
      "дракон", "скелет", "лучина", "кольчуга", "мышь",  "ножницы", "чармис",   "шелепуга"};
  const std::vector<const char*> tails = {"",
                                          "",
                                          "",
                                          "с медовухой",
                                          "возврата",
                                          "из чешуек дракона",
                                          "темного бога",
                                          ", покрытый кровью",
                                          "в капельках росы",
                                          "Гарм"};
  std::mt19937 rng(20261207u);
  std::vector<std::string> out;
  while (out.size() < n) {
    std::string name = adjectives[rng() % adjectives.size()];
    if (!name.empty()) name += ' ';
    name += nouns[rng() % nouns.size()];
    const std::string tail = tails[rng() % tails.size()];
    if (!tail.empty()) name += (tail[0] == ',' ? "" : " ") + tail;
    out.push_back(W(name));
  }
  return out;
}

void BM_MorphologyLoad(benchmark::State& state) {
  // The first read shows what the process grows by; later ones reuse the
  // memory the one before gave back.
  size_t growth = 0, bytes = 0;
  for (auto _ : state) {
    const size_t before = Resident();
    morph::Dictionary d;
    std::string error;
    if (!d.Load(MorphDir(), error)) state.SkipWithError(WinToUtf8(error).c_str());
    growth = std::max(growth, Resident() - std::min(Resident(), before));
    bytes = d.MemoryBytes();
    benchmark::DoNotOptimize(d.Loaded());
  }
  state.counters["held_MB"] = static_cast<double>(bytes) / (1 << 20);
  state.counters["rss_growth_MB"] = static_cast<double>(growth) / (1 << 20);
}

void BM_DeclineNames(benchmark::State& state) {
  const morph::Dictionary& dict = Loaded();
  const auto names = Names(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    for (const auto& name : names) benchmark::DoNotOptimize(DeclineAll(name, &dict));
  }
  state.SetLabel(std::to_string(names.size()) + " names, all six forms");
}

void BM_DeclineNamesByRules(benchmark::State& state) {
  const auto names = Names(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    for (const auto& name : names) benchmark::DoNotOptimize(DeclineAll(name, nullptr));
  }
  state.SetLabel(std::to_string(names.size()) + " names, no dictionary");
}

BENCHMARK(BM_MorphologyLoad)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DeclineNames)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeclineNamesByRules)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm::bench
