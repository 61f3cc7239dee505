#pragma once

#include <QString>

// The mask of a masked box ("(###) ###-####", "#####-####"): each "#" is the place of one
// digit, every other character stands as it is. A masked box shows its mask's literals and a
// "_" in every place not filled yet.
//
// What a box stores: nothing ("") while no place is filled, so an empty box never stores the
// mask's literals; else the text as shown up to its last filled place, literals included and a
// blank for each place left empty before it ("(555) 123-4567", "12345", "(555) 12").
class InputMask {
public:
    explicit InputMask(const QString& pattern);

    const QString& pattern() const { return m_pattern; }
    // The mask in Qt's form, for QLineEdit::setInputMask.
    QString qtMask() const;
    // What a box that shows this text (QLineEdit::displayText()) stores.
    QString stored(const QString& shown) const;
    // The text that makes a box show a stored value (for QLineEdit::setText): a stored text
    // laid out on the mask keeps its places; any other (digits alone, say) fills the places in
    // order.
    QString forBox(const QString& stored) const;

private:
    bool isPlace(qsizetype i) const { return m_pattern.at(i) == QLatin1Char('#'); }

    QString m_pattern;
};
