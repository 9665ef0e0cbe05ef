#include "generator/marker_table.h"

namespace vellumet {

MarkerRule replaced_by(std::u32string value) {
  return {MarkerRule::Kind::Replace, std::move(value), true, {}};
}

MarkerRule whole_line(std::u32string value) {
  return {MarkerRule::Kind::WholeLine, std::move(value), true, {}};
}

MarkerRule optional_line(bool on, std::u32string value) {
  return {MarkerRule::Kind::Optional, std::move(value), on, {}};
}

MarkerRule list_before(ListLine list) {
  return {MarkerRule::Kind::ListBefore, {}, true, std::move(list)};
}

}  // namespace vellumet
