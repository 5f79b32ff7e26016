// Runs a fuzz target without libFuzzer: every file named on the command line,
// then a fixed number of generated inputs built from the characters and words
// the launcher treats specially. Deterministic, so a failure can be replayed.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    ++files;
  }
  static const char* const kPieces[] = {
      " ", "  ", "\"", "'", "\\", "\t", ":", "=", "a", "x y", "\xD0\x96", "\xE5\xAD\x97", "\xFF",
      "-options", "-silent", "-is:javaconsole", "-is:javahome", "-is:tempdir", "-Xms", "-Xmx",
      "-is:log", "VANTORA_JVM_PARAMS", "VANTORA_JVM_PARAMS=\"", "C:\\", "\\\\srv", "/abs",
      "..", "-SILENT", "\"\""};
  std::mt19937 random(20261211);
  constexpr int kGenerated = 20000;
  for (int n = 0; n < kGenerated; ++n) {
    std::string input;
    const int pieces = static_cast<int>(random() % 16);
    for (int p = 0; p < pieces; ++p) input += kPieces[random() % std::size(kPieces)];
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  }
  std::printf("replayed %d files and %d generated inputs\n", files, kGenerated);
  return 0;
}
