#pragma once

class QAbstractItemView;
class QLabel;

namespace zephlan {

// Tells a screen reader that the caption labels the list, as a caption's buddy
// does for a box: Qt's own interface for item views names no label.
void labelListByCaption(QAbstractItemView *list, QLabel *caption);

} // namespace zephlan
