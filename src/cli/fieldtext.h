#pragma once
// How textconv and diff print a field's value: a text of several lines
// keeps its lines, indented under the field.
#include <iosfwd>
#include <string>

namespace zm::cli {

// "Field: value", continuation lines indented by four more than `indent`;
// an empty value prints nothing.
void PrintField(const std::string& field, const std::string& value, std::ostream& out,
                const std::string& indent = {});

// Each line of `text` (a trailing break ignored) after `prefix`.
void PrintLines(const std::string& prefix, const std::string& text, std::ostream& out);

}  // namespace zm::cli
