#include "easel/display/detail/written_rows.h"

#include <algorithm>

namespace easel::detail {

WrittenRows writtenRows;

void markRowsWritten(int top, int count) {
    for (int y = top; y < top + count; ++y) markRowWritten(y);
}

void trackWrittenRows(int height) {
    writtenRows.stamps.assign(static_cast<std::size_t>(std::max(height, 0)), writtenRows.clock);
}

std::uint64_t takeWriteStamp() {
    return writtenRows.clock++;
}

}  // namespace easel::detail
