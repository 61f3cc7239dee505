#include "DateTyping.h"

#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class SeparatorFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() != 1 || typed.at(0).isLetterOrNumber())
            return false;
        const QLineEdit* line = static_cast<QDateTimeEdit*>(watched)->findChild<QLineEdit*>();
        if (!line)
            return false;
        const int at = line->cursorPosition();
        return at > 0 && line->text().at(at - 1) == typed.at(0);
    }
};

} // namespace

void typeSeparatorsOnce(QDateTimeEdit* edit) {
    edit->installEventFilter(new SeparatorFilter(edit));
}
