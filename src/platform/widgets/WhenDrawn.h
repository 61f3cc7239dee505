#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs fn from the event loop once the top-level window has been drawn for the first time,
// so that long work begun together with the window does not keep it from appearing. Nothing
// runs when context is destroyed first.
void runWhenDrawn(QWidget* window, QObject* context, std::function<void()> fn);

// Shows the top-level window and returns once it has been drawn for the first time, so that a
// dialog opened next stands over a drawn window rather than over an empty frame. A window system
// that never draws it (a minimised start) holds this up for a moment only. The user's input
// waits meanwhile.
void showAndWaitUntilDrawn(QWidget* window);
