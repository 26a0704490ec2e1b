#pragma once

class QLabel;

namespace zephlan {

// Some instructions rely on a run of spaces to push the word after it onto
// the second line of their label. Whatever face stands in for the dialog font,
// the label's letters are set closer or further apart in steps of one per
// cent, as little as will do, until that word starts the second line and
// nothing runs onto a third. A label without such a run, or one no step can
// mend, is left alone.
void startSecondLineAfterRun(QLabel *label);

} // namespace zephlan
