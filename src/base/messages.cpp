#include "base/messages.h"

#include "base/line_ends.h"

namespace vellumet::msg {

namespace {

std::string joined(const std::vector<std::string>& parts, std::string_view separator,
                   std::string_view lead = {}) {
  std::string out;
  bool first = true;
  for (std::string_view part : parts) {
    if (!first) out += separator;
    first = false;
    out += lead;
    out += part;
  }
  return out;
}

}  // namespace

std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto arg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string lines(const std::vector<std::string>& parts) {
  return joined(parts, kCrLf);
}

std::string paragraphs(const std::vector<std::string>& parts) {
  return joined(parts, std::string(kCrLf) + kLf);
}

std::string indented(const std::vector<std::string>& items) {
  return joined(items, kCrLf, std::string_view(&kTab, 1));
}

std::string enumerated(const std::vector<std::string>& items, std::size_t most) {
  if (items.size() <= most) return joined(items, kListSeparator);
  return joined({items.begin(), items.begin() + static_cast<std::ptrdiff_t>(most)},
                kListSeparator) +
         kListMore;
}

}  // namespace vellumet::msg
