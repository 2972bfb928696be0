#pragma once

#include <cstddef>

namespace wendaro {

// Whether a table's row, as a table gives it (-1 for none), is an element of
// the list the table shows.
template <typename List>
bool isRowOf(const List& list, long row) {
  return row >= 0 && static_cast<std::size_t>(row) < list.size();
}

}  // namespace wendaro
