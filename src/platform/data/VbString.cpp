#include "VbString.h"

namespace {

qsizetype firstKept(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return i;
}

qsizetype endKept(const QString& text, qsizetype from) {
    qsizetype end = text.size();
    while (end > from && text[end - 1] == u' ')
        --end;
    return end;
}

QString slice(const QString& text, qsizetype from, qsizetype end) {
    if (from == 0 && end == text.size())
        return text; // shared, no copy
    return text.mid(from, end - from);
}

} // namespace

QString vbTrim(const QString& text) {
    const qsizetype from = firstKept(text);
    return slice(text, from, endKept(text, from));
}

QString vbLTrim(const QString& text) {
    return slice(text, firstKept(text), text.size());
}

QString vbRTrim(const QString& text) {
    return slice(text, 0, endKept(text, 0));
}
