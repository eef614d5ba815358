#pragma once

#include <QProgressBar>
#include <QRect>
#include <QSlider>
#include <QString>

class QLabel;
class QWidget;

namespace harkdeck {

// Navy panel, yellow text, the panel's font.
void SetPanelColours(QWidget* panel);

// An etched frame without a caption; clicks go through it.
QWidget* MakeGroupBox(QWidget* panel, QRect place);
// Vertical, 0..100, filled from the bottom.
QProgressBar* MakeMeter(QWidget* panel, QRect place);
// Vertical, 0..100, with 0 at the top.
QSlider* MakeSlider(QWidget* panel, QRect place);
QLabel* MakeText(QWidget* panel, QRect place, const QString& text, bool centred);
// Shows the text whole: a text too long for the panel's font is narrowed,
// then made smaller, until it fits the label.
void ShowFittedText(QLabel* label, const QString& text);

}  // namespace harkdeck
