// Runs a fuzz target without libFuzzer, for compilers that have none: every
// file of the seed corpus, then a fixed number of pseudo-random inputs from a
// fixed seed, so that every run of the test tries exactly the same inputs.
//
//   <target> [-runs=N] [-seed=S] CORPUS_DIR_OR_FILE...
//
// A property that fails aborts with a message; the input that broke it is
// written to "crash-input" in the working folder first, for the fuzzer build
// to replay.

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : Next() % n; }

 private:
  std::uint64_t state_;
};

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes* g_current = nullptr;

void SaveCurrentInput(int) {
  if (g_current == nullptr) return;
  if (std::FILE* out = std::fopen("crash-input", "wb")) {
    std::fwrite(g_current->data(), 1, g_current->size(), out);
    std::fclose(out);
  }
}

void Run(Bytes& input) {
  g_current = &input;
  LLVMFuzzerTestOneInput(input.data(), input.size());
  g_current = nullptr;
}

// Text made of what numbers are made of, plus the odd stray byte.
Bytes NumberLikeText(SplitMix64& random) {
  static const char kAlphabet[] = "0123456789012345678900000.,eE+-- \t";
  Bytes bytes;
  bytes.push_back(static_cast<std::uint8_t>(random.Next()));
  const std::size_t length = random.Below(30);
  for (std::size_t i = 0; i < length; ++i) {
    if (random.Below(40) == 0) {
      bytes.push_back(static_cast<std::uint8_t>(random.Next()));
    } else {
      bytes.push_back(static_cast<std::uint8_t>(
          kAlphabet[random.Below(sizeof kAlphabet - 1)]));
    }
  }
  return bytes;
}

// A Double and a Single with few decimal digits (where halves and carries
// happen), then an options byte and sometimes a pattern text.
Bytes DecimalValues(SplitMix64& random) {
  static const double kScales[] = {1,   10,  100, 1000, 10000, 100000,
                                   1e6, 1e7, 1e8, 1e-3, 1e10,  1e20};
  const double mantissa = static_cast<double>(
      static_cast<std::int64_t>(random.Next() % 20000001) - 10000000);
  const double value =
      mantissa / kScales[random.Below(sizeof kScales / sizeof kScales[0])];
  const float single = static_cast<float>(
      static_cast<double>(static_cast<std::int64_t>(random.Next() % 2000001) -
                          1000000) /
      kScales[random.Below(sizeof kScales / sizeof kScales[0])]);
  Bytes bytes(13);
  std::memcpy(bytes.data(), &value, 8);
  std::memcpy(bytes.data() + 8, &single, 4);
  bytes[12] = static_cast<std::uint8_t>(random.Next());
  static const char* kPatternTexts[] = {"0.0##", "0.0###", "#.0###", "0.0",
                                        "0.00",  "#",      ""};
  const char* pattern = kPatternTexts[random.Below(7)];
  bytes.insert(bytes.end(), pattern, pattern + std::strlen(pattern));
  return bytes;
}

Bytes Mutated(const Bytes& base, SplitMix64& random) {
  Bytes bytes = base;
  const std::size_t edits = 1 + random.Below(4);
  for (std::size_t e = 0; e < edits; ++e) {
    const std::size_t at = random.Below(bytes.size() + 1);
    switch (random.Below(3)) {
      case 0:
        bytes.insert(bytes.begin() + at,
                     static_cast<std::uint8_t>(random.Next()));
        break;
      case 1:
        if (at < bytes.size()) bytes.erase(bytes.begin() + at);
        break;
      default:
        if (at < bytes.size())
          bytes[at] ^= static_cast<std::uint8_t>(1u << random.Below(8));
    }
  }
  return bytes;
}

// Lines of the seeds, spliced: for inputs made of lines (scenarios, scene
// files), new orders of known commands and keys reach further than bytes.
Bytes Spliced(const std::vector<Bytes>& corpus, SplitMix64& random) {
  Bytes bytes;
  const std::size_t lines = 1 + random.Below(30);
  for (std::size_t l = 0; l < lines; ++l) {
    const Bytes& seed = corpus[random.Below(corpus.size())];
    if (seed.empty()) continue;
    std::size_t start = random.Below(seed.size());
    while (start > 0 && seed[start - 1] != '\n') --start;
    std::size_t end = start;
    while (end < seed.size() && seed[end] != '\n') ++end;
    bytes.insert(bytes.end(), seed.begin() + static_cast<long>(start),
                 seed.begin() + static_cast<long>(end));
    bytes.push_back('\n');
  }
  return random.Below(2) == 0 ? Mutated(bytes, random) : bytes;
}

}  // namespace

int main(int argc, char** argv) {
  long runs = 100000;
  std::uint64_t seed = 20261205;
  std::vector<Bytes> corpus;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("-runs=", 0) == 0) {
      runs = std::strtol(argument.c_str() + 6, nullptr, 10);
    } else if (argument.rfind("-seed=", 0) == 0) {
      seed = std::strtoull(argument.c_str() + 6, nullptr, 10);
    } else if (std::filesystem::is_directory(argument)) {
      for (const auto& entry : std::filesystem::directory_iterator(argument)) {
        if (entry.is_regular_file()) corpus.push_back(ReadFile(entry.path()));
      }
    } else if (std::filesystem::is_regular_file(argument)) {
      corpus.push_back(ReadFile(argument));
    } else {
      std::fprintf(stderr, "%s: no such corpus: %s\n", argv[0], argv[i]);
      return 2;
    }
  }
  std::signal(SIGABRT, SaveCurrentInput);

  for (Bytes& input : corpus) Run(input);
  SplitMix64 random(seed);
  for (long i = 0; i < runs; ++i) {
    Bytes input;
    switch (i % 5) {
      case 0: {
        input.resize(random.Below(41));
        for (auto& byte : input)
          byte = static_cast<std::uint8_t>(random.Next());
        break;
      }
      case 1:
        input = NumberLikeText(random);
        break;
      case 2:
        input = corpus.empty()
                    ? NumberLikeText(random)
                    : Mutated(corpus[random.Below(corpus.size())], random);
        break;
      case 3:
        input = DecimalValues(random);
        break;
      default:
        input =
            corpus.empty() ? NumberLikeText(random) : Spliced(corpus, random);
    }
    Run(input);
  }
  std::printf("%zu corpus inputs and %ld generated inputs passed\n",
              corpus.size(), runs);
  return 0;
}
