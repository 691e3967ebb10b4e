#pragma once

class QLineEdit;

namespace pinakos {

// Keeps the box's tooltip on its whole text while that text is wider than
// the box shows, and empty while it fits.
void showWholeTextAsTip(QLineEdit* box);

} // namespace pinakos
