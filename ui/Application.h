#pragma once
// What the window and the application object share: the fonts, the colours, the look.

#include <QColor>
#include <QFont>
#include <cstdint>

class QApplication;

namespace ui {

// Application name and display name (the application title), and the widget style the
// layout was drawn for. Call once, right after the QApplication is made.
void PrepareApplication(QApplication& application);

// The window's font: the named Japanese font, then its metric-compatible substitute; 13 px.
QFont WindowFont();
// The fixed-pitch font of the read-only notes box.
QFont FixedFont();

// A control's colour: 0xRRGGBB or one of the system colours.
QColor ControlColor(std::uint32_t color);

}  // namespace ui
