#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs fn from the event loop once the top-level window has been drawn for the first time,
// so that long work begun together with the window does not keep it from appearing. Nothing
// runs when context is destroyed first.
void runWhenDrawn(QWidget* window, QObject* context, std::function<void()> fn);
