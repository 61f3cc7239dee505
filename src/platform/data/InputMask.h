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
    // What a box stores once it has shown a value of either form (laid out on the mask, or
    // digits alone, which fill the places in order): "12207-" and "12207" give "12207",
    // "122071234" gives "12207-1234". Any other text comes back unchanged.
    QString normalized(const QString& value) const;

private:
    bool isPlace(qsizetype i) const { return m_pattern.at(i) == QLatin1Char('#'); }
    bool isLaidOut(const QString& text) const;

    QString m_pattern;
};
