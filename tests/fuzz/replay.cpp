// Runs a fuzz target without libFuzzer: once on empty input, then on every
// file named on the command line or lying in a folder named there. The normal
// test build links each target with this, so a target that stops building or
// fails on its own seeds fails the tests. A seed named "written..." is the
// writer's own output, which the reader targets must give back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <vector>

#include "roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// libFuzzer never passes a null pointer, not even for empty input.
void Run(const std::vector<uint8_t>& data) {
  static const uint8_t kNothing = 0;
  LLVMFuzzerTestOneInput(data.empty() ? &kNothing : data.data(), data.size());
}

bool Replay(const fs::path& file) {
  std::error_code ec;
  const auto size = static_cast<size_t>(fs::file_size(file, ec));
  std::ifstream in(file, std::ios::binary);
  // Exactly as many bytes as the file holds, so a read past the end is caught
  // by AddressSanitizer as it would be under libFuzzer.
  std::vector<uint8_t> data(size);
  if (ec || !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
    std::cerr << "cannot read " << file << "\n";
    return false;
  }
  std::cout << "replaying " << file << " (" << size << " bytes)" << std::endl;
  zm::fuzz::AsWritten() = file.filename().string().rfind("written", 0) == 0;
  Run(data);
  zm::fuzz::AsWritten() = false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Run({});
  int replayed = 1;

  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    std::error_code ec;
    std::vector<fs::path> files;
    if (fs::is_directory(arg, ec)) {
      for (const fs::directory_entry& e : fs::directory_iterator(arg, ec))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
    } else if (fs::is_regular_file(arg, ec)) {
      files.push_back(arg);
    } else {
      std::cerr << "no such file or folder: " << arg << "\n";
      return 1;
    }
    if (ec) {
      std::cerr << "cannot list " << arg << ": " << ec.message() << "\n";
      return 1;
    }
    for (const fs::path& f : files) {
      if (!Replay(f)) return 1;
      ++replayed;
    }
  }
  std::cout << replayed << " inputs replayed\n";
  return 0;
}
