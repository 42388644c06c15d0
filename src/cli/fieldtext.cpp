#include "cli/fieldtext.h"

#include <ostream>

namespace zm::cli {

void PrintLines(const std::string& prefix, const std::string& text, std::ostream& out) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    out << prefix << std::string_view(text).substr(at, end - at) << "\n";
    at = end + 1;
  }
}

void PrintField(const std::string& field, const std::string& value, std::ostream& out,
                const std::string& indent) {
  if (value.empty()) return;
  size_t end = value.find('\n');
  out << indent << field << ": " << std::string_view(value).substr(0, end) << "\n";
  if (end != std::string::npos) PrintLines(indent + "    ", value.substr(end + 1), out);
}

}  // namespace zm::cli
