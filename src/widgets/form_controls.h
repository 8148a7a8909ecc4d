#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>

class QColor;
class QFrame;
class QPushButton;
class QWidget;

namespace vexlo {

// The application font at a smaller size, for the windows' tight captions.
QFont SmallFont(double points);

// A push button at its fixed place that Enter never presses: in the file
// dialogs Enter belongs to the lists (and must not overwrite a file).
QPushButton *Button(QWidget *parent, const QString &caption, QRect geometry, const QString &tip = QString());

// Fills the widget's whole background with one colour.
void FillBackground(QWidget &widget, const QColor &colour);

// A plain area at its fixed place, all of one colour: a line or a square.
QFrame *FilledArea(QWidget *parent, QRect geometry, const QColor &colour);

// The same controls, for reading only: what a form's read-only view hands out.
template <class Control, std::size_t N>
std::array<const Control *, N> ReadOnly(const std::array<Control *, N> &controls)
{
    std::array<const Control *, N> read{};
    std::copy(controls.begin(), controls.end(), read.begin());
    return read;
}

} // namespace vexlo
