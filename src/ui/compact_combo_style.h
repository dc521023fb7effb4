#pragma once

class QStyle;

namespace vestrix::ui {

// The application's style with more room for the text of a drop-down
// list: the narrow lists of the configuration page (83 pixels, as the
// window was laid out) then show their longest entries whole.
QStyle* CompactComboStyle();

}  // namespace vestrix::ui
