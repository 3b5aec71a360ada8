#include "windows/control_colours.h"

#include <QPalette>
#include <QWidget>

namespace {

void setColours(QWidget* control, QPalette::ColorRole background, QPalette::ColorRole text) {
    if (!control)
        return;
    const QPalette desktop =
        control->parentWidget() ? control->parentWidget()->palette() : QPalette();
    QPalette p = control->palette();
    // A label paints its background in Window and its text in WindowText. The active colours:
    // a control made while its window is disabled must not keep the greyed ones.
    p.setColor(QPalette::Window, desktop.color(QPalette::Active, background));
    p.setColor(QPalette::WindowText, desktop.color(QPalette::Active, text));
    control->setPalette(p);
    control->update();
}

} // namespace

namespace ControlColours {

void SetWindowColours(QWidget* control) {
    setColours(control, QPalette::Base, QPalette::Text);
}

void SetHighlightColours(QWidget* control) {
    setColours(control, QPalette::Highlight, QPalette::HighlightedText);
}

} // namespace ControlColours
