#include "InputMask.h"

#include <algorithm>

namespace {

constexpr QChar Blank = u'_';

// Characters that mean something in a Qt input mask and so stand escaped as literals.
bool isQtMaskCharacter(QChar c) {
    return QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}").contains(c);
}

} // namespace

InputMask::InputMask(const QString& pattern) : m_pattern(pattern) {
}

QString InputMask::qtMask() const {
    QString mask;
    for (qsizetype i = 0; i < m_pattern.size(); ++i) {
        const QChar c = m_pattern.at(i);
        if (isPlace(i))
            mask += u'0'; // a digit, not required: a box may be left part filled
        else if (isQtMaskCharacter(c))
            mask += u'\\' + QString(c);
        else
            mask += c;
    }
    return mask + u';' + Blank;
}

QString InputMask::stored(const QString& shown) const {
    qsizetype end = 0; // just after the last filled place
    for (qsizetype i = 0; i < m_pattern.size() && i < shown.size(); ++i)
        if (isPlace(i) && shown.at(i) != Blank && shown.at(i) != u' ')
            end = i + 1;
    if (end == 0)
        return {};
    QString text = shown.left(end);
    text.replace(Blank, u' ');
    return text;
}

bool InputMask::isLaidOut(const QString& text) const {
    if (text.size() > m_pattern.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!isPlace(i) && text.at(i) != m_pattern.at(i))
            return false;
    return true;
}

QString InputMask::forBox(const QString& stored) const {
    if (!isLaidOut(stored))
        return stored;
    QString text = stored;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isPlace(i) && text.at(i) == u' ')
            text[i] = Blank; // Qt keeps a blank's place, where it would close up a space
    return text;
}

QString InputMask::normalized(const QString& value) const {
    QString shown;
    if (isLaidOut(value)) {
        shown = value + m_pattern.mid(value.size());
    } else if (std::all_of(value.begin(), value.end(), [](QChar c) { return c.isDigit(); })) {
        qsizetype next = 0;
        shown = m_pattern;
        for (qsizetype i = 0; i < shown.size(); ++i)
            if (isPlace(i))
                shown[i] = next < value.size() ? value.at(next++) : Blank;
    } else {
        return value;
    }
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isPlace(i) && shown.at(i) == u'#')
            shown[i] = Blank;
    return stored(shown);
}
